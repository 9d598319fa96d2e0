// drawn_bitmap.h - a picture drawn in code on a bitmap of its own.
#pragma once

#include <functional>

#include <wx/bitmap.h>
#include <wx/dc.h>

/// A 24-bit bitmap of size with what draw paints on it through a memory device context.
wxBitmap DrawnBitmap(const wxSize& size, const std::function<void(wxDC& dc)>& draw);
