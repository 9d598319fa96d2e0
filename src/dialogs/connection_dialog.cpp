// connection_dialog.cpp - CConnectionDlg: its controls below the bind name, its values and texts.
#include "dialogs/connection_dialog.h"

#include <algorithm>

#include <wx/checkbox.h>
#include <wx/radiobut.h>
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

/// The height in dialog units between the bind name and the buttons: the check box, the cap and
/// the three ways to sign in.
constexpr int kOptionsHeightDu = 74;

std::size_t IndexOf(SignIn signIn)
{
    return signIn == SignIn::Anonymous ? 0 : signIn == SignIn::Password ? 1 : 2;
}

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
    const int ids[] = {kAnonymousId, kPasswordId, kTicketId};
    for (std::size_t i = 0; i < 3; ++i) {
        m_signIn[i] = new wxRadioButton(this, ids[i], wxString(), du.At(7, 72 + 12 * static_cast<int>(i)),
                                        du.Size(206, 10), i == 0 ? wxRB_GROUP : 0);
    }
    // the tab order follows the template: the edit, then these, then OK and Cancel
    m_startTls->MoveAfterInTabOrder(Edit());
    m_entryCap->MoveAfterInTabOrder(m_startTls);
    m_signIn[0]->MoveAfterInTabOrder(m_entryCap);
    m_signIn[1]->MoveAfterInTabOrder(m_signIn[0]);
    m_signIn[2]->MoveAfterInTabOrder(m_signIn[1]);
    m_openedBindUser = bindUser;
    m_signIn[IndexOf(EffectiveSignIn(options.signIn, bindUser))]->SetValue(true);
    Edit()->Bind(wxEVT_TEXT, &CConnectionDlg::OnBindUserTyped, this);
    Edit()->ChangeValue(ToWx(bindUser));
    m_startTls->SetValue(options.startTls);
    m_entryCap->SetValue(static_cast<int>(WithConnection({}, options).maxEntries));
    ApplyTexts(ConnectionDialogKeys(), texts, PlacesOf(this));
    FitEntryCapRow(*capLabel);
}

void CConnectionDlg::FitEntryCapRow(wxStaticText& label)
{
    // The spin control gets the size the toolkit needs (its buttons beside the text, a theme's
    // height) and ends where the template's does; the label before it gets its text's width.
    // Where the row is too narrow for both, in a language with a long label, the dialog widens
    // and the controls on its right move with its edge.
    const DialogUnits du(*this);
    const wxRect cap = m_entryCap->GetRect();
    const wxSize needed(std::max(cap.width, m_entryCap->GetBestSize().x),
                        std::max(cap.height, m_entryCap->GetBestSize().y));
    const int gap = du.Size(3, 0).x;
    const wxRect text = label.GetRect();
    const int room = cap.GetRight() + 1 - needed.x - gap - text.x;
    const int wider = std::max(0, label.GetBestSize().x - room);
    if (wider > 0) {
        SetClientSize(GetClientSize() + wxSize(wider, 0));
        for (wxWindow* child : GetChildren()) {
            const wxRect rect = child->GetRect();
            if (child == m_entryCap || child->GetId() == wxID_OK || child->GetId() == wxID_CANCEL) {
                child->Move(rect.x + wider, rect.y);
            } else if (child != &label && rect.GetRight() + 1 >= cap.GetRight() + 1) {
                child->SetSize(rect.width + wider, rect.height);  // fields across the dialog
            }
        }
        CentreOnParent();
    }
    m_entryCap->SetSize(cap.GetRight() + 1 + wider - needed.x, cap.y - (needed.y - cap.height) / 2, needed.x, needed.y);
    label.SetSize(text.x, text.y, room + wider, text.height);
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
    const std::string name = BindUser();
    if (m_signIn[2]->GetValue()) {
        options.signIn = SignIn::Kerberos;
    } else if (name != m_openedBindUser) {
        options.signIn = SignIn::Password;  // the name decides
    } else {
        options.signIn = m_signIn[0]->GetValue() ? SignIn::Anonymous : SignIn::Password;
    }
    return options;
}

wxRadioButton* CConnectionDlg::SignInButton(SignIn signIn) const
{
    return m_signIn[IndexOf(signIn)];
}

void CConnectionDlg::OnBindUserTyped(wxCommandEvent& event)
{
    event.Skip();
    if (!m_signIn[2]->GetValue()) {
        m_signIn[IndexOf(ImpliedSignIn(FromWx(Edit()->GetValue())))]->SetValue(true);
    }
}
