// clipboard.cpp - the clipboard through wxTheClipboard.
#include "platform/clipboard.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

bool PutTextOnClipboard(const wxString& text)
{
    if (!wxTheClipboard->Open()) {
        return false;
    }
    const bool put = wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
    return put;
}
