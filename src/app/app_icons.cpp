// app_icons.cpp - draws the window icon, the result icon and the banner with a memory device context.
#include "app/app_icons.h"

#include <algorithm>

#include <wx/icon.h>

#include "platform/drawn_bitmap.h"

namespace {

const wxColour kBlue(31, 94, 168);
const wxColour kLightBlue(120, 170, 225);

/// The pixels of a length in the units a picture is designed in, rounded.
struct ScaledUnits {
    double pixelsPerUnit;
    int operator()(double units) const { return static_cast<int>(units * pixelsPerUnit + 0.5); }
};

/// A magnifier over a directory tree on a blue square.
wxIcon DrawWindowIcon(int size)
{
    const wxBitmap bitmap = DrawnBitmap(wxSize(size, size), [size](wxDC& dc) {
        dc.SetBackground(wxBrush(kBlue));
        dc.Clear();
        const ScaledUnits u{size / 16.0};
        dc.SetPen(wxPen(*wxWHITE, std::max(1, u(1))));
        // tree: a root and two leaves
        dc.DrawLine(u(3), u(3), u(3), u(11));
        dc.DrawLine(u(3), u(6), u(6), u(6));
        dc.DrawLine(u(3), u(11), u(6), u(11));
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawRectangle(u(2), u(2), u(3), u(2));
        // magnifier
        dc.SetBrush(wxBrush(kLightBlue));
        dc.SetPen(wxPen(*wxWHITE, std::max(1, u(1.5))));
        dc.DrawCircle(u(10), u(7), u(3.5));
        dc.DrawLine(u(12.5), u(9.5), u(15), u(14.5));
    });
    wxIcon icon;
    icon.CopyFromBitmap(bitmap);
    return icon;
}

}  // namespace

wxIconBundle WindowIcons()
{
    wxIconBundle bundle;
    for (const int size : {16, 32, 48}) {
        bundle.AddIcon(DrawWindowIcon(size));
    }
    return bundle;
}

wxBitmap ResultIcon(int size)
{
    return DrawnBitmap(wxSize(size, size), [size](wxDC& dc) {
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        const ScaledUnits u{size / 20.0};
        // a card with a head and shoulders
        dc.SetPen(wxPen(kBlue));
        dc.SetBrush(wxBrush(wxColour(235, 242, 250)));
        dc.DrawRoundedRectangle(u(1), u(3), u(18), u(14), std::max(1, u(2)));
        dc.SetBrush(wxBrush(kBlue));
        dc.DrawCircle(u(7), u(8), u(2.5));
        dc.DrawEllipticArc(u(3), u(11), u(8), u(6), 0, 180);
        dc.SetPen(wxPen(kLightBlue, std::max(1, u(1))));
        dc.DrawLine(u(12), u(7), u(17), u(7));
        dc.DrawLine(u(12), u(10), u(17), u(10));
        dc.DrawLine(u(12), u(13), u(16), u(13));
    });
}

wxBitmap BannerBitmap(const wxString& subtitle)
{
    return DrawnBitmap(wxSize(533, 42), [&subtitle](wxDC& dc) {
        const int height = dc.GetSize().y;
        dc.GradientFillLinear(wxRect(dc.GetSize()), kBlue, *wxWHITE, wxRIGHT);
        dc.SetFont(wxFontInfo(16).Bold().Family(wxFONTFAMILY_SWISS));
        dc.SetTextForeground(*wxWHITE);
        const wxSize text = dc.GetTextExtent("Corvane LDAP");
        dc.DrawText("Corvane LDAP", 12, (height - text.y) / 2);
        dc.SetFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS));
        dc.DrawText(subtitle, 24 + text.x, (height - text.y) / 2 + text.y - dc.GetCharHeight() - 2);
    });
}
