// folders_posix_test.cpp - the program path, the data folders with their overrides, and MakeDirectory on Linux.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include <gtest/gtest.h>

#include "platform/folders.h"

namespace fs = std::filesystem;

TEST(Folders, ProgramPathNamesThisProgram)
{
    const std::string path = ProgramPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_TRUE(fs::equivalent(path, "/proc/self/exe"));
}

TEST(Folders, UserFolderFollowsTheEnvironmentAndIsCreated)
{
    const fs::path root = fs::temp_directory_path() / ("corvane-folders-" + std::to_string(getpid()));
    std::optional<std::string> saved[2];
    const char* const names[2] = {"HOME", "XDG_CONFIG_HOME"};
    for (int i = 0; i < 2; ++i) {
        if (const char* value = std::getenv(names[i])) {
            saved[i] = value;
        }
    }

    setenv("XDG_CONFIG_HOME", (root / "xdg/deep/").c_str(), 1);
    EXPECT_EQ(UserDataFolder(), (root / "xdg/deep").string());
    EXPECT_TRUE(fs::is_directory(root / "xdg/deep"));
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    setenv("HOME", (root / "home").c_str(), 1);
    EXPECT_EQ(UserDataFolder(), (root / "home/.config").string());
    SetDataFolderOverrides((root / "user").string(), (root / "all").string());
    EXPECT_EQ(UserDataFolder(), (root / "user").string());
    EXPECT_EQ(AllUsersDataFolder(), (root / "all").string());
    SetDataFolderOverrides("", "");
    EXPECT_EQ(AllUsersDataFolder(), "/var/lib");

    for (int i = 0; i < 2; ++i) {
        saved[i] ? setenv(names[i], saved[i]->c_str(), 1) : unsetenv(names[i]);
    }
    fs::remove_all(root);
}

TEST(Folders, MakeDirectoryAcceptsAnExistingFolderButNotAFile)
{
    const fs::path root = fs::temp_directory_path() / ("corvane-mkdir-" + std::to_string(getpid()));
    EXPECT_TRUE(MakeDirectory(root.string()));
    EXPECT_TRUE(MakeDirectory(root.string()));
    ASSERT_TRUE(std::ofstream(root / "file").good());
    for (const fs::path& refused : {root / "file", root / "missing/child", fs::path()}) {
        EXPECT_FALSE(MakeDirectory(refused.string())) << refused;
    }
    fs::remove_all(root);
}

TEST(Folders, OnlyARootedPathIsAbsolute)
{
    for (const char* path : {"/", "/srv/ldap", "//server/share"}) {
        EXPECT_TRUE(IsAbsolutePath(path)) << path;
    }
    for (const char* path : {"", "settings", "./x", "C:/Users", "C:\\Users", "\\\\server\\share"}) {
        EXPECT_FALSE(IsAbsolutePath(path)) << path;
    }
    EXPECT_EQ(AbsoluteAgainst("x", "/base"), "/base/x");
    EXPECT_EQ(AbsoluteAgainst("/x", "/base/"), "/x");
}
