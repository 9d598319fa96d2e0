// file_failure_test.cpp - the reason a failed read or write names, and the message built from it.
#include <cerrno>
#include <fstream>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "storage/file_failure.h"
#include "temp_folder.h"

namespace {

std::string SystemText(int code)
{
    return std::error_code(code, std::generic_category()).message();
}

}  // namespace

TEST(FileFailure, NamesTheSystemsReasonForEachKindOfPath)
{
    TempFolder folder;
    std::ofstream(folder / "plain.txt") << "x";
    std::filesystem::create_directory(folder / "sub");
    struct Case {
        std::string path;
        FileAccess access;
        int expected;  ///< errno value, 0 for no reason
    };
    const Case cases[] = {
        {folder / "missing.txt", FileAccess::Read, ENOENT},
        {folder / "sub", FileAccess::Read, EISDIR},
        {folder / "plain.txt", FileAccess::Read, 0},
        {folder / "no-folder/x.csv", FileAccess::Write, ENOENT},
        {folder / "plain.txt/x.csv", FileAccess::Write, ENOTDIR},
        {folder / "sub", FileAccess::Write, EISDIR},
        {folder / "new.csv", FileAccess::Write, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FileFailureReason(c.path, c.access), c.expected == 0 ? std::string() : SystemText(c.expected));
    }
    EXPECT_EQ(folder.EntryCount(), 2u);  // no probe left behind

    if (geteuid() != 0) {  // permissions do not stop the superuser
        chmod(folder.Path().c_str(), 0500);
        EXPECT_EQ(FileFailureReason(folder / "new.csv", FileAccess::Write), SystemText(EACCES));
        chmod(folder.Path().c_str(), 0700);
    }
}

TEST(FileFailure, MessageKeepsItsFirstLineAndPutsPathAndReasonOnTheNext)
{
    EXPECT_EQ(FileFailureMessage("Cannot read file!", "/nonexistent-dir/a.cvl", FileAccess::Read),
              "Cannot read file!\n/nonexistent-dir/a.cvl: " + SystemText(ENOENT));
    TempFolder folder;
    std::ofstream(folder / "a.cvl") << "not a profile";
    EXPECT_EQ(FileFailureMessage("Cannot read file!", folder / "a.cvl", FileAccess::Read),
              "Cannot read file!\n" + (folder / "a.cvl"));
}
