// about_dialog.h - CAboutDlg, the about box (caption "Info").
#pragma once

#include <functional>
#include <string>

#include <wx/dialog.h>

#include "localisation/window_ids.h"

class wxButton;

/**
 * The about box: on a white panel the program's icon and picture, the title in
 * bold, the version, the rights notice, the translation credits and the maker's
 * web and mail addresses, the credits and addresses in link fields (CClickEdit)
 * that open on a double click. Its texts are fixed in English except the OK
 * button, whose text the opener hands in. Create it, Run it once, destroy it.
 */
class CAboutDlg : public wxDialog {
public:
    /// Id of the OK button in the template.
    static constexpr int kOkId = btn::kOk;

    /// Builds the dialog with its controls; parent is the main window, whose icon it shows.
    explicit CAboutDlg(wxWindow* parent);

    /// The title's font (the opener's definition font in bold); the other controls keep the
    /// font the opener gave the dialog.
    void SetTitleFont(const wxFont& font);
    /// Puts the translators' credit lines ("French by:", ...) in the user's language, from text.
    void SetCreditTexts(const std::function<std::string(const char* key)>& text);
    /// Puts okText on the OK button, widens a link field whose text its template rectangle cannot
    /// show (up to the panel's edge) and shows the dialog modally; returns how it ended.
    int Run(const std::string& okText);

private:
    void CreateControls();
    void FitLinkFields();
    wxButton* m_ok = nullptr;
};
