// dpi_arithmetic.h - pixel sizes scaled from the design resolution of 96 dots per inch. No window.
#pragma once

#include <optional>

/// The resolution every pixel constant of the program is designed for.
inline constexpr int kDesignDpi = 96;

/// value * screenDpi / designDpi (integer division) on a screen finer than the design
/// resolution; value itself otherwise.
int ScaleForDpi(int value, int screenDpi, int designDpi = kDesignDpi);

struct ScaledSize {
    int width;
    int height;
};

/// The size a child window of width x height takes on a screen finer than the design
/// resolution; nullopt when it keeps its size (a coarser screen, or a side that would not change).
std::optional<ScaledSize> ScaledWindowSize(int width, int height, int screenDpi, int designDpi = kDesignDpi);
