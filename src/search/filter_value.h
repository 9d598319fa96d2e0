// filter_value.h - a search value made safe to stand in a search filter.
#pragma once

#include <string>
#include <string_view>

/// value with "(", ")", "\" and NUL written as the filter syntax requires ("\28", "\29", "\5c",
/// "\00"), so no value can close its term or open another. "*" stays the wildcard it is, a run of
/// them counting as one.
std::string EscapeFilterValue(std::string_view value);
