// language_dialog.h - CLanguageDlg, the dialog that chooses the program's language.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <wx/dialog.h>

#include "localisation/text_catalog.h"
#include "localisation/window_ids.h"

class wxChoice;

/** A language as the dialog takes it in and gives it out: its file, its name and its texts. */
struct LanguageSelection {
    std::string file;  ///< full path; "" for the built-in English
    std::string name;  ///< the name as the catalogue has it
    std::shared_ptr<const TextCatalog> texts;
};

/**
 * The language dialog: the label "Current language:", a drop-down list of
 * the languages, OK and Cancel. The list holds the built-in English and the catalogue's
 * entries; each change of the selection previews the selected language on the dialog itself.
 * Values in through the constructor, ShowModal, and on wxID_OK the selected language out.
 */
class CLanguageDlg : public wxDialog {
public:
    static constexpr int kLabelId = dlg::kLanguageLabel;
    static constexpr int kListId = dlg::kLanguageList;

    /// Builds the dialog in the parent's font: the list from the catalogue at catalogPath (entry
    /// files relative to programFolder), the entry of the current language's file preselected, its
    /// texts on the dialog. The opener then applies the program's font settings to it.
    CLanguageDlg(wxWindow* parent, LanguageSelection current, const std::string& catalogPath,
                 const std::string& programFolder);

    /// The selected entry's language file (full path; "" for the built-in English). Until the
    /// selection changes, the current language file given.
    const std::string& SelectedLanguageFile() const { return m_selected.file; }
    /// The selected entry's name; until the selection changes, the current language name given.
    const std::string& SelectedLanguageName() const { return m_selected.name; }
    /// The selected entry's texts, read when it was selected; until then the current ones given.
    const std::shared_ptr<const TextCatalog>& SelectedCatalog() const { return m_selected.texts; }

    /// Takes entry index of the list as the selection and previews its language.
    void SelectEntry(int index);
    wxChoice* List() const { return m_list; }

private:
    void CreateControls();
    /// The FrmLanguage texts of the selected language: caption, label, OK and Cancel.
    void ApplyLanguageDialogTexts();

    LanguageSelection m_selected;
    std::vector<std::string> m_names;       ///< each list entry's name
    std::vector<std::string> m_entryFiles;  ///< the full path of each list entry's file
    wxChoice* m_list = nullptr;
};
