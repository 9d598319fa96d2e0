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
#include <fcntl.h>
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
    /// Everything the program wrote to its standard error so far, over all its starts.
    std::string Errors() const { return FileBytes(ErrorsPath()); }

    /// Starts the program with args and waits until it handles signal (its window is being set
    /// up then); false when it did not within the usual wait.
    bool Start(const std::vector<std::string>& args, int signal)
    {
        const std::string program = Program();
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        // what the program and the toolkit below it print goes to a file the test can read
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, ErrorsPath().c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        const int spawned = posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            return false;
        }
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
    std::string ErrorsPath() const { return m_folder.File("stderr.txt"); }

    /// True once the process has its own handler for signal (the "SigCgt" mask of /proc).
    bool CatchesSignal(int signal) const
    {
        std::ifstream status("/proc/" + std::to_string(m_pid) + "/status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("SigCgt:", 0) == 0) {
                return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1) & 1) != 0;
            }
        }
        return false;
    }

    TempFolder m_folder;
    pid_t m_pid = 0;
};
