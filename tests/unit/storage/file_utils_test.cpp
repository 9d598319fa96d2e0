// file_utils_test.cpp - path parts, attributes, appending with CR LF, removing, whole-file reads
// and the replacing write (the POSIX file kinds in file_utils_posix_test.cpp).
#include "storage/file_utils.h"

#include <filesystem>
#include <tuple>

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

TEST(FileUtils, PathPartsScanBothSeparatorsButNotPositionZero)
{
    const struct {
        const char *path, *directory, *name;
    } cases[] = {
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
    for (const auto& c : cases) {
        EXPECT_EQ(DirectoryOf(c.path), c.directory) << c.path;
        EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
    }
}

TEST(FileUtils, ExistsTellsFilesFromFolders)
{
    TempFolder folder;
    WriteBytes(folder / "file", "x");
    for (const auto& [path, file, directory] :
         {std::tuple{folder / "file", true, false}, std::tuple{folder.Path(), false, true},
          std::tuple{folder / "missing", false, false}}) {
        EXPECT_EQ(FileExists(path), file) << path;
        EXPECT_EQ(DirectoryExists(path), directory) << path;
    }
}

TEST(FileUtils, AppendLineWritesEveryLineFeedAsCrLf)
{
    TempFolder folder;
    const std::string path = folder / "out.txt";
    for (const char* line : {"first", "a\nb", "c\r\nd", "", "\xe4\xf6\n"}) {
        ASSERT_TRUE(AppendLine(path, line)) << line;
    }
    EXPECT_EQ(ReadBytes(path), "first\r\na\r\nb\r\nc\r\r\nd\r\n\r\n\xe4\xf6\r\n\r\n");
    EXPECT_FALSE(AppendLine(folder / "no/such/folder.txt", "x"));
    EXPECT_FALSE(AppendLine(folder.Path(), "x"));
}

TEST(FileUtils, RemoveFileDeletesOnlyFiles)
{
    TempFolder folder;
    const std::string path = folder / "ro.txt";
    WriteBytes(path, "x");
    fs::permissions(path, fs::perms::owner_read);
    EXPECT_TRUE(RemoveFile(path, true));
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(RemoveFile(path, false));
    fs::create_directory(folder / "sub");
    EXPECT_FALSE(RemoveFile(folder / "sub", true));
    EXPECT_TRUE(DirectoryExists(folder / "sub"));
}

TEST(FileUtils, ReadWholeFileKeepsEveryByte)
{
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

TEST(FileUtils, WriteFileReplacingFailuresKeepExistingFiles)
{
    TempFolder folder;
    EXPECT_FALSE(WriteFileReplacing("", "a"));
    EXPECT_FALSE(WriteFileReplacing(folder / "missing/result.csv", "a"));
    // A folder standing where the file should go is not replaced.
    fs::create_directory(folder / "taken");
    WriteBytes(folder / "taken/keep.txt", "keep");
    EXPECT_FALSE(WriteFileReplacing(folder / "taken", "a"));
    std::string kept;
    ASSERT_TRUE(ReadWholeFile(folder / "taken/keep.txt", kept));
    EXPECT_EQ(kept, "keep");
}

}  // namespace
