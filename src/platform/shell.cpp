// shell.cpp - documents and addresses handed to the desktop's opener (one file per system,
// shell_open_posix.cpp and shell_open_win.cpp), or to the handler tests set. What cannot be handed
// over is reported to the caller; what the desktop does with it afterwards is its own.
#include "platform/shell.h"

#include <utility>

#include <wx/filefn.h>

#include "platform/shell_system.h"
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
    if (target.empty()) {
        return false;
    }
    const std::string argument = OpenerArgument(target);
    if (!IsAddress(argument) && !wxFileExists(ToWx(argument)) && !wxDirExists(ToWx(argument))) {
        return false;
    }
    if (Handler()) {
        Handler()(target);
        return true;
    }
    return OpenWithDesktop(argument);
}

void SetShellOpenHandler(std::function<void(const std::string&)> handler)
{
    Handler() = std::move(handler);
}
