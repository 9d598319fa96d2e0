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

TEST(NativePath, DeviceNamesAreWrittenToNotReplaced)
{
#ifdef _WIN32
    const char* devices[] = {"NUL", "nul", "NUL:", "C:\\folder\\nul.csv", "CON", "COM1", "LPT9", "\\\\.\\NUL"};
    const char* files[] = {"NULL", "COM0", "COM10", "console", "C:\\NUL\\out.csv", "out.csv"};
    const char* nullDevice = "NUL";
#else
    const char* devices[] = {"/dev/null", "/dev/stdout", "/dev/fd/1"};
    const char* files[] = {"NUL", "CON", "dev/null", "/tmp/dev/null"};
    const char* nullDevice = "/dev/null";
#endif
    for (const char* name : devices) {
        EXPECT_TRUE(IsDeviceName(name)) << name;
    }
    for (const char* name : files) {
        EXPECT_FALSE(IsDeviceName(name)) << name;
    }
    EXPECT_TRUE(WriteFileReplacing(nullDevice, "written to nowhere"));
}

}  // namespace
