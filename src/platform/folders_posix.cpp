// folders_posix.cpp - folders on Linux: /proc/self/exe, $XDG_CONFIG_HOME (default ~/.config),
// /var/lib, and "/" as the start of an absolute path.
#include <cerrno>
#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/folder_system.h"
#include "platform/folders.h"

std::string RunningProgramPath()
{
    // the link /proc/self/exe names the program file itself, every link on the way resolved
    std::string buffer(4096, '\0');
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return std::string();
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(length));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string ResolvedPath(const std::string& path)
{
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return path;
    }
    std::string result = resolved;
    std::free(resolved);
    return result;
}

std::string DefaultUserDataFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    // a relative value is invalid by the desktop rules and is ignored
    if (config != nullptr && config[0] == '/') {
        return config;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        return std::string();
    }
    return std::string(home) + "/.config";
}

std::string DefaultAllUsersDataFolder()
{
    return "/var/lib";
}

bool IsDirectoryPath(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeDirectory(const std::string& path)
{
    if (path.empty()) {
        return false;
    }
    if (mkdir(path.c_str(), 0777) == 0) {
        return true;
    }
    return errno == EEXIST && IsDirectoryPath(path);
}

std::string CurrentFolder()
{
    char* folder = getcwd(nullptr, 0);
    if (folder == nullptr) {
        return std::string();
    }
    std::string result = folder;
    std::free(folder);
    return result;
}

bool SetCurrentFolder(const std::string& path)
{
    return !path.empty() && chdir(path.c_str()) == 0;
}

bool IsAbsolutePath(const std::string& path)
{
    return !path.empty() && path.front() == '/';
}
