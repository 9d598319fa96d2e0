// shell.cpp - documents and addresses opened with the desktop's program through wx, no shell string.
#include "platform/shell.h"

#include <utility>

#include <wx/utils.h>

#include "platform/text.h"

namespace {

std::function<void(const std::string&)>& Handler()
{
    static std::function<void(const std::string&)> handler;
    return handler;
}

bool IsAddress(const std::string& target)
{
    return target.find("://") != std::string::npos || target.rfind("mailto:", 0) == 0 ||
           target.rfind("www.", 0) == 0;
}

}  // namespace

void ShellOpen(const std::string& target)
{
    if (Handler()) {
        Handler()(target);
        return;
    }
    if (IsAddress(target))
        wxLaunchDefaultBrowser(ToWx(target));
    else
        wxLaunchDefaultApplication(ToWx(target));
}

void SetShellOpenHandler(std::function<void(const std::string&)> handler)
{
    Handler() = std::move(handler);
}
