// dpi_arithmetic.cpp - scaling pixel sizes to the screen resolution.
#include "app/fonts/dpi_arithmetic.h"

int ScaleForDpi(int value, int screenDpi, int designDpi)
{
    return designDpi > 0 && designDpi < screenDpi ? value * screenDpi / designDpi : value;
}

std::optional<ScaledSize> ScaledWindowSize(int width, int height, int screenDpi, int designDpi)
{
    if (designDpi <= 0 || screenDpi <= designDpi) {
        return std::nullopt;
    }
    const ScaledSize scaled{width * screenDpi / designDpi, height * screenDpi / designDpi};
    if (scaled.width == width || scaled.height == height) {
        return std::nullopt;
    }
    return scaled;
}
