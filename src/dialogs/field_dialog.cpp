// field_dialog.cpp - CFieldDlg: the controls at their template places.
#include "dialogs/field_dialog.h"

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "dialogs/dialog_units.h"

namespace {

/// The dialog's size in dialog units.
constexpr int kWidthDu = 220;
constexpr int kHeightDu = 62;

}  // namespace

CFieldDlg::CFieldDlg(wxWindow* parent, const Shape& shape)
{
    Create(parent, wxID_ANY, shape.caption);
    if (parent != nullptr) {
        SetFont(parent->GetFont());  // the main window's font, for the dialog and its controls
    }
    const DialogUnits du(*this);
    new wxStaticText(this, shape.labelId, wxString(), du.At(7, 7), du.Size(206, 10), shape.labelStyle);
    m_edit = new wxTextCtrl(this, shape.editId, wxString(), du.At(7, 19), du.Size(206, 12), shape.editStyle);
    const int buttonsY = 41 + shape.extraHeightDu;
    auto* ok = new wxButton(this, wxID_OK, "OK", du.At(106, buttonsY), du.Size(50, 14));
    new wxButton(this, wxID_CANCEL, "Cancel", du.At(163, buttonsY), du.Size(50, 14));
    ok->SetDefault();
    SetClientSize(du.Size(kWidthDu, kHeightDu + shape.extraHeightDu));
    if (parent != nullptr) {
        CentreOnParent();
    }
    m_edit->SetFocus();
}
