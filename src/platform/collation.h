// collation.h - the order of texts in the user's locale, as sort keys.
#pragma once

#include <optional>
#include <string>
#include <string_view>

/// The sort key of 8-bit text (read as ToWx reads it: UTF-8, other bytes as the code page's
/// characters) in the user's locale (LC_ALL, LC_COLLATE, LANG; the C order when none is set or the
/// named locale is not installed): two keys compared byte by byte, as std::string compares them,
/// are in the order the locale gives their texts. nullopt when the text's own bytes are its key
/// (well-formed UTF-8 in a locale that orders by code point).
std::optional<std::string> CollationKey(std::string_view text);
