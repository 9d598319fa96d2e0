// program_copy.h - the program itself, run as a copy in a folder of its own: its settings
// redirected there by SavePath.ini, so nothing is written outside the test's folder.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "gui_test_support.h"

extern char** environ;

/** A copy of corvane-ldap with its own program and storage folder; Start runs it. */
class ProgramCopy {
public:
    ProgramCopy()
    {
        std::filesystem::copy_file(CORVANE_PROGRAM, Program());
        std::filesystem::create_directory(m_folder.File("data"));
        WriteBytes(m_folder.File("SavePath.ini"), "ApplicationStorage=\"data\"\r\n");
    }
    ~ProgramCopy()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }

    std::string Program() const { return m_folder.File("corvane-ldap"); }
    std::string Settings() const { return m_folder.File("data/LDAP.ini"); }

    /// Starts the program with args and waits until it handles signal (its window is being set
    /// up then); false when it did not within the usual wait.
    bool Start(const std::vector<std::string>& args, int signal)
    {
        const std::string program = Program();
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
            return false;
        return PumpUntil([&] { return CatchesSignal(signal); });
    }
    /// Sends signal and returns the exit status once the program has ended within about 10
    /// seconds, else -1.
    int End(int signal)
    {
        kill(m_pid, signal);
        for (int i = 0; i < 1000; ++i) {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = 0;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

private:
    /// True once the process has its own handler for signal (the "SigCgt" mask of /proc).
    bool CatchesSignal(int signal) const
    {
        std::ifstream status("/proc/" + std::to_string(m_pid) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("SigCgt:", 0) == 0)
                return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1) & 1) != 0;
        return false;
    }

    TempFolder m_folder;
    pid_t m_pid = 0;
};
