// screen.cpp - resolution, colour depth and geometry of the screens through wx.
#include "platform/screen.h"

#include <wx/display.h>
#include <wx/gdicmn.h>

namespace {

int g_dpiOverride = 0;

}  // namespace

int ScreenDpi()
{
    if (g_dpiOverride > 0) {
        return g_dpiOverride;
    }
    const wxDisplay display;
    int dpi = display.GetPPI().x;
#ifdef __WXGTK__
    // GTK places windows and draws bitmaps in its own units, already scaled by the screen's
    // scale factor (GDK_SCALE): dots per inch of those units, so nothing is scaled twice
    if (display.GetScaleFactor() > 1.0) {
        dpi = static_cast<int>(dpi / display.GetScaleFactor());
    }
#endif
    return dpi > 0 ? dpi : 96;
}

void SetScreenDpiOverride(int dpi)
{
    g_dpiOverride = dpi;
}

int ScreenColourDepth()
{
    return wxDisplayDepth();
}

std::vector<ScreenRect> ScreenRects()
{
    std::vector<ScreenRect> screens;
    for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
        const wxRect area = wxDisplay(i).GetGeometry();
        screens.push_back(
            {area.GetLeft(), area.GetTop(), area.GetLeft() + area.GetWidth(), area.GetTop() + area.GetHeight()});
    }
    return screens;
}
