// dpi_scaler.cpp - DpiScaler over wx bitmaps and windows.
#include "app/fonts/dpi_scaler.h"

#include <wx/image.h>
#include <wx/window.h>

#include "platform/screen.h"

DpiScaler::DpiScaler(int designDpi) : m_designDpi(designDpi), m_screenDpi(ScreenDpi()) {}

int DpiScaler::ColourDepth() const
{
    return ScreenColourDepth();
}

wxBitmap DpiScaler::StretchBitmap(const wxBitmap& source, int sourceWidth, int sourceHeight, int width,
                                  int height) const
{
    if (!source.IsOk() || width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) {
        return wxBitmap();
    }
    wxImage image = source.ConvertToImage();
    if (sourceWidth < image.GetWidth() || sourceHeight < image.GetHeight()) {
        image = image.GetSubImage(
            wxRect(0, 0, std::min(sourceWidth, image.GetWidth()), std::min(sourceHeight, image.GetHeight())));
    }
    return wxBitmap(image.Scale(width, height, wxIMAGE_QUALITY_NEAREST));
}

void DpiScaler::ScaleWindow(wxWindow* child, wxWindow* /*parent*/) const
{
    if (child == nullptr) {
        return;
    }
    const wxSize size = child->GetSize();
    if (const std::optional<ScaledSize> scaled = ScaledWindowSize(size.x, size.y, m_screenDpi, m_designDpi)) {
        child->SetSize(scaled->width, scaled->height);
    }
}
