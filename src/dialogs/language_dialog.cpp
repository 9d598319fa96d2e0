// language_dialog.cpp - CLanguageDlg: the list from the catalogue, the preselection and the preview.
#include "dialogs/language_dialog.h"

#include <utility>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/stattext.h>

#include "dialogs/dialog_units.h"
#include "localisation/language_catalog.h"
#include "localisation/text_keys.h"
#include "platform/apply_texts.h"
#include "platform/text.h"

namespace {

/// The language dialog's layout in dialog units.
constexpr int kWidthDu = 209;
constexpr int kHeightDu = 62;

}  // namespace

CLanguageDlg::CLanguageDlg(wxWindow* parent, LanguageSelection current, const std::string& catalogPath,
                           const std::string& programFolder)
    : m_selected(std::move(current))
{
    Create(parent, wxID_ANY, "Language selection");
    if (parent != nullptr) {
        SetFont(parent->GetFont());  // the template's dialog units follow the main window's font
    }
    CreateControls();

    const LanguageChoices choices =
        LanguageDialogChoices(ReadLanguageCatalog(catalogPath), programFolder, m_selected.file);
    // All names in one go, without a layout of the list per name: a catalogue may be long.
    wxArrayString names;
    names.reserve(choices.names.size());
    for (const std::string& name : choices.names) {
        names.push_back(ToWx(name));
    }
    m_list->Freeze();
    m_list->Append(names);
    m_list->Thaw();
    m_names = choices.names;
    m_entryFiles = choices.entryFiles;
    ApplyLanguageDialogTexts();
    m_list->SetSelection(static_cast<int>(choices.selection));
    if (parent != nullptr) {
        CentreOnParent();
    }
}

void CLanguageDlg::CreateControls()
{
    const DialogUnits du(*this);
    new wxStaticText(this, kLabelId, "Current language:", du.At(7, 17), du.Size(90, 12), wxST_NO_AUTORESIZE);
    // a drop-down list without typing, in catalogue order
    m_list = new wxChoice(this, kListId, du.At(100, 15), wxSize(du.Size(102, 61).x, -1));
    auto* ok = new wxButton(this, wxID_OK, "OK", du.At(42, 44), du.Size(58, 14));
    new wxButton(this, wxID_CANCEL, "Cancel", du.At(108, 44), du.Size(58, 14));
    ok->SetDefault();
    SetClientSize(du.Size(kWidthDu, kHeightDu));

    m_list->Bind(wxEVT_CHOICE, [this](wxCommandEvent& event) { SelectEntry(event.GetSelection()); });
}

void CLanguageDlg::SelectEntry(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_entryFiles.size()) {
        return;
    }
    if (m_list->GetSelection() != index) {
        m_list->SetSelection(index);
    }
    m_selected.file = m_entryFiles[static_cast<std::size_t>(index)];
    // the name as the catalogue has it, byte for byte, so that it is found again at the next start
    m_selected.name = m_names[static_cast<std::size_t>(index)];
    // a new selection is a change of language: its file is read here, once
    m_selected.texts = std::make_shared<const TextCatalog>(m_selected.file);
    ApplyLanguageDialogTexts();
}

void CLanguageDlg::ApplyLanguageDialogTexts()
{
    ApplyTexts(LanguageDialogKeys(), *m_selected.texts, PlacesOf(this));
}
