// storage_location.h - where the program keeps LDAP.ini: the redirection file SavePath.ini, the
// per-user folder Corvane/LDAP/, and the installation record Installation.ini. No window.
#pragma once

#include <ctime>
#include <string>

/** What SavePath.ini in the program folder says. */
struct SavePathRedirection {
    bool readable = false;  ///< the file was read: the current directory moves to the program folder
    std::string folder;     ///< the existing folder ApplicationStorage names, ending with "/"; "" for none
};

/// Reads programFolder + "SavePath.ini". ApplicationStorage is absolute or relative to
/// programFolder ("\" read as "/"); it redirects only when it names an existing folder.
SavePathRedirection ReadSavePath(const std::string& programFolder);

/// userDataFolder + "/Corvane/LDAP/", both levels created when missing; programFolder when no
/// per-user folder can be named (userDataFolder empty).
std::string UserStorageFolder(const std::string& userDataFolder, const std::string& programFolder);

/// "YYYY-MM-DD hh:mm:ss" of a local time.
std::string InstallDateText(const std::tm& localTime);

/// Writes allUsersFolder + "/Corvane/LDAP/Installation.ini" (folders created when missing) unless
/// it already holds this version: InstallationDirectory, LanguageFile, IniFile, Version and
/// InstallDate, in that order. False when nothing was written (same version, or a folder or file
/// that cannot be written, which is not reported).
bool RecordInstallation(const std::string& allUsersFolder, const std::string& programFolder, const std::tm& now);
