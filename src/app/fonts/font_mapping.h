// font_mapping.h - the one place where a FontDescription becomes a wx font and back.
#pragma once

#include <wx/font.h>

#include "app/fonts/font_description.h"

/// The description of a wx font on a screen of dpi dots per inch: the face name (cut to 31
/// bytes), the character set of its encoding, its height as negative character pixels, the
/// pitch-and-family byte of its family and pitch, its weight and style.
FontDescription DescribeFont(const wxFont& font, int dpi);

/// A wx font of the description: a negative height is the character height in pixels, a positive
/// one the cell height, 0 the normal size of the toolkit's font.
wxFont MakeFont(const FontDescription& description, int dpi);
