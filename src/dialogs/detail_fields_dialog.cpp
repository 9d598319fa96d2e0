// detail_fields_dialog.cpp - COptionDetailsDlg: the template's controls, Add, Delete and the texts.
#include "dialogs/detail_fields_dialog.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "dialogs/detail_fields_rules.h"
#include "localisation/text_catalog.h"
#include "localisation/text_keys.h"
#include "platform/apply_texts.h"
#include "platform/text.h"
#include "search/attribute_list.h"

namespace {

/// The detail-fields dialog's layout in dialog units.
constexpr int kWidthDu = 257;
constexpr int kHeightDu = 165;

}  // namespace

COptionDetailsDlg::COptionDetailsDlg(wxWindow* parent, const DetailSlots& slots, const std::string& languageFile)
    : m_languageFile(languageFile)
{
    Create(parent, wxID_ANY, "Fields to display in details view");
    if (parent != nullptr)
        SetFont(parent->GetFont());  // the template's dialog units follow the main window's font
    CreateControls();
    m_list->ChangeValue(ToWx(DetailFieldsText(slots)));
    ApplyDetailFieldsTexts();
    if (parent != nullptr)
        CentreOnParent();
}

void COptionDetailsDlg::CreateControls()
{
    const auto at = [this](int x, int y) {
        return ConvertDialogToPixels(wxPoint(x, y));
    };
    const auto size = [this](int width, int height) {
        return ConvertDialogToPixels(wxSize(width, height));
    };

    wxArrayString names;
    for (const char* name : AttributeNames())
        names.Add(ToWx(name));
    // the template height is the open list's; the closed box keeps its natural height
    m_name = new wxComboBox(this, kNameId, wxString(), at(4, 3), wxSize(size(134, 120).x, -1), names,
                            wxCB_DROPDOWN | wxCB_SORT | wxTE_PROCESS_ENTER);
    new wxButton(this, kAddId, "Add", at(141, 3), size(56, 14));
    new wxButton(this, kClearId, "Clear", at(200, 3), size(55, 14));
    m_list = new wxTextCtrl(this, kListId, wxString(), at(4, 20), size(250, 121),
                            wxTE_MULTILINE | wxVSCROLL | wxHSCROLL | wxTE_DONTWRAP);
    auto* ok = new wxButton(this, wxID_OK, "OK", at(69, 145), size(58, 14));
    new wxButton(this, wxID_CANCEL, "Cancel", at(130, 145), size(58, 14));
    ok->SetDefault();
    SetClientSize(size(kWidthDu, kHeightDu));

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

void COptionDetailsDlg::ApplyDetailFieldsTexts()
{
    TextCatalog language(m_languageFile);
    TextPlaces places;
    places.window = this;
    places.controls = this;
    ApplyTexts(DetailFieldsKeys(), language, places);
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
