// connection_dialog.cpp - CConnectionDlg: its controls and texts.
#include "dialogs/connection_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/spinctrl.h>
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
constexpr int kHeightDu = 100;

}  // namespace

CConnectionDlg::CConnectionDlg(wxWindow* parent, const std::string& bindUser, const ConnectionOptions& options,
                               const std::string& languageFile)
{
    Create(parent, wxID_ANY, "Connection");
    if (parent != nullptr)
        SetFont(parent->GetFont());  // the main window's font, for the dialog and its controls
    CreateControls();
    m_bindUser->ChangeValue(ToWx(bindUser));
    m_startTls->SetValue(options.startTls);
    m_entryCap->SetValue(static_cast<int>(WithConnection({}, options).maxEntries));
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
    m_startTls = new wxCheckBox(this, kStartTlsId, wxString(), at(7, 38), size(206, 10));
    new wxStaticText(this, kEntryCapLabelId, wxString(), at(7, 57), size(140, 10), wxST_NO_AUTORESIZE);
    m_entryCap = new wxSpinCtrl(this, kEntryCapId, wxString(), at(150, 55), size(63, 12), wxSP_ARROW_KEYS, 1,
                                static_cast<int>(kSearchLargestCap), static_cast<int>(kSearchMaxEntries));
    auto* ok = new wxButton(this, wxID_OK, "OK", at(106, 79), size(50, 14));
    new wxButton(this, wxID_CANCEL, "Cancel", at(163, 79), size(50, 14));
    ok->SetDefault();
    SetClientSize(size(kWidthDu, kHeightDu));
}

std::string CConnectionDlg::BindUser() const
{
    return CutToBytes(FromWx(m_bindUser->GetValue()), kFieldLimit);
}

ConnectionOptions CConnectionDlg::Options() const
{
    ConnectionOptions options;
    options.startTls = m_startTls->GetValue();
    const int cap = m_entryCap->GetValue();
    options.entryCap = cap == static_cast<int>(kSearchMaxEntries) ? 0 : static_cast<uint32_t>(cap);
    return options;
}
