// file_utils_test.cpp - path parts, attributes, appending with CR LF, removing, whole-file reads
// and the replacing write.
#include "storage/file_utils.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace {

TEST(FileUtils, PathPartsScanBothSeparatorsButNotPositionZero) {
    struct Case {
        const char* path;
        const char* directory;
        const char* name;
    };
    const Case cases[] = {
        {"C:\\Data\\profile.cvl", "C:\\Data\\", "profile.cvl"},
        {"/home/u/profile.cvl", "/home/u/", "profile.cvl"},
        {"a\\b/c", "a\\b/", "c"},
        {"profile.cvl", "profile.cvl", "profile.cvl"},
        {"a\\b\\", "a\\b\\", "b\\"},
        {"/x", "/x", "/x"},  // a separator at position 0 is not considered
        {"/", "/", "/"},
        {"a/", "a/", "a/"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DirectoryOf(c.path), c.directory) << c.path;
        EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
    }
}

TEST(FileUtils, ExistsTellsFilesFromFolders) {
    TempFolder folder;
    WriteBytes(folder / "file", "x");
    EXPECT_TRUE(FileExists(folder / "file"));
    EXPECT_FALSE(DirectoryExists(folder / "file"));
    EXPECT_FALSE(FileExists(folder.Path()));
    EXPECT_TRUE(DirectoryExists(folder.Path()));
    EXPECT_FALSE(FileExists(folder / "missing"));
    EXPECT_FALSE(DirectoryExists(folder / "missing"));
}

TEST(FileUtils, AppendLineWritesEveryLineFeedAsCrLf) {
    TempFolder folder;
    const std::string path = folder / "out.txt";
    ASSERT_TRUE(AppendLine(path, "first"));
    ASSERT_TRUE(AppendLine(path, "a\nb"));
    ASSERT_TRUE(AppendLine(path, "c\r\nd"));
    ASSERT_TRUE(AppendLine(path, ""));
    ASSERT_TRUE(AppendLine(path, "\xe4\xf6\n"));
    EXPECT_EQ(ReadBytes(path), "first\r\na\r\nb\r\nc\r\r\nd\r\n\r\n\xe4\xf6\r\n\r\n");
    EXPECT_FALSE(AppendLine(folder / "no/such/folder.txt", "x"));
    EXPECT_FALSE(AppendLine(folder.Path(), "x"));
}

TEST(FileUtils, RemoveFileDeletesOnlyFiles) {
    TempFolder folder;
    const std::string path = folder / "ro.txt";
    WriteBytes(path, "x");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_TRUE(RemoveFile(path, true));
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(RemoveFile(path, false));

    std::filesystem::create_directory(folder / "sub");
    EXPECT_FALSE(RemoveFile(folder / "sub", true));
    EXPECT_TRUE(DirectoryExists(folder / "sub"));
}

TEST(FileUtils, ReadWholeFileKeepsEveryByte) {
    TempFolder folder;
    const std::string bytes("a\0b\r\n\x1a\xff", 7);
    WriteBytes(folder / "bin", bytes);
    std::string read = "old";
    ASSERT_TRUE(ReadWholeFile(folder / "bin", read));
    EXPECT_EQ(read, bytes);
    EXPECT_FALSE(ReadWholeFile(folder / "missing", read));
    EXPECT_FALSE(ReadWholeFile(folder.Path(), read));
    EXPECT_EQ(read, bytes);
}

TEST(FileUtils, WriteFileReplacingReplacesAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder / "settings.ini";
    ASSERT_TRUE(WriteFileReplacing(path, "first"));
    WriteBytes(path, "a much longer previous content");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    ASSERT_TRUE(WriteFileReplacing(path, std::string("new\0", 4)));
    EXPECT_EQ(ReadBytes(path), std::string("new\0", 4));
    EXPECT_EQ(folder.EntryCount(), 1u);
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
}

TEST(FileUtils, WriteFileReplacingThroughALinkKeepsTheLink) {
    TempFolder folder;
    WriteBytes(folder / "real.ini", "old");
    std::filesystem::create_symlink(folder / "real.ini", folder / "link.ini");
    ASSERT_TRUE(WriteFileReplacing(folder / "link.ini", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.ini"));
    EXPECT_EQ(ReadBytes(folder / "real.ini"), "new");
}

}  // namespace
