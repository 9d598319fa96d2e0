// detail_fields_dialog.cpp - COptionDetailsDlg: the template's controls, Add, Delete and the texts.
#include "dialogs/detail_fields_dialog.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "dialogs/detail_fields_rules.h"
#include "dialogs/dialog_units.h"
#include "localisation/text_keys.h"
#include "platform/apply_texts.h"
#include "platform/text.h"
#include "search/attribute_list.h"

namespace {

/// The detail-fields dialog's layout in dialog units.
constexpr int kWidthDu = 257;
constexpr int kHeightDu = 165;

}  // namespace

COptionDetailsDlg::COptionDetailsDlg(wxWindow* parent, const DetailSlots& slots, const TextCatalog& texts)
{
    Create(parent, wxID_ANY, "Fields to display in details view");
    if (parent != nullptr) {
        SetFont(parent->GetFont());  // the template's dialog units follow the main window's font
    }
    CreateControls();
    m_list->ChangeValue(ToWx(DetailFieldsText(slots)));
    // the FrmOptions texts: Add, Delete, the caption, Cancel and OK
    ApplyTexts(DetailFieldsKeys(), texts, PlacesOf(this));
    if (parent != nullptr) {
        CentreOnParent();
    }
}

void COptionDetailsDlg::CreateControls()
{
    const DialogUnits du(*this);
    wxArrayString names;
    for (const char* name : AttributeNames()) {
        names.Add(ToWx(name));
    }
    // the template height is the open list's; the closed box keeps its natural height
    m_name = new wxComboBox(this, kNameId, wxString(), du.At(4, 3), wxSize(du.Size(134, 120).x, -1), names,
                            wxCB_DROPDOWN | wxCB_SORT | wxTE_PROCESS_ENTER);
    new wxButton(this, kAddId, "Add", du.At(141, 3), du.Size(56, 14));
    new wxButton(this, kClearId, "Clear", du.At(200, 3), du.Size(55, 14));
    m_list = new wxTextCtrl(this, kListId, wxString(), du.At(4, 20), du.Size(250, 121),
                            wxTE_MULTILINE | wxVSCROLL | wxHSCROLL | wxTE_DONTWRAP);
    auto* ok = new wxButton(this, wxID_OK, "OK", du.At(69, 145), du.Size(58, 14));
    new wxButton(this, wxID_CANCEL, "Cancel", du.At(130, 145), du.Size(58, 14));
    ok->SetDefault();
    SetClientSize(du.Size(kWidthDu, kHeightDu));

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { AddField(); }, kAddId);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { ClearFields(); }, kClearId);
    // Enter in the combo box adds its name, as Add does, and leaves the dialog open for the next
    m_name->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { AddField(); });
    // the name to add is typed first: the dialog opens with the focus in the combo box
    Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& event) {
        event.Skip();
        m_name->SetFocus();
    });
}

void COptionDetailsDlg::AddField()
{
    m_list->ChangeValue(ToWx(WithFieldAdded(FromWx(m_list->GetValue()), FromWx(m_name->GetValue()))));
}

void COptionDetailsDlg::ClearFields()
{
    m_list->ChangeValue(wxString());
}

DetailSlots COptionDetailsDlg::DetailAttributes() const
{
    return DetailSlotsFromText(FromWx(m_list->GetValue()));
}
