// password_prompt_posix.cpp - the password prompt on a POSIX terminal (echo off through termios,
// Ctrl+C interrupting the read) and the descriptor calls of the password reading.
#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "cli/password_input.h"
#include "cli/password_line.h"

namespace {

volatile sig_atomic_t g_promptInterrupted = 0;

extern "C" void InterruptPrompt(int)
{
    g_promptInterrupted = 1;
}

bool PromptInterrupted()
{
    return g_promptInterrupted != 0;
}

/// Turns the terminal's echo off while it lives, and back on however the prompt ends; Ctrl+C
/// interrupts the read instead of ending the program with echo still off.
class EchoOff {
public:
    explicit EchoOff(int fd) : m_fd(fd)
    {
        g_promptInterrupted = 0;
        struct sigaction action = {};
        action.sa_handler = InterruptPrompt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;  // no restart: the read must return
        sigaction(SIGINT, &action, &m_oldInt);
        sigaction(SIGTERM, &action, &m_oldTerm);
        sigaction(SIGHUP, &action, &m_oldHup);
        m_saved = tcgetattr(fd, &m_old) == 0;
        if (m_saved) {
            termios quiet = m_old;
            quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            tcsetattr(fd, TCSAFLUSH, &quiet);
        }
    }
    ~EchoOff()
    {
        if (m_saved) {
            tcsetattr(m_fd, TCSAFLUSH, &m_old);
        }
        sigaction(SIGINT, &m_oldInt, nullptr);
        sigaction(SIGTERM, &m_oldTerm, nullptr);
        sigaction(SIGHUP, &m_oldHup, nullptr);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    int m_fd;
    termios m_old{};
    bool m_saved = false;
    struct sigaction m_oldInt = {};
    struct sigaction m_oldTerm = {};
    struct sigaction m_oldHup = {};
};

void WriteAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return;
        }
        done += static_cast<std::size_t>(wrote);
    }
}

}  // namespace

int OpenForReading(const std::string& path)
{
    return open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

long ReadDescriptor(int fd, char* buffer, std::size_t size)
{
    return static_cast<long>(read(fd, buffer, size));
}

void CloseDescriptor(int fd)
{
    close(fd);
}

bool CanPromptForPassword()
{
    return isatty(STDIN_FILENO) != 0;
}

PasswordInput PromptForPassword(const std::string& bindUser)
{
    // The prompt goes to the terminal itself, so it shows when standard error is redirected.
    Descriptor terminal(open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC));
    const int promptFd = terminal.Get() >= 0 ? terminal.Get() : STDERR_FILENO;
    std::string line;
    LineEnd end = LineEnd::Error;
    {
        EchoOff echoOff(STDIN_FILENO);
        WriteAll(promptFd, "Password for " + bindUser + ": ");
        end = ReadFirstLine(STDIN_FILENO, line, PromptInterrupted);
    }
    // The Enter that ended the answer was not echoed.
    WriteAll(promptFd, "\n");
    if (end == LineEnd::Interrupted) {
        WipeString(line);
        PasswordInput input;
        input.status = PasswordInput::Status::Interrupted;
        return input;
    }
    if (end != LineEnd::Line) {
        WipeString(line);
        return PasswordFailed("cannot read the password from the terminal");
    }
    if (line.empty()) {
        return PasswordFailed("no password given for the bind name '" + bindUser + "'");
    }
    return PasswordTaken(line);
}
