// connection_dialog.h - CConnectionDlg, the dialog of Options > Connection...: the bind name,
// StartTLS, the entry cap and the way to sign in.
#pragma once

#include <string>

#include "dialogs/field_dialog.h"
#include "localisation/window_ids.h"
#include "search/search_rules.h"

class TextCatalog;
class wxCheckBox;
class wxCommandEvent;
class wxRadioButton;
class wxSpinCtrl;
class wxStaticText;

/**
 * The bind name the searches bind as (empty: anonymously): a label and an edit; a check box for
 * StartTLS; the entry cap; OK and Cancel. Values in through the constructor, ShowModal, and on
 * wxID_OK out through BindUser() and Options().
 */
class CConnectionDlg : public CFieldDlg {
public:
    static constexpr int kLabelId = dlg::kConnectionLabel;
    static constexpr int kBindUserId = dlg::kConnectionBindUser;
    static constexpr int kStartTlsId = dlg::kConnectionStartTls;
    static constexpr int kEntryCapLabelId = dlg::kConnectionEntryCapLabel;
    static constexpr int kEntryCapId = dlg::kConnectionEntryCap;
    static constexpr int kAnonymousId = dlg::kConnectionAnonymous;
    static constexpr int kPasswordId = dlg::kConnectionPassword;
    static constexpr int kTicketId = dlg::kConnectionTicket;

    /// Builds the dialog in the parent's font with bindUser in its edit, options in the check box
    /// and the spin control, and its texts from texts.
    CConnectionDlg(wxWindow* parent, const std::string& bindUser, const ConnectionOptions& options,
                   const TextCatalog& texts);

    /// The edit's name, cut to what a field holds; blanks around it are kept, as in every field.
    std::string BindUser() const;

    /// StartTLS as ticked, the cap (0 when it is the default, so a profile stays as it was) and the
    /// sign-in chosen: the ticket, or anonymously or with the bind name's password. A bind name
    /// typed or cleared in the dialog chooses the latter two, as the field always has.
    ConnectionOptions Options() const;

    wxTextCtrl* BindUserEdit() const { return Edit(); }
    wxCheckBox* StartTlsBox() const { return m_startTls; }
    wxSpinCtrl* EntryCapEdit() const { return m_entryCap; }
    wxRadioButton* SignInButton(SignIn signIn) const;

private:
    /// Gives the entry cap and its label the room their texts need, widening the dialog if need be.
    void FitEntryCapRow(wxStaticText& label);

    /// Typing a bind name chooses the password, clearing it anonymous.
    void OnBindUserTyped(wxCommandEvent& event);

    std::string m_openedBindUser;
    wxRadioButton* m_signIn[3] = {};  ///< anonymous, password, ticket
    wxCheckBox* m_startTls = nullptr;
    wxSpinCtrl* m_entryCap = nullptr;
};
