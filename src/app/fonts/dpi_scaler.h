// dpi_scaler.h - DpiScaler: pixel sizes, bitmaps and windows scaled to the screen's resolution.
#pragma once

#include <wx/bitmap.h>

#include "app/fonts/dpi_arithmetic.h"

class wxWindow;

/** Scales from the design resolution (96 dots per inch) to the screen's real one. Temporary. */
class DpiScaler {
public:
    explicit DpiScaler(int designDpi = kDesignDpi);

    /// v scaled to the screen: unchanged at the design resolution and below.
    int Scale(int value) const { return ScaleForDpi(value, m_screenDpi, m_designDpi); }
    /// Bits per pixel of the screen.
    int ColourDepth() const;
    /// The width x height part of source at the top left, stretched to a new bitmap of
    /// width x height by plain pixel copies (no smoothing, so a transparent colour stays exact).
    wxBitmap StretchBitmap(const wxBitmap& source, int sourceWidth, int sourceHeight, int width, int height) const;
    /// Enlarges child (its top-left corner kept) by the screen's resolution over the design one;
    /// nothing on a screen at or below the design resolution.
    void ScaleWindow(wxWindow* child, wxWindow* parent) const;

private:
    int m_designDpi;
    int m_screenDpi;
};
