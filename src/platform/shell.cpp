// shell.cpp - documents and addresses handed to the desktop's opener (xdg-open) as a separate
// process: no shell string is built, the window never waits for the browser, and a target that
// cannot be opened stays silent.
#include "platform/shell.h"

#include <utility>

#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "platform/shell_target.h"
#include "platform/text.h"

namespace {

std::function<void(const std::string&)>& Handler()
{
    static std::function<void(const std::string&)> handler;
    return handler;
}

}  // namespace

void ShellOpen(const std::string& target)
{
    if (Handler()) {
        Handler()(target);
        return;
    }
    if (target.empty())
        return;
    const std::string argument = OpenerArgument(target);
    wxLogNull quiet;  // the desktop's own messages are the only feedback
#ifdef __UNIX__
    wxString opener;
    if (!wxFindFileInPath(&opener, wxGetenv("PATH"), "xdg-open"))
        return;
    const wxScopedCharBuffer openerPath = opener.fn_str();
    const char* const argv[] = {openerPath.data(), argument.c_str(), nullptr};
    wxExecute(argv, wxEXEC_ASYNC);
#else
    if (argument.find("://") != std::string::npos || argument.rfind("mailto:", 0) == 0)
        wxLaunchDefaultBrowser(ToWx(argument));
    else
        wxLaunchDefaultApplication(ToWx(argument));
#endif
}

void SetShellOpenHandler(std::function<void(const std::string&)> handler)
{
    Handler() = std::move(handler);
}
