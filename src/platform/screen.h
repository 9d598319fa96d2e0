// screen.h - screen facts: horizontal resolution and colour depth.
#pragma once

/// Horizontal dots per inch of the main screen (96 when unknown).
int ScreenDpi();
/// Bits per pixel of the screen.
int ScreenColourDepth();
