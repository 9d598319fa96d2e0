// folders.h - the program's own path and the application-data folders of this system.
#pragma once

#include <string>

/// Full path of the running program file, symbolic links resolved (so a link in a bin/ folder
/// leads to the real program folder and its companion files).
std::string ProgramPath();
/// Makes ProgramPath answer path (resolved like the real one) instead; "" restores it (tests).
void SetProgramPathOverride(const std::string& path);
/// The process's current directory, "" when it cannot be read.
std::string CurrentFolder();
/// Makes path the process's current directory. False when it cannot.
bool SetCurrentFolder(const std::string& path);
/// True when path names its place without a current folder: "/..." on Linux; "C:\...", "C:/...",
/// "\\server\share\..." and "\..." on Windows.
bool IsAbsolutePath(const std::string& path);
/// path itself when absolute, else base + "/" + path ("" stays "").
std::string AbsoluteAgainst(const std::string& path, const std::string& base);
/// The per-user application-data folder ($XDG_CONFIG_HOME, default ~/.config), created when
/// missing; no trailing separator. Empty when none can be named.
std::string UserDataFolder();
/// The all-users application-data folder (/var/lib), no trailing separator.
std::string AllUsersDataFolder();
/// Creates a directory; an existing one is no error. True when it exists afterwards.
bool MakeDirectory(const std::string& path);
/// Points the two data folders somewhere else (tests); empty strings restore the defaults.
void SetDataFolderOverrides(const std::string& userFolder, const std::string& allUsersFolder);
