// dialog_units.h - a template's dialog units in a window's pixels, by the window's font.
#pragma once

#include <wx/gdicmn.h>
#include <wx/window.h>

/** Converts template positions, sizes and rectangles in dialog units to pixels of one window. */
class DialogUnits {
public:
    explicit DialogUnits(const wxWindow& window) : m_window(window) {}

    wxPoint At(int x, int y) const { return m_window.ConvertDialogToPixels(wxPoint(x, y)); }
    wxSize Size(int width, int height) const { return m_window.ConvertDialogToPixels(wxSize(width, height)); }
    wxRect Rect(int x, int y, int width, int height) const { return wxRect(At(x, y), Size(width, height)); }

private:
    const wxWindow& m_window;
};
