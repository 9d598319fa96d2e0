// message_box.cpp - ShowMessageBox through wxMessageDialog.
#include "platform/message_box.h"

#include <wx/msgdlg.h>

#include "platform/text.h"

void ShowMessageBox(wxWindow* parent, const std::string& text, const std::string& caption, long icon,
                    const std::string& details)
{
    wxMessageDialog box(parent, ToWx(text), ToWx(caption), wxOK | icon);
    if (!details.empty()) {
        box.SetExtendedMessage(ToWx(details));
    }
    box.ShowModal();
}
