// connection_dialog.cpp - CConnectionDlg: its controls below the bind name, its values and texts.
#include "dialogs/connection_dialog.h"

#include <algorithm>

#include <wx/checkbox.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "dialogs/dialog_units.h"
#include "localisation/text_keys.h"
#include "platform/apply_texts.h"
#include "platform/text.h"
#include "platform/text_codec.h"
#include "storage/connection_profile.h"

namespace {

/// The height in dialog units between the bind name and the buttons: the check box and the cap.
constexpr int kOptionsHeightDu = 38;

}  // namespace

CConnectionDlg::CConnectionDlg(wxWindow* parent, const std::string& bindUser, const ConnectionOptions& options,
                               const TextCatalog& texts)
    : CFieldDlg(parent, {"Connection", kLabelId, wxST_NO_AUTORESIZE, kBindUserId, 0, kOptionsHeightDu})
{
    const DialogUnits du(*this);
    m_startTls = new wxCheckBox(this, kStartTlsId, wxString(), du.At(7, 38), du.Size(206, 10));
    auto* capLabel =
        new wxStaticText(this, kEntryCapLabelId, wxString(), du.At(7, 57), du.Size(140, 10), wxST_NO_AUTORESIZE);
    m_entryCap = new wxSpinCtrl(this, kEntryCapId, wxString(), du.At(150, 55), du.Size(63, 12), wxSP_ARROW_KEYS, 1,
                                static_cast<int>(kSearchLargestCap), static_cast<int>(kSearchMaxEntries));
    // A toolkit whose spin control needs more room than the template gives (its buttons beside the
    // text) keeps it whole: it ends where the template's does, and the label gives way.
    const wxRect cap = m_entryCap->GetRect();
    const int needed = m_entryCap->GetBestSize().x;
    if (needed > cap.width) {
        m_entryCap->SetSize(cap.GetRight() + 1 - needed, cap.y, needed, cap.height);
        const wxRect label = capLabel->GetRect();
        capLabel->SetSize(label.x, label.y, std::max(0, cap.GetRight() + 1 - needed - du.Size(3, 0).x - label.x),
                          label.height);
    }
    // the tab order follows the template: the edit, then these, then OK and Cancel
    m_startTls->MoveAfterInTabOrder(Edit());
    m_entryCap->MoveAfterInTabOrder(m_startTls);
    Edit()->ChangeValue(ToWx(bindUser));
    m_startTls->SetValue(options.startTls);
    m_entryCap->SetValue(static_cast<int>(WithConnection({}, options).maxEntries));
    ApplyTexts(ConnectionDialogKeys(), texts, PlacesOf(this));
}

std::string CConnectionDlg::BindUser() const
{
    return CutToBytes(FromWx(Edit()->GetValue()), kFieldLimit);
}

ConnectionOptions CConnectionDlg::Options() const
{
    ConnectionOptions options;
    options.startTls = m_startTls->GetValue();
    const int cap = m_entryCap->GetValue();
    options.entryCap = cap == static_cast<int>(kSearchMaxEntries) ? 0 : static_cast<uint32_t>(cap);
    return options;
}
