// connection_dialog.cpp - CConnectionDlg: its controls and texts.
#include "dialogs/connection_dialog.h"

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "localisation/text_catalog.h"
#include "localisation/text_keys.h"
#include "platform/apply_texts.h"
#include "platform/text.h"
#include "platform/text_codec.h"
#include "storage/connection_profile.h"

namespace {

/// The dialog's size in dialog units.
constexpr int kWidthDu = 220;
constexpr int kHeightDu = 62;

}  // namespace

CConnectionDlg::CConnectionDlg(wxWindow* parent, const std::string& bindUser, const std::string& languageFile)
{
    Create(parent, wxID_ANY, "Connection");
    if (parent != nullptr)
        SetFont(parent->GetFont());  // the main window's font, for the dialog and its controls
    CreateControls();
    m_bindUser->ChangeValue(ToWx(bindUser));
    TextCatalog language(languageFile);
    TextPlaces places;
    places.window = this;
    places.controls = this;
    ApplyTexts(ConnectionDialogKeys(), language, places);
    if (parent != nullptr)
        CentreOnParent();
    m_bindUser->SetFocus();
}

void CConnectionDlg::CreateControls()
{
    const auto at = [this](int x, int y) {
        return ConvertDialogToPixels(wxPoint(x, y));
    };
    const auto size = [this](int width, int height) {
        return ConvertDialogToPixels(wxSize(width, height));
    };
    new wxStaticText(this, kLabelId, wxString(), at(7, 7), size(206, 10), wxST_NO_AUTORESIZE);
    m_bindUser = new wxTextCtrl(this, kBindUserId, wxString(), at(7, 19), size(206, 12));
    auto* ok = new wxButton(this, wxID_OK, "OK", at(106, 41), size(50, 14));
    new wxButton(this, wxID_CANCEL, "Cancel", at(163, 41), size(50, 14));
    ok->SetDefault();
    SetClientSize(size(kWidthDu, kHeightDu));
}

std::string CConnectionDlg::BindUser() const
{
    return CutToBytes(FromWx(m_bindUser->GetValue()), kFieldLimit);
}
