// connection_dialog.cpp - CConnectionDlg: its value and texts.
#include "dialogs/connection_dialog.h"

#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "localisation/text_keys.h"
#include "platform/apply_texts.h"
#include "platform/text.h"
#include "platform/text_codec.h"
#include "storage/connection_profile.h"

CConnectionDlg::CConnectionDlg(wxWindow* parent, const std::string& bindUser, const std::string& languageFile)
    : CFieldDlg(parent, {"Connection", kLabelId, wxST_NO_AUTORESIZE, kBindUserId, 0})
{
    Edit()->ChangeValue(ToWx(bindUser));
    ApplyTexts(ConnectionDialogKeys(), languageFile, PlacesOf(this));
}

std::string CConnectionDlg::BindUser() const
{
    return CutToBytes(FromWx(Edit()->GetValue()), kFieldLimit);
}
