// connection_dialog.h - CConnectionDlg, the dialog of Options > Connection...: the bind name,
// StartTLS and the entry cap.
#pragma once

#include <string>

#include <wx/dialog.h>

#include "search/search_rules.h"

class wxCheckBox;
class wxSpinCtrl;
class wxTextCtrl;

/**
 * The bind name the searches bind as (empty: anonymously): a label and an edit; a check box for
 * StartTLS; the entry cap; OK and Cancel. Values in through the constructor, ShowModal, and on
 * wxID_OK out through BindUser() and Options().
 */
class CConnectionDlg : public wxDialog {
public:
    static constexpr int kLabelId = 1060;
    static constexpr int kBindUserId = 1061;
    static constexpr int kStartTlsId = 1062;
    static constexpr int kEntryCapLabelId = 1063;
    static constexpr int kEntryCapId = 1064;

    /// Builds the dialog in the parent's font with bindUser in its edit and its texts looked up
    /// in languageFile ("" or a missing file: English).
    CConnectionDlg(wxWindow* parent, const std::string& bindUser, const ConnectionOptions& options,
                   const std::string& languageFile);

    /// The edit's name, cut to what a field holds; blanks around it are kept, as in every field.
    std::string BindUser() const;

    /// StartTLS as ticked, and the cap (0 when it is the default, so a profile stays as it was).
    ConnectionOptions Options() const;

    wxTextCtrl* BindUserEdit() const { return m_bindUser; }
    wxCheckBox* StartTlsBox() const { return m_startTls; }
    wxSpinCtrl* EntryCapEdit() const { return m_entryCap; }

private:
    void CreateControls();

    wxTextCtrl* m_bindUser = nullptr;
    wxCheckBox* m_startTls = nullptr;
    wxSpinCtrl* m_entryCap = nullptr;
};
