// password_dialog.cpp - CPasswordDlg: its controls, its texts and the password taken out of the
// masked edit without leaving copies behind.
#include "search_window/password_dialog.h"

#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "localisation/text_keys.h"
#include "platform/apply_texts.h"
#include "platform/text.h"
#include "search/search_rules.h"

CPasswordDlg::CPasswordDlg(wxWindow* parent, const std::string& bindName, const TextCatalog& texts)
    : CFieldDlg(parent,
                {"Password", kLabelId, wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE, kPasswordId, wxTE_PASSWORD, 0})
{
    ApplyPasswordDialogTexts(bindName, texts);
}

CPasswordDlg::~CPasswordDlg()
{
    // The toolkit overwrites the text a masked edit lets go of.
    Edit()->Clear();
}

void CPasswordDlg::ApplyPasswordDialogTexts(const std::string& bindName, const TextCatalog& texts)
{
    TextPlaces places = PlacesOf(this);
    places.store = [this, &bindName](const TextKey& row, const std::string& text) {
        // The bind name goes in by plain replacement: it is user text, never a format.
        if (std::string(row.key) == keys::kPasswordFor) {
            FindWindow(kLabelId)->SetLabel(ToWxLabel(FillPlaceholder(text, bindName)));
        }
    };
    ApplyTexts(PasswordDialogKeys(), texts, places);
}

Password CPasswordDlg::TakePassword()
{
    wxString typed = Edit()->GetValue();
    wxScopedCharBuffer bytes = typed.utf8_str();
    Password password(std::string_view(bytes.data(), bytes.length()));
    // Overwrite the copies made on the way: the converted bytes and the wide text.
    WipeBytes(bytes.data(), bytes.length());
    typed.replace(0, typed.length(), typed.length(), wxUniChar(0));
    Edit()->Clear();
    return password;
}
