// ascii_case.h - comparing protocol names (URL schemes, attribute names and their options) without
// regard to the case of their ASCII letters.
#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

/// a and b alike, ASCII letters compared in either case.
inline bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

/// True when text starts with prefix, ASCII letters compared in either case.
inline bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}
