// connection_dialog.h - CConnectionDlg, the dialog of Options > Connection...: the bind name,
// StartTLS and the entry cap.
#pragma once

#include <string>

#include "dialogs/field_dialog.h"
#include "localisation/window_ids.h"
#include "search/search_rules.h"

class TextCatalog;
class wxCheckBox;
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

    /// Builds the dialog in the parent's font with bindUser in its edit, options in the check box
    /// and the spin control, and its texts from texts.
    CConnectionDlg(wxWindow* parent, const std::string& bindUser, const ConnectionOptions& options,
                   const TextCatalog& texts);

    /// The edit's name, cut to what a field holds; blanks around it are kept, as in every field.
    std::string BindUser() const;

    /// StartTLS as ticked, and the cap (0 when it is the default, so a profile stays as it was).
    ConnectionOptions Options() const;

    wxTextCtrl* BindUserEdit() const { return Edit(); }
    wxCheckBox* StartTlsBox() const { return m_startTls; }
    wxSpinCtrl* EntryCapEdit() const { return m_entryCap; }

private:
    /// Gives the entry cap and its label the room their texts need, widening the dialog if need be.
    void FitEntryCapRow(wxStaticText& label);

    wxCheckBox* m_startTls = nullptr;
    wxSpinCtrl* m_entryCap = nullptr;
};
