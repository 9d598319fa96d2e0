// field_text.cpp - field texts of the main window by id.
#include "app/sessions/field_text.h"

#include <wx/textctrl.h>
#include <wx/window.h>

#include "platform/text.h"
#include "platform/text_codec.h"
#include "storage/connection_profile.h"

std::string FieldText(const wxWindow& window, int id)
{
    const auto* entry = dynamic_cast<const wxTextEntry*>(window.FindWindow(id));
    return entry != nullptr ? CutToBytes(FromWx(entry->GetValue()), kFieldLimit) : std::string();
}

void SetFieldText(wxWindow& window, int id, const std::string& text)
{
    if (auto* entry = dynamic_cast<wxTextEntry*>(window.FindWindow(id))) {
        entry->ChangeValue(ToWx(text));
    }
}
