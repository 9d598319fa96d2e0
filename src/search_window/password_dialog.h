// password_dialog.h - CPasswordDlg, the dialog that asks for the password of a bind name.
#pragma once

#include <string>

#include "dialogs/field_dialog.h"
#include "directory/password.h"
#include "localisation/window_ids.h"

class TextCatalog;

/**
 * Asks for the password of a bind name: a label "Password for NAME", a masked edit, OK and
 * Cancel. The typed password is taken out with TakePassword, which empties the edit; the edit
 * is emptied when the dialog goes as well, so no copy stays in the control.
 */
class CPasswordDlg : public CFieldDlg {
public:
    static constexpr int kLabelId = dlg::kPasswordLabel;
    static constexpr int kPasswordId = dlg::kPassword;

    /// Builds the dialog in the parent's font, its texts from texts.
    CPasswordDlg(wxWindow* parent, const std::string& bindName, const TextCatalog& texts);
    ~CPasswordDlg() override;

    /// The typed password as UTF-8 bytes; the edit is emptied.
    Password TakePassword();

    wxTextCtrl* PasswordEdit() const { return Edit(); }

private:
    void ApplyPasswordDialogTexts(const std::string& bindName, const TextCatalog& texts);
};
