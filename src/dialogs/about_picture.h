// about_picture.h - the picture of the about box, drawn in code.
#pragma once

#include <wx/bitmap.h>

/// The about box's picture, a directory tree under a magnifier: 160 x 99 pixels up to 96 dots per
/// inch, enlarged by screenDpi / 96 above.
wxBitmap AboutPicture(int screenDpi);
