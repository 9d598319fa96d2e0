// shell_open_posix.cpp - the desktop's opener (xdg-open) started as a separate process with the
// target as its one argument.
#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "platform/shell_system.h"

bool OpenWithDesktop(const std::string& argument)
{
    wxLogNull quiet;  // the desktop's own messages are the only feedback
    wxString opener;
    if (!wxFindFileInPath(&opener, wxGetenv("PATH"), "xdg-open")) {
        return false;
    }
    const wxScopedCharBuffer openerPath = opener.fn_str();
    const char* const argv[] = {openerPath.data(), argument.c_str(), nullptr};
    return wxExecute(argv, wxEXEC_ASYNC) != 0;
}
