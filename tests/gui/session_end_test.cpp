// session_end_test.cpp - the program itself, ended by the desktop session (a termination signal):
// its window closes the ordinary way, LDAP.ini is saved and the program exits normally.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "gui_test_support.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

/// True once the process has its own handler for signal (the "SigCgt" mask of /proc).
bool CatchesSignal(pid_t pid, int signal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1) & 1) != 0;
    return false;
}

/// The exit status of pid once it has ended within about 10 seconds, else -1.
int WaitForExit(pid_t pid)
{
    for (int i = 0; i < 1000; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

}  // namespace

TEST(SessionEnd, TerminationSavesTheSettingsAndEndsTheProgram)
{
    // a copy of the program in a folder of its own, its settings redirected there by SavePath.ini,
    // so nothing is written outside the test's folder
    TempFolder folder;
    const std::string program = folder.File("corvane-ldap");
    fs::copy_file(CORVANE_PROGRAM, program);
    fs::create_directory(folder.File("data"));
    WriteBytes(folder.File("SavePath.ini"), "ApplicationStorage=\"data\"\r\n");

    for (const int signal : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        fs::remove(folder.File("data/LDAP.ini"));
        char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ), 0);
        ASSERT_TRUE(PumpUntil([&] { return CatchesSignal(pid, signal); }));
        kill(pid, signal);
        EXPECT_EQ(WaitForExit(pid), 0);
        EXPECT_NE(FileBytes(folder.File("data/LDAP.ini")).find("<WinPos>"), std::string::npos);
    }
}
