// command_line_win.cpp - arguments on Windows: the wide command line, split by the system's own
// rules and converted to UTF-8.
#include <windows.h>

#include <shellapi.h>

#include "platform/command_line.h"
#include "storage/native_path.h"

std::vector<std::string> CommandArguments(int, char**)
{
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return arguments;
    }
    for (int i = 1; i < count; ++i) {
        arguments.push_back(PathText(std::filesystem::path(wide[i])));
    }
    LocalFree(wide);
    return arguments;
}
