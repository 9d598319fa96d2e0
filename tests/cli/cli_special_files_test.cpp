// cli_special_files_test.cpp - corvane-search and the POSIX special files: a pipe or a device is
// no profile, and an output that is a device or a pipe is written to, not replaced.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "cli_test_fixture.h"
#include "test_directory.h"

namespace {

class CliSpecialFilesTest : public CliServerTest<DirectoryServer::Config::Normal> {};

TEST_F(CliSpecialFilesTest, PipesAndDevicesAreNoProfileAndAreWrittenToAsOutput)
{
    const std::string pipe = (m_folder / "pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& profile : {pipe, std::string("/dev/zero")}) {
        const ProgramRun run = Run({"--profile", profile, "Smith"});
        EXPECT_EQ(run.exitCode, 2) << profile;
        EXPECT_EQ(run.err, "corvane-search: Cannot read file!\n") << profile;
    }

    const auto search = [&](const std::string& output) {
        return RunBelow(test_directory::kBaseDn, {"--output", output, "--search-attribute", "sn", "-r", "cn", "Smith"});
    };
    EXPECT_EQ(search("/dev/null").exitCode, 0);
    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(search(pipe).exitCode, 0);
    char buffer[256] = {};
    const ssize_t got = read(reader, buffer, sizeof buffer);
    close(reader);
    EXPECT_EQ(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0), "Smith  \r\nSmithers  \r\n");
}

}  // namespace
