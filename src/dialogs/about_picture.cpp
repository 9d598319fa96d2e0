// about_picture.cpp - draws the about box's picture with a memory device context.
#include "dialogs/about_picture.h"

#include <wx/image.h>

#include "platform/drawn_bitmap.h"

namespace {

const wxColour kBlue(31, 94, 168);
const wxColour kLightBlue(120, 170, 225);
const wxColour kPale(235, 242, 250);

void DrawPicture(wxDC& dc)
{
    dc.GradientFillLinear(wxRect(dc.GetSize()), kPale, *wxWHITE, wxDOWN);

    // a directory tree: the root, two organisational units and their people
    dc.SetPen(wxPen(kBlue, 2));
    dc.DrawLine(28, 22, 28, 78);
    dc.DrawLine(28, 40, 52, 40);
    dc.DrawLine(28, 78, 52, 78);
    dc.DrawLine(64, 40, 64, 60);
    dc.DrawLine(64, 60, 84, 60);
    dc.SetBrush(wxBrush(kBlue));
    dc.DrawRoundedRectangle(14, 10, 28, 14, 3);
    dc.SetBrush(wxBrush(kLightBlue));
    dc.DrawRoundedRectangle(52, 33, 24, 13, 3);
    dc.DrawRoundedRectangle(52, 71, 24, 13, 3);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawCircle(91, 60, 6);

    // a magnifier over the people
    dc.SetPen(wxPen(kBlue, 5));
    dc.DrawLine(130, 70, 148, 90);
    dc.SetPen(wxPen(kBlue, 4));
    dc.SetBrush(wxBrush(wxColour(255, 255, 255, 160)));
    dc.DrawCircle(115, 54, 20);
    dc.SetPen(wxPen(kLightBlue, 2));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawArc(105, 47, 113, 41, 115, 54);
}

}  // namespace

wxBitmap AboutPicture(int screenDpi)
{
    wxBitmap picture = DrawnBitmap(wxSize(160, 99), DrawPicture);
    if (screenDpi <= 96) {
        return picture;
    }
    wxImage image = picture.ConvertToImage();
    image.Rescale(picture.GetWidth() * screenDpi / 96, picture.GetHeight() * screenDpi / 96, wxIMAGE_QUALITY_HIGH);
    return wxBitmap(image);
}
