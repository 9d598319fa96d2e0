// native_path_test.cpp - file names outside ASCII are created, found, read, replaced and removed
// under the name the program gave them.
#include "storage/native_path.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "storage/file_utils.h"
#include "temp_folder.h"

namespace {

TEST(NativePath, NonAsciiFileNamesKeepTheirName)
{
    TempFolder folder;
    for (const std::string name : {"M\xc3\xbcller.cvl", "\xc5\x81ukasz \xf0\x9f\x93\x87.ini"}) {
        const std::string path = folder / name;
        ASSERT_TRUE(WriteFileReplacing(path, "first")) << name;
        ASSERT_TRUE(WriteFileReplacing(path, "second")) << name;
        std::string read;
        ASSERT_TRUE(ReadWholeFile(path, read)) << name;
        EXPECT_EQ(read, "second");
        EXPECT_TRUE(FileExists(path));
        ASSERT_EQ(folder.EntryCount(), 1u);
        const std::filesystem::directory_entry entry = *std::filesystem::directory_iterator(NativePath(folder.Path()));
        EXPECT_EQ(PathText(entry.path().filename()), name);
        EXPECT_TRUE(RemoveFile(path, false));
    }
}

}  // namespace
