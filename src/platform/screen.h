// screen.h - screen facts: resolution, colour depth and the screens' rectangles.
#pragma once

#include <vector>

/// Horizontal dots per inch of the main screen in the units windows are placed in (96 when
/// unknown).
int ScreenDpi();
/// Makes ScreenDpi answer dpi instead (tests); 0 restores the screen's own.
void SetScreenDpiOverride(int dpi);
/// Bits per pixel of the screen.
int ScreenColourDepth();

/** A connected screen's rectangle in desktop pixels; right and bottom lie just outside it. */
struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
};
/// Every connected screen.
std::vector<ScreenRect> ScreenRects();
