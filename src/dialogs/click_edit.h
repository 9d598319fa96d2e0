// click_edit.h - CClickEdit, a read-only text field that opens its link on a double click.
#pragma once

#include <string>

#include <wx/textctrl.h>

/**
 * A read-only, borderless text field showing an address. When it has a link, a
 * double click hands the link to the desktop (ShellOpen) and the mouse shows
 * the hand cursor over it; without one it behaves as a plain read-only field.
 */
class CClickEdit : public wxTextCtrl {
public:
    CClickEdit(wxWindow* parent, int id, const wxPoint& position, const wxSize& size);

    /// The target a double click opens ("" opens nothing).
    void SetLink(const std::string& link);
    const std::string& Link() const { return m_link; }

private:
    void OnDoubleClick(wxMouseEvent& event);

    std::string m_link;
};
