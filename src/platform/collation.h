// collation.h - comparing texts in the order of the user's locale.
#pragma once

#include <wx/string.h>

/// Compares two texts as the user's locale orders them (LC_ALL, LC_COLLATE, LANG; the C order when
/// none is set or the named locale is not installed): < 0 when a comes first, 0 when equal.
int CompareInUserLocale(const wxString& a, const wxString& b);
