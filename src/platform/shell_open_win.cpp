// shell_open_win.cpp - the shell's "open" verb on the target, through the wide call: a document
// opens in its associated program (a .chm in the help viewer), an address in the browser or the
// mail program.
#include <windows.h>

#include <shellapi.h>

#include "platform/shell_system.h"
#include "storage/native_path.h"

bool OpenWithDesktop(const std::string& argument)
{
    const std::wstring target = NativePath(argument).wstring();
    // values above 32 mean success
    const auto result = ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
