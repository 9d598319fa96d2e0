// folders.cpp - the program path and the application-data folders, with test overrides. What
// differs between systems is asked of folder_system.h.
#include "platform/folders.h"

#include <string>

#include "platform/folder_system.h"

namespace {

std::string g_programOverride;
std::string g_userOverride;
std::string g_allUsersOverride;

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

/// Creates path and its missing parents (a drive or share at its start is never created).
bool MakeDirectories(const std::string& path)
{
    if (path.empty()) {
        return false;
    }
    for (std::size_t pos = 1; pos < path.size(); ++pos) {
        if (IsSeparator(path[pos]) && !IsSeparator(path[pos - 1])) {
            MakeDirectory(path.substr(0, pos));
        }
    }
    return MakeDirectory(path);
}

std::string WithoutTrailingSeparator(std::string path)
{
    while (path.size() > 1 && IsSeparator(path.back()) && path[path.size() - 2] != ':') {
        path.pop_back();
    }
    return path;
}

}  // namespace

std::string ProgramPath()
{
    return g_programOverride.empty() ? RunningProgramPath() : ResolvedPath(g_programOverride);
}

std::string UserDataFolder()
{
    std::string folder = g_userOverride.empty() ? DefaultUserDataFolder() : g_userOverride;
    if (folder.empty()) {
        return folder;
    }
    folder = WithoutTrailingSeparator(folder);
    MakeDirectories(folder);
    return folder;
}

std::string AllUsersDataFolder()
{
    return WithoutTrailingSeparator(g_allUsersOverride.empty() ? DefaultAllUsersDataFolder() : g_allUsersOverride);
}

void SetDataFolderOverrides(const std::string& userFolder, const std::string& allUsersFolder)
{
    g_userOverride = userFolder;
    g_allUsersOverride = allUsersFolder;
}

void SetProgramPathOverride(const std::string& path)
{
    g_programOverride = path;
}

std::string AbsoluteAgainst(const std::string& path, const std::string& base)
{
    if (path.empty() || IsAbsolutePath(path) || base.empty()) {
        return path;
    }
    return IsSeparator(base.back()) ? base + path : base + "/" + path;
}
