// folders.h - the program's own path and the application-data folders of this system.
#pragma once

#include <string>

/// Full path of the running program file (or the path set by SetProgramPathOverride).
std::string ProgramPath();
/// Makes ProgramPath() answer path, so that the program folder is another one (tests); an empty
/// string restores the real path.
void SetProgramPathOverride(const std::string& path);
/// The per-user application-data folder ($XDG_CONFIG_HOME, default ~/.config), created when
/// missing; no trailing separator. Empty when none can be named.
std::string UserDataFolder();
/// The all-users application-data folder (/var/lib), no trailing separator.
std::string AllUsersDataFolder();
/// Creates a directory; an existing one is no error. True when it exists afterwards.
bool MakeDirectory(const std::string& path);
/// Points the two data folders somewhere else (tests); empty strings restore the defaults.
void SetDataFolderOverrides(const std::string& userFolder, const std::string& allUsersFolder);
