// about_picture.h - the picture of the about box, drawn in code.
#pragma once

#include <wx/bitmap.h>

/// The about box's picture, 160 x 99 pixels: a directory tree under a magnifier.
wxBitmap AboutPicture();
