// folders_test.cpp - the program path, the data folders with their overrides, and MakeDirectory.
#include <cstdlib>
#include <filesystem>

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
    const char* oldHome = std::getenv("HOME");
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    const std::string savedConfig = oldConfig ? oldConfig : "";

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

    setenv("HOME", savedHome.c_str(), 1);
    if (oldConfig)
        setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(root);
}

TEST(Folders, MakeDirectoryAcceptsAnExistingFolderButNotAFile)
{
    const fs::path root = fs::temp_directory_path() / ("corvane-mkdir-" + std::to_string(getpid()));
    EXPECT_TRUE(MakeDirectory(root.string()));
    EXPECT_TRUE(MakeDirectory(root.string()));
    const fs::path file = root / "file";
    std::FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_FALSE(MakeDirectory(file.string()));
    EXPECT_FALSE(MakeDirectory((root / "missing/child").string()));
    EXPECT_FALSE(MakeDirectory(""));
    fs::remove_all(root);
}
