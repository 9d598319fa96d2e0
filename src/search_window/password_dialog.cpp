// password_dialog.cpp - CPasswordDlg: its controls, its texts and the password taken out of the
// masked edit without leaving copies behind.
#include "search_window/password_dialog.h"

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "localisation/text_catalog.h"
#include "localisation/text_keys.h"
#include "platform/apply_texts.h"
#include "platform/text.h"
#include "search/search_rules.h"

namespace {

/// The dialog's size in dialog units.
constexpr int kWidthDu = 220;
constexpr int kHeightDu = 62;

}  // namespace

CPasswordDlg::CPasswordDlg(wxWindow* parent, const std::string& bindName, const std::string& languageFile)
{
    Create(parent, wxID_ANY, "Password");
    if (parent != nullptr)
        SetFont(parent->GetFont());  // the main window's font, for the dialog and its controls
    CreateControls();
    ApplyPasswordDialogTexts(bindName, languageFile);
    if (parent != nullptr)
        CentreOnParent();
    m_password->SetFocus();
}

CPasswordDlg::~CPasswordDlg()
{
    // The toolkit overwrites the text a masked edit lets go of.
    m_password->Clear();
}

void CPasswordDlg::CreateControls()
{
    const auto at = [this](int x, int y) {
        return ConvertDialogToPixels(wxPoint(x, y));
    };
    const auto size = [this](int width, int height) {
        return ConvertDialogToPixels(wxSize(width, height));
    };
    new wxStaticText(this, kLabelId, wxString(), at(7, 7), size(206, 10), wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE);
    m_password = new wxTextCtrl(this, kPasswordId, wxString(), at(7, 19), size(206, 12), wxTE_PASSWORD);
    auto* ok = new wxButton(this, wxID_OK, "OK", at(106, 41), size(50, 14));
    new wxButton(this, wxID_CANCEL, "Cancel", at(163, 41), size(50, 14));
    ok->SetDefault();
    SetClientSize(size(kWidthDu, kHeightDu));
}

void CPasswordDlg::ApplyPasswordDialogTexts(const std::string& bindName, const std::string& languageFile)
{
    TextCatalog language(languageFile);
    TextPlaces places;
    places.window = this;
    places.controls = this;
    places.store = [this, &bindName](const TextKey& row, const std::string& text) {
        // The bind name goes in by plain replacement: it is user text, never a format.
        if (std::string(row.key) == keys::kPasswordFor)
            FindWindow(kLabelId)->SetLabel(ToWxLabel(FillPlaceholder(text, bindName)));
    };
    ApplyTexts(PasswordDialogKeys(), language, places);
}

Password CPasswordDlg::TakePassword()
{
    wxString typed = m_password->GetValue();
    wxScopedCharBuffer bytes = typed.utf8_str();
    Password password(std::string_view(bytes.data(), bytes.length()));
    // Overwrite the copies made on the way: the converted bytes and the wide text.
    WipeBytes(bytes.data(), bytes.length());
    typed.replace(0, typed.length(), typed.length(), wxUniChar(0));
    m_password->Clear();
    return password;
}
