// shell.cpp - documents and addresses handed to the desktop's opener (one file per system,
// shell_open_posix.cpp and shell_open_win.cpp), or to the handler tests set.
#include "platform/shell.h"

#include <utility>

#include "platform/shell_system.h"
#include "platform/shell_target.h"

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
    OpenWithDesktop(OpenerArgument(target));
}

void SetShellOpenHandler(std::function<void(const std::string&)> handler)
{
    Handler() = std::move(handler);
}
