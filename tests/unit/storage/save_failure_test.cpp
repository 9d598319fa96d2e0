// save_failure_test.cpp - a save that cannot complete returns false and leaves the previous file
// exactly as it was: unwritable targets and folders, and a write the system refuses midway.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "storage/file_utils.h"
#include "storage/settings_file.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string kPrevious =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n"
    "  <LDAPServer>previous</LDAPServer>\r\n</InitFile>\r\n";

/// A settings file much larger than any limit the tests set.
SettingsFile LargeSettings()
{
    SettingsFile file(true);
    for (int i = 0; i < 2000; ++i) {
        file.Set("DetailAttribute" + std::to_string(i), std::string(100, 'x'));
    }
    return file;
}

/// Runs body in a child process after prepare and returns body's result (false on any crash).
bool InChild(const std::function<void()>& prepare, const std::function<bool()>& body)
{
    const pid_t pid = fork();
    if (pid == 0) {
        prepare();
        _exit(body() ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) {
        ADD_FAILURE() << "fork failed";
        return false;
    }
    EXPECT_TRUE(WIFEXITED(status)) << "child ended by a signal";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

/// Drops root rights so that permission bits count (the tests may run as root).
void BecomeNobody()
{
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
        _exit(2);
    }
}

TEST(SaveFailure, TargetThatIsNoRegularFileOrBelowAFileFails)
{
    TempFolder folder;
    fs::create_directory(folder / "profile.cvl");
    WriteBytes(folder / "file", "plain");
    ASSERT_EQ(mkfifo((folder / "pipe.cvl").c_str(), 0666), 0);
    const SettingsFile settings = LargeSettings();
    EXPECT_FALSE(settings.Save(folder / "profile.cvl"));
    EXPECT_TRUE(DirectoryExists(folder / "profile.cvl"));
    EXPECT_FALSE(settings.Save(folder / "file/profile.cvl"));
    EXPECT_EQ(ReadBytes(folder / "file"), "plain");
    EXPECT_FALSE(settings.Save(folder / "pipe.cvl"));
    EXPECT_TRUE(fs::is_fifo(folder / "pipe.cvl"));
    EXPECT_EQ(folder.EntryCount(), 3u);
}

TEST(SaveFailure, WriteRefusedMidwayKeepsThePreviousFile)
{
    TempFolder folder;
    const std::string path = folder / "LDAP.ini";
    WriteBytes(path, kPrevious);
    const SettingsFile settings = LargeSettings();
    const bool saved = InChild(
        [] {
            // No SIGXFSZ handling of the test's own: the writer ignores the signal itself.
            const rlimit limit{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limit);
        },
        [&] { return !settings.Save(path) && LastWriteFailure() == std::strerror(EFBIG); });
    EXPECT_TRUE(saved) << "the save must fail with the size limit's reason, not end the program";
    EXPECT_EQ(ReadBytes(path), kPrevious);
    EXPECT_EQ(folder.EntryCount(), 1u);  // the partial temporary file is gone
}

TEST(SaveFailure, ReadOnlyTargetOrFolderKeepsThePreviousFile)
{
    TempFolder folder;
    fs::permissions(folder.Path(), fs::perms::all);
    fs::create_directory(folder / "open");
    fs::permissions(folder / "open", fs::perms::all);
    fs::create_directory(folder / "closed");

    const std::string readOnlyTarget = folder / "open/ro.cvl";
    WriteBytes(readOnlyTarget, kPrevious);
    fs::permissions(readOnlyTarget, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string inReadOnlyFolder = folder / "closed/rw.cvl";
    WriteBytes(inReadOnlyFolder, kPrevious);
    fs::permissions(inReadOnlyFolder, fs::perms::all);
    fs::permissions(folder / "closed", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                           fs::perms::others_read | fs::perms::others_exec);

    SettingsFile settings(true);
    settings.Set("LDAPServer", "new");
    EXPECT_FALSE(InChild(BecomeNobody, [&] { return settings.Save(readOnlyTarget); }));
    EXPECT_EQ(ReadBytes(readOnlyTarget), kPrevious);
    // A folder that refuses new files: a writable target in it is never written in place (a
    // write that then fails would leave it cut short), and the reason is told.
    EXPECT_TRUE(InChild(
        BecomeNobody, [&] { return !settings.Save(inReadOnlyFolder) && LastWriteFailure() == std::strerror(EACCES); }));
    EXPECT_EQ(ReadBytes(inReadOnlyFolder), kPrevious);
    EXPECT_FALSE(InChild(BecomeNobody, [&] { return settings.Save(folder / "closed/new.cvl"); }));
    EXPECT_FALSE(FileExists(folder / "closed/new.cvl"));
    // The same user may write a writable file in the open folder.
    EXPECT_TRUE(InChild(BecomeNobody, [&] { return settings.Save(folder / "open/new.cvl"); }));
}

}  // namespace
