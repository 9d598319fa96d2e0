// cli_terminal_prompt_test.cpp - the built corvane-search asking for the bind password on a
// terminal (a pseudo-terminal of the test): echo off while it is typed, and no trace of the
// password left in any file of the run.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "cli_test_fixture.h"
#include "test_directory.h"

namespace {

namespace fs = std::filesystem;
namespace td = test_directory;
using namespace program_run;

class CliTerminalPromptTest : public CliServerTest<DirectoryServer::Config::Login> {};

/// Every byte of every file below folder, names with their bytes.
std::string AllBytesBelow(const fs::path& folder)
{
    std::string all;
    for (const auto& item : fs::recursive_directory_iterator(folder)) {
        all += item.path().string() + "\n";
        if (item.is_regular_file()) {
            all += FileBytes(item.path());
        }
    }
    return all;
}

TEST_F(CliTerminalPromptTest, TerminalPromptWithEchoOffAndNoTraceLeft)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string terminal = ptsname(master);
    const int slave = open(terminal.c_str(), O_RDWR | O_NOCTTY);  // kept open to read its modes after the run
    ASSERT_GE(slave, 0);

    // The run's home, settings and temporary folders, and its output, all in the folder.
    const fs::path home = m_folder / "home";
    fs::create_directories(home / "tmp");
    const Args environment = {"HOME=" + home.string(), "XDG_CONFIG_HOME=" + (home / ".config").string(),
                              "TMPDIR=" + (home / "tmp").string()};
    const Args search = {"--search-attribute",        "sn",   "-r", "telephoneNumber", "-D", td::kReaderDn, "--output",
                         (home / "out.csv").string(), "Smith"};
    const Process pid = StartProgram(Connected(*s_server, td::kFixturesDn, search), m_folder, environment, terminal);
    ASSERT_GT(pid, 0);
    // Answer only once the prompt shows: echo is off by then.
    const auto waitedUntil = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (FileBytes(m_folder / "stderr").find("Password for") == std::string::npos &&
           std::chrono::steady_clock::now() < waitedUntil) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const std::string answer = std::string(td::kReaderPassword) + "\n";
    ASSERT_EQ(write(master, answer.data(), answer.size()), static_cast<ssize_t>(answer.size()));
    const ProgramRun run = FinishProgram(pid, m_folder);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, std::string("Password for ") + td::kReaderDn + ": \n");
    EXPECT_EQ(FileBytes(home / "out.csv"), "123, 456  \r\n789  \r\n");

    // Nothing came back from the terminal, and echo is on again.
    fcntl(master, F_SETFL, O_NONBLOCK);
    char echoed[256];
    EXPECT_LE(read(master, echoed, sizeof echoed), 0);
    termios modes{};
    ASSERT_EQ(tcgetattr(slave, &modes), 0);
    EXPECT_NE(modes.c_lflag & ECHO, 0u);
    close(slave);
    close(master);

    EXPECT_EQ(AllBytesBelow(m_folder).find(td::kReaderPassword), std::string::npos);
}

}  // namespace
