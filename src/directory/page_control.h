// page_control.h - the value of the paged-results control a server answers a page with.
#pragma once

#include <optional>
#include <string>
#include <string_view>

/// The cookie the paged-results control's value carries (SEQUENCE { size INTEGER, cookie OCTET
/// STRING }, definite lengths), read strictly within value; nullopt when value is no such encoding.
/// Read here rather than by the client library, whose parser trusts what the server encoded.
std::optional<std::string> PageCookieOf(std::string_view value);
