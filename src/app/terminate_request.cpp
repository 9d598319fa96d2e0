// terminate_request.cpp - TerminateRequest: open dialogs ended, the main window closed, the
// program ended.
#include "app/terminate_request.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/toplevel.h>

int TerminateRequest::Enter(wxDialog* dialog)
{
    if (m_requested) {
        return wxID_CANCEL;  // the program is ending: nothing more is asked
    }
    m_open.push_back(dialog);
    return wxID_NONE;
}

void TerminateRequest::Exit(wxDialog* dialog)
{
    m_open.erase(std::remove(m_open.begin(), m_open.end(), dialog), m_open.end());
}

void TerminateRequest::Request()
{
    if (wxTheApp == nullptr) {
        return;
    }
    m_requested = true;
    wxWindow* main = wxTheApp->GetTopWindow();
    // Dialogs with a loop of the toolkit's own end when asked, innermost first; so do the windows
    // shown modally by the program's own loop (they end it when closed).
    bool nativeOpen = false;
    for (auto it = m_open.rbegin(); it != m_open.rend(); ++it) {
        if ((*it)->IsModal()) {
            (*it)->EndModal(wxID_CANCEL);
        } else {
            nativeOpen = true;
        }
    }
    for (wxWindow* window : wxTopLevelWindows) {
        if (window != main && window->IsShown() && dynamic_cast<wxDialog*>(window) == nullptr) {
            window->Close(true);
        }
    }
    if (main != nullptr) {
        main->Close(true);  // saves LDAP.ini, once
    }
    if (nativeOpen) {
        // the box's own loop would keep the process alive until someone answers it
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    }
    // the closed window is deleted when the loop is next idle; a signal alone does not wake it
    wxWakeUpIdle();
}
