// collation.h - comparing texts in the order of the user's locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <wx/string.h>

/// Compares two texts as the user's locale orders them (LC_ALL, LC_COLLATE, LANG; the C order when
/// none is set or the named locale is not installed): < 0 when a comes first, 0 when equal.
int CompareInUserLocale(const wxString& a, const wxString& b);

/// The sort key of 8-bit text (shown as ToWx shows it): two keys compared byte by byte as
/// std::string compares them are in the order CompareInUserLocale gives their texts. nullopt when
/// the text's own bytes are its key (well-formed UTF-8 in a locale that orders by code point).
std::optional<std::string> CollationKey(std::string_view text);
