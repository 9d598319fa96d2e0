// detail_fields_dialog.h - COptionDetailsDlg, the dialog that edits the detail fields as text.
#pragma once

#include <string>

#include <wx/dialog.h>

#include "localisation/window_ids.h"
#include "storage/connection_profile.h"

class TextCatalog;
class wxComboBox;
class wxTextCtrl;

/**
 * The detail-fields dialog: a combo box of common attribute names, Add, Delete, the list as a
 * multi-line edit with one name per line, OK and Cancel. Values in through the constructor, ShowModal, and on wxID_OK
 * the edited list out through DetailAttributes(); on Cancel the opener keeps its slots.
 */
class COptionDetailsDlg : public wxDialog {
public:
    static constexpr int kNameId = dlg::kFieldsName;
    static constexpr int kAddId = dlg::kFieldsAdd;
    static constexpr int kClearId = dlg::kFieldsClear;
    static constexpr int kListId = dlg::kFieldsList;

    /// Builds the dialog in the parent's font with the list of slots in its edit and its texts
    /// from texts. The opener then applies the program's font settings to it.
    COptionDetailsDlg(wxWindow* parent, const DetailSlots& slots, const TextCatalog& texts);

    /// The slots as the edit's lines give them (what OK writes back).
    DetailSlots DetailAttributes() const;

    /// Add: appends the combo box's text (picked or typed) as a new line; nothing when it is empty.
    void AddField();
    /// Delete: empties the list.
    void ClearFields();

    wxComboBox* NameBox() const { return m_name; }
    wxTextCtrl* ListEdit() const { return m_list; }

private:
    void CreateControls();
    wxComboBox* m_name = nullptr;
    wxTextCtrl* m_list = nullptr;
};
