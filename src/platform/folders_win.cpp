// folders_win.cpp - folders on Windows: the program's module file, %APPDATA% and %ProgramData%,
// through the wide calls. Paths are handed out with "/" separators, which every Windows file
// function takes, so the rest of the program joins them as on Linux.
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "platform/folder_system.h"
#include "platform/folders.h"
#include "storage/native_path.h"

namespace {

std::string Text(const std::wstring& wide)
{
    std::string text = PathText(std::filesystem::path(wide));
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

std::wstring Wide(const std::string& text)
{
    return NativePath(text).wstring();
}

/// An environment variable's value ("" when unset), read through the wide call.
std::string Environment(const wchar_t* name)
{
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        return std::string();
    }
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    value.resize(length);
    return Text(value);
}

}  // namespace

std::string RunningProgramPath()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return std::string();
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return ResolvedPath(Text(buffer));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string ResolvedPath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(NativePath(path), error);
    return error ? path : Text(resolved.wstring());
}

std::string DefaultUserDataFolder()
{
    return Environment(L"APPDATA");
}

std::string DefaultAllUsersDataFolder()
{
    const std::string folder = Environment(L"ProgramData");
    return folder.empty() ? Environment(L"ALLUSERSPROFILE") : folder;
}

bool IsDirectoryPath(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeDirectory(const std::string& path)
{
    if (path.empty()) {
        return false;
    }
    if (CreateDirectoryW(Wide(path).c_str(), nullptr)) {
        return true;
    }
    return IsDirectoryPath(path);
}

std::string CurrentFolder()
{
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) {
        return std::string();
    }
    std::wstring folder(size, L'\0');
    folder.resize(GetCurrentDirectoryW(size, folder.data()));
    return Text(folder);
}

bool SetCurrentFolder(const std::string& path)
{
    return !path.empty() && SetCurrentDirectoryW(Wide(path).c_str()) != 0;
}

bool IsAbsolutePath(const std::string& path)
{
    // "\\server\share\...", "//server/share/..." and "\folder" (the current drive's root) as well
    // as "C:\..." and "C:/..."; "C:folder" is relative to the drive's current folder.
    if (!path.empty() && (path.front() == '/' || path.front() == '\\')) {
        return true;
    }
    return path.size() >= 3 && std::iswalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           (path[2] == '/' || path[2] == '\\');
}
