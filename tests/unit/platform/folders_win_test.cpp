// folders_win_test.cpp - the program path, %APPDATA% and %ProgramData%, and the absolute-path
// rule on Windows.
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/folders.h"
#include "storage/native_path.h"

namespace fs = std::filesystem;

namespace {

TEST(Folders, ProgramPathNamesThisProgram)
{
    const std::string path = ProgramPath();
    ASSERT_GE(path.size(), 4u);
    EXPECT_EQ(path.substr(path.size() - 4), ".exe");
    EXPECT_EQ(path.find('\\'), std::string::npos) << path;
    EXPECT_TRUE(fs::exists(NativePath(path)));
}

TEST(Folders, DataFoldersFollowTheEnvironment)
{
    const fs::path root = fs::temp_directory_path() / ("corvane-folders-" + std::to_string(GetCurrentProcessId()));
    const std::string appData = PathText(root / L"Anw\u00e4ndare" / "Roaming");
    ASSERT_TRUE(SetEnvironmentVariableW(L"APPDATA", NativePath(appData).c_str()));
    ASSERT_TRUE(SetEnvironmentVariableW(L"ProgramData", L"C:\\ProgramData\\"));
    std::string expected = appData;
    std::replace(expected.begin(), expected.end(), '\\', '/');
    EXPECT_EQ(UserDataFolder(), expected);
    EXPECT_TRUE(fs::is_directory(NativePath(appData)));
    EXPECT_EQ(AllUsersDataFolder(), "C:/ProgramData");
    fs::remove_all(root);
}

TEST(Folders, DrivesSharesAndRootsAreAbsolute)
{
    for (const char* path : {"C:\\Users", "c:/x", "\\\\server\\share\\ldap", "//server/share", "\\folder", "/x"}) {
        EXPECT_TRUE(IsAbsolutePath(path)) << path;
    }
    for (const char* path : {"", "settings", "C:folder", "..\\up", "1:/x"}) {
        EXPECT_FALSE(IsAbsolutePath(path)) << path;
    }
    EXPECT_EQ(AbsoluteAgainst("x", "C:/Program Files/Corvane LDAP/"), "C:/Program Files/Corvane LDAP/x");
    EXPECT_EQ(AbsoluteAgainst("\\\\server\\share", "C:/base"), "\\\\server\\share");
}

}  // namespace
