// folders.cpp - the program path and the application-data folders on Linux, with test overrides.
#include "platform/folders.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string g_programOverride;
std::string g_userOverride;
std::string g_allUsersOverride;

bool IsDirectory(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

/// Creates path and its missing parents.
bool MakeDirectories(const std::string& path)
{
    if (path.empty())
        return false;
    for (std::size_t pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1))
        MakeDirectory(path.substr(0, pos));
    return MakeDirectory(path);
}

std::string WithoutTrailingSeparator(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

/// path with every symbolic link resolved; path itself when it cannot be resolved.
std::string Resolved(const std::string& path)
{
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return path;
    std::string result = resolved;
    std::free(resolved);
    return result;
}

}  // namespace

std::string ProgramPath()
{
    if (!g_programOverride.empty())
        return Resolved(g_programOverride);
    // the link /proc/self/exe names the program file itself, every link on the way resolved
    std::string buffer(4096, '\0');
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return std::string();
        if (static_cast<std::size_t>(length) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(length));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string UserDataFolder()
{
    std::string folder = g_userOverride;
    if (folder.empty()) {
        const char* config = std::getenv("XDG_CONFIG_HOME");
        // a relative value is invalid by the desktop rules and is ignored
        if (config != nullptr && config[0] == '/') {
            folder = config;
        } else {
            const char* home = std::getenv("HOME");
            if (home == nullptr || home[0] == '\0')
                return std::string();
            folder = std::string(home) + "/.config";
        }
    }
    folder = WithoutTrailingSeparator(folder);
    MakeDirectories(folder);
    return folder;
}

std::string AllUsersDataFolder()
{
    return g_allUsersOverride.empty() ? std::string("/var/lib") : WithoutTrailingSeparator(g_allUsersOverride);
}

bool MakeDirectory(const std::string& path)
{
    if (path.empty())
        return false;
    if (mkdir(path.c_str(), 0777) == 0)
        return true;
    return errno == EEXIST && IsDirectory(path);
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

std::string CurrentFolder()
{
    char* folder = getcwd(nullptr, 0);
    if (folder == nullptr)
        return std::string();
    std::string result = folder;
    std::free(folder);
    return result;
}

bool SetCurrentFolder(const std::string& path)
{
    return !path.empty() && chdir(path.c_str()) == 0;
}

std::string AbsoluteAgainst(const std::string& path, const std::string& base)
{
    if (path.empty() || path.front() == '/' || base.empty())
        return path;
    return base.back() == '/' ? base + path : base + "/" + path;
}
