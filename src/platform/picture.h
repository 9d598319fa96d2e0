// picture.h - a picture's bytes (JPEG, PNG, GIF) as an image the toolkit draws.
#pragma once

#include <string_view>

#include <wx/image.h>

/// The picture held in bytes, or an invalid image when they hold none the system reads (or one of
/// more than kLargestPictureSide pixels a side). Shows no message either way.
wxImage DecodePicture(std::string_view bytes);

/// The widest and highest picture DecodePicture takes, in pixels.
inline constexpr int kLargestPictureSide = 8192;
