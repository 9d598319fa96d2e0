// file_utils_posix_test.cpp - the replacing write and whole-file reads with what POSIX file systems
// have: permissions, symbolic links, named pipes, devices and processes killed while saving.
#include "storage/file_utils.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

TEST(FileUtils, WriteFileReplacingKeepsPermissionsAndLinksAndLeavesNoTemporaryFile)
{
    TempFolder folder;
    const std::string path = folder / "settings.ini";
    const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    ASSERT_TRUE(WriteFileReplacing(path, "first"));
    WriteBytes(path, "a much longer previous content");
    fs::permissions(path, perms);
    ASSERT_TRUE(WriteFileReplacing(path, std::string("new\0", 4)));
    EXPECT_EQ(ReadBytes(path), std::string("new\0", 4));
    EXPECT_EQ(folder.EntryCount(), 1u);
    EXPECT_EQ(fs::status(path).permissions(), perms);

    fs::create_symlink(path, folder / "link.ini");
    ASSERT_TRUE(WriteFileReplacing(folder / "link.ini", "new"));
    EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
    EXPECT_EQ(ReadBytes(path), "new");
}

TEST(FileUtils, ReadWholeFileRefusesPipesDevicesAndHugeFilesAtOnce)
{
    TempFolder folder;
    ASSERT_EQ(mkfifo((folder / "pipe.cvl").c_str(), 0600), 0);
    WriteBytes(folder / "huge", "");
    fs::resize_file(folder / "huge", kMaxReadFileBytes + 1);  // sparse: takes no room
    for (const std::string& path : {folder / "pipe.cvl", std::string("/dev/zero"), folder / "huge"}) {
        std::string read = "old";
        EXPECT_FALSE(ReadWholeFile(path, read)) << path;
        EXPECT_EQ(read, "old") << path;
    }
}

TEST(FileUtils, WriteFileReplacingWithALongNameAndToDevicesAndPipes)
{
    TempFolder folder;
    // The temporary file's name stays short even when the target's is near the 255-byte limit.
    const std::string longName = folder / (std::string(250, 'n') + ".cvl");
    ASSERT_TRUE(WriteFileReplacing(longName, "first"));
    ASSERT_TRUE(WriteFileReplacing(longName, "second"));
    EXPECT_EQ(ReadBytes(longName), "second");
    EXPECT_EQ(folder.EntryCount(), 1u);

    EXPECT_TRUE(WriteFileReplacing("/dev/null", "bytes"));
    const std::string pipe = folder / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(WriteFileReplacing(pipe, "nobody reads")) << "a pipe without a reader must not block";
    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_TRUE(WriteFileReplacing(pipe, "through the pipe"));
    char buffer[64] = {};
    EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(read(reader, buffer, sizeof buffer))), "through the pipe");
    close(reader);
    EXPECT_TRUE(fs::is_fifo(pipe));
}

}  // namespace

namespace {

/// A process id that no process has: that of a child that has ended.
pid_t EndedProcess()
{
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    return child;
}

std::string Hex(unsigned long value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lx", value);
    return text;
}

}  // namespace

TEST(FileUtils, StaleTemporaryFilesNeverBlockASaveAndThoseOfEndedRunsGo)
{
    TempFolder folder;
    const std::string path = folder / "LDAP.ini";
    WriteBytes(path, "old");
    const std::string own = Hex(static_cast<unsigned long>(getpid()));
    const std::string ended = folder / (".cv" + Hex(static_cast<unsigned long>(EndedProcess())) + "-0.tmp");
    const std::string living = folder / ".cv1-0.tmp";  // process 1 runs as long as the system
    for (const std::string& stale : {ended, living}) {
        WriteBytes(stale, std::string(1000, 'x'));
    }
    // The names this process would take next, taken already (by an earlier run of the same id).
    for (int n = 0; n < 16; ++n) {
        WriteBytes(folder / (".cv" + own + "-" + Hex(static_cast<unsigned long>(n)) + ".tmp"), "stale");
    }
    ASSERT_TRUE(WriteFileReplacing(path, "new")) << LastWriteFailure();
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_FALSE(fs::exists(ended));
    EXPECT_TRUE(fs::exists(living));
    EXPECT_EQ(folder.EntryCount(), 1u + 1u + 16u);
}
