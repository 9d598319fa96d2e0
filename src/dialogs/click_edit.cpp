// click_edit.cpp - CClickEdit: the hand cursor over a field with a link, the link opened on a double click
// before the field's own handling (word selection) goes on.
#include "dialogs/click_edit.h"

#include "platform/shell.h"

CClickEdit::CClickEdit(wxWindow* parent, int id, const wxPoint& position, const wxSize& size)
    : wxTextCtrl(parent, id, wxString(), position, size, wxTE_READONLY | wxBORDER_NONE)
{
    Bind(wxEVT_LEFT_DCLICK, &CClickEdit::OnDoubleClick, this);
}

void CClickEdit::SetLink(const std::string& link)
{
    m_link = link;
    // the window's own cursor shows only while the mouse is over this field
    SetCursor(m_link.empty() ? wxNullCursor : wxCursor(wxCURSOR_HAND));
}

void CClickEdit::OnDoubleClick(wxMouseEvent& event)
{
    if (!m_link.empty()) {
        ShellOpen(m_link);
    }
    event.Skip();
}
