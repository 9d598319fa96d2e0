// storage_location.cpp - SavePath.ini, the per-user storage folder and Installation.ini.
#include "app/storage_location.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "localisation/text_keys.h"
#include "platform/folders.h"
#include "platform/text_codec.h"
#include "storage/file_utils.h"
#include "storage/native_path.h"
#include "storage/settings_file.h"

namespace {

std::string WithSeparator(std::string folder)
{
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

}  // namespace

SavePathRedirection ReadSavePath(const std::string& programFolder)
{
    SavePathRedirection result;
    SettingsFile file(false);
    if (!file.Load(programFolder + "SavePath.ini")) {
        return result;
    }
    result.readable = true;
    // Saved by hand, perhaps in the system's ANSI code page (as a plain text editor saves "ANSI"):
    // bytes that are no UTF-8 are read in that code page, as in every stored file.
    std::string value = AsUtf8(file.GetString("ApplicationStorage", ""));
    if (value.empty()) {
        return result;
    }
    std::replace(value.begin(), value.end(), '\\', '/');
    const std::string path = IsAbsolutePath(value) ? value : programFolder + value;
    if (DirectoryExists(path)) {
        std::string normal = PathText(NativePath(path).lexically_normal());
        std::replace(normal.begin(), normal.end(), '\\', '/');
        result.folder = WithSeparator(normal);
    }
    return result;
}

std::string UserStorageFolder(const std::string& userDataFolder, const std::string& programFolder)
{
    if (userDataFolder.empty()) {
        return programFolder;
    }
    MakeDirectory(userDataFolder);
    const std::string corvane = WithSeparator(userDataFolder) + "Corvane/";
    MakeDirectory(corvane);
    const std::string folder = corvane + "LDAP/";
    MakeDirectory(folder);
    return folder;
}

std::string InstallDateText(const std::tm& localTime)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", localTime.tm_year + 1900, localTime.tm_mon + 1,
                  localTime.tm_mday, localTime.tm_hour, localTime.tm_min, localTime.tm_sec);
    return text;
}

bool RecordInstallation(const std::string& allUsersFolder, const std::string& programFolder, const std::tm& now)
{
    MakeDirectory(allUsersFolder);
    const std::string corvane = WithSeparator(allUsersFolder) + "Corvane/";
    MakeDirectory(corvane);
    MakeDirectory(corvane + "LDAP/");
    const std::string path = corvane + "LDAP/Installation.ini";
    SettingsFile file(false);
    if (FileExists(path) && file.Load(path) && file.GetString("Version", "") == kVersionText) {
        return false;
    }
    file.Clear();
    // in the system's own form: "C:\Program Files\..." on Windows
    file.Set("InstallationDirectory", PathText(NativePath(programFolder).make_preferred()));
    file.Set("LanguageFile", "LDAP_Languages.ini");
    file.Set("IniFile", "LDAP.ini");
    file.Set("Version", kVersionText);
    file.Set("InstallDate", InstallDateText(now));
    return file.Save(path);
}
