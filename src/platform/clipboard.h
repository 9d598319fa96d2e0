// clipboard.h - puts text on the system clipboard through the toolkit.
#pragma once

#include <wx/string.h>

/// Replaces the clipboard's content by text; false when the clipboard cannot be opened.
bool PutTextOnClipboard(const wxString& text);
