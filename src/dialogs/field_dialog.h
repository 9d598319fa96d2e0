// field_dialog.h - CFieldDlg, the frame of the dialogs that ask for one line: a label, an edit, OK and Cancel.
#pragma once

#include <wx/dialog.h>
#include <wx/string.h>

class wxTextCtrl;

/**
 * A dialog in the parent's font, centred on it: a label above an edit, OK (the default) and
 * Cancel, the focus in the edit. The dialogs built on it add their value and their texts.
 */
class CFieldDlg : public wxDialog {
protected:
    /** What differs between the dialogs: caption, ids, the styles of label and edit, and the
        height in dialog units the dialog leaves free between the edit and the buttons for
        controls of its own (from 38 down). */
    struct Shape {
        const char* caption;
        int labelId;
        long labelStyle;
        int editId;
        long editStyle;
        int extraHeightDu;
    };

    CFieldDlg(wxWindow* parent, const Shape& shape);

    wxTextCtrl* Edit() const { return m_edit; }

private:
    wxTextCtrl* m_edit = nullptr;
};
