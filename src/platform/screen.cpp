// screen.cpp - resolution and colour depth of the main screen through wx.
#include "platform/screen.h"

#include <wx/display.h>
#include <wx/gdicmn.h>

int ScreenDpi()
{
    const int dpi = wxDisplay().GetPPI().x;
    return dpi > 0 ? dpi : 96;
}

int ScreenColourDepth()
{
    return wxDisplayDepth();
}
