// shell.cpp - documents and addresses handed to the desktop's opener (xdg-open) as a separate
// process: no shell string is built and the window never waits for the browser. What cannot be
// handed over is reported to the caller; what the desktop does with it afterwards is its own.
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

bool ShellOpen(const std::string& target)
{
    if (target.empty())
        return false;
    const std::string argument = OpenerArgument(target);
    if (!IsAddress(argument) && !wxFileExists(ToWx(argument)) && !wxDirExists(ToWx(argument)))
        return false;
    if (Handler()) {
        Handler()(target);
        return true;
    }
    wxLogNull quiet;  // the desktop's own messages are the only feedback
#ifdef __UNIX__
    wxString opener;
    if (!wxFindFileInPath(&opener, wxGetenv("PATH"), "xdg-open"))
        return false;
    const wxScopedCharBuffer openerPath = opener.fn_str();
    const char* const argv[] = {openerPath.data(), argument.c_str(), nullptr};
    return wxExecute(argv, wxEXEC_ASYNC) != 0;
#else
    if (IsAddress(argument))
        return wxLaunchDefaultBrowser(ToWx(argument));
    return wxLaunchDefaultApplication(ToWx(argument));
#endif
}

void SetShellOpenHandler(std::function<void(const std::string&)> handler)
{
    Handler() = std::move(handler);
}
