// language_dialog.h - CLanguageDlg, the dialog that chooses the program's language.
#pragma once

#include <string>
#include <vector>

#include <wx/dialog.h>

#include "localisation/window_ids.h"

class wxChoice;

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
    /// files relative to programFolder), the entry of currentLanguageFile preselected, the texts
    /// from currentLanguageFile. The opener then applies the program's font settings to it.
    CLanguageDlg(wxWindow* parent, const std::string& currentLanguageFile, const std::string& currentLanguageName,
                 const std::string& catalogPath, const std::string& programFolder);

    /// The selected entry's language file (full path; "" for the built-in English). Until the
    /// selection changes, the current language file given.
    const std::string& SelectedLanguageFile() const { return m_selectedLanguageFile; }
    /// The selected entry's name; until the selection changes, the current language name given.
    const std::string& SelectedLanguageName() const { return m_selectedLanguageName; }

    /// Takes entry index of the list as the selection and previews its language.
    void SelectEntry(int index);
    wxChoice* List() const { return m_list; }

private:
    void CreateControls();
    /// The FrmLanguage texts from the selected language file: caption, label, OK and Cancel.
    void ApplyLanguageDialogTexts();

    std::string m_selectedLanguageFile;
    std::string m_selectedLanguageName;
    std::vector<std::string> m_names;       ///< each list entry's name
    std::vector<std::string> m_entryFiles;  ///< the full path of each list entry's file
    wxChoice* m_list = nullptr;
};
