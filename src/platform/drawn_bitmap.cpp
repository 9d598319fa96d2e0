// drawn_bitmap.cpp - DrawnBitmap: the bitmap, the device context that paints it, and its release.
#include "platform/drawn_bitmap.h"

#include <wx/dcmemory.h>

wxBitmap DrawnBitmap(const wxSize& size, const std::function<void(wxDC& dc)>& draw)
{
    wxBitmap bitmap(size.x, size.y, 24);
    wxMemoryDC dc(bitmap);
    draw(dc);
    dc.SelectObject(wxNullBitmap);  // the bitmap is whole only once the context lets go of it
    return bitmap;
}
