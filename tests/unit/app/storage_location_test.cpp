// storage_location_test.cpp - SavePath.ini, the per-user storage folder and Installation.ini.
#include "app/storage_location.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "storage/native_path.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

TEST(StorageLocation, SavePathRedirectsOnlyToAnExistingFolder)
{
    TempFolder folder;
    const std::string program = (folder / "program/");
    fs::create_directories(program + "data/sub");
    fs::create_directories((folder / "elsewhere"));
    fs::create_directories(NativePath(folder / "Daten-\xc3\x9c"));
    EXPECT_FALSE(ReadSavePath(program).readable);

    // the absolute path written with "\" (C:\... on Windows)
    std::string backslashed = folder / "elsewhere";
    std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
    const struct {
        std::string value;
        std::string folder;
    } rows[] = {
        {backslashed, (folder / "elsewhere/")},
        {"data", program + "data/"},
        {"data\\sub\\", program + "data/sub/"},
        {"../elsewhere", (folder / "elsewhere/")},
        {(folder / "elsewhere"), (folder / "elsewhere/")},
        // saved in the ANSI code page: "\xdc" is "Ü" in Windows-1252 and in Latin-1
        {"..\\Daten-\xdc", (folder / "Daten-\xc3\x9c/")},
        {"missing", ""},
        {"", ""},
    };
    for (const auto& row : rows) {
        WriteBytes(program + "SavePath.ini", "ApplicationStorage=\"" + row.value + "\"\r\n");
        const SavePathRedirection redirection = ReadSavePath(program);
        EXPECT_TRUE(redirection.readable) << row.value;
        EXPECT_EQ(redirection.folder, row.folder) << row.value;
    }
}

TEST(StorageLocation, UserFolderIsCreatedOrTheProgramFolderStandsIn)
{
    TempFolder folder;
    EXPECT_EQ(UserStorageFolder((folder / "config"), "/prog/"), (folder / "config/Corvane/LDAP/"));
    EXPECT_TRUE(fs::is_directory((folder / "config/Corvane/LDAP")));
    EXPECT_EQ(UserStorageFolder("", "/prog/"), "/prog/");
}

TEST(StorageLocation, InstallationRecordIsWrittenOncePerVersion)
{
    TempFolder folder;
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 11;
    time.tm_mday = 7;
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 3;
    const std::string path = (folder / "all/Corvane/LDAP/Installation.ini");
#ifdef _WIN32
    const std::string installed = "\\opt\\corvane\\";  // the system's own separator
#else
    const std::string installed = "/opt/corvane/";
#endif
    const std::string record = "InstallationDirectory=\"" + installed +
                               "\"\r\nLanguageFile=\"LDAP_Languages.ini\"\r\n"
                               "IniFile=\"LDAP.ini\"\r\nVersion=\"Version 1.640 (30.04.2018)\"\r\n"
                               "InstallDate=\"2026-12-07 09:05:03\"\r\n";
    ASSERT_TRUE(RecordInstallation((folder / "all"), "/opt/corvane/", time));
    EXPECT_EQ(ReadBytes(path), record);
    time.tm_year += 1;
    EXPECT_FALSE(RecordInstallation((folder / "all"), "/opt/corvane/", time));
    EXPECT_EQ(ReadBytes(path), record);

    WriteBytes(path, "Version=\"Version 1.639\"\r\n");
    EXPECT_TRUE(RecordInstallation((folder / "all"), "/opt/corvane/", time));
    EXPECT_NE(ReadBytes(path).find("InstallDate=\"2027-12-07 09:05:03\""), std::string::npos);

    // a folder that cannot be written is passed over silently
    WriteBytes((folder / "file"), "");
    EXPECT_FALSE(RecordInstallation((folder / "file"), "/opt/corvane/", time));
}

}  // namespace
