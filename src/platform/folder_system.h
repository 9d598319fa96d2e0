// folder_system.h - what folders.cpp asks of the operating system: the running program's file,
// the default application-data folders, directory creation, the current folder and the
// absolute-path rule. One implementation per system (folders_posix.cpp, folders_win.cpp).
#pragma once

#include <string>

/// The running program's file, links resolved; "" when it cannot be named.
std::string RunningProgramPath();
/// path with every link resolved; path itself when it cannot be resolved.
std::string ResolvedPath(const std::string& path);
/// The per-user application-data folder before any override ("" when none can be named).
std::string DefaultUserDataFolder();
/// The all-users application-data folder before any override.
std::string DefaultAllUsersDataFolder();
/// True when path names a directory.
bool IsDirectoryPath(const std::string& path);
