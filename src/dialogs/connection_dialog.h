// connection_dialog.h - CConnectionDlg, the dialog of Options > Connection...: the bind name.
#pragma once

#include <string>

#include "dialogs/field_dialog.h"
#include "localisation/window_ids.h"

/**
 * The bind name the searches bind as (empty: anonymously): a label, an edit, OK and Cancel.
 * Value in through the constructor, ShowModal, and on wxID_OK the name out through BindUser().
 */
class CConnectionDlg : public CFieldDlg {
public:
    static constexpr int kLabelId = dlg::kConnectionLabel;
    static constexpr int kBindUserId = dlg::kConnectionBindUser;

    /// Builds the dialog in the parent's font with bindUser in its edit and its texts looked up
    /// in languageFile ("" or a missing file: English).
    CConnectionDlg(wxWindow* parent, const std::string& bindUser, const std::string& languageFile);

    /// The edit's name, cut to what a field holds; blanks around it are kept, as in every field.
    std::string BindUser() const;

    wxTextCtrl* BindUserEdit() const { return Edit(); }
};
