// app_icons.h - the program's own pictures, drawn in code: window icon, result icon and banner.
#pragma once

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

/// The window icon at 16, 32 and 48 pixels.
wxIconBundle WindowIcons();
/// The result list's entry icon (a person card) at size x size pixels on black, which the list
/// masks as its transparent colour.
wxBitmap ResultIcon(int size);
/// The banner across the top of the main window, 533 x 42 pixels, the program's name and subtitle
/// on it.
wxBitmap BannerBitmap(const wxString& subtitle);
