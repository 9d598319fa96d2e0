// password_input.cpp - reading a bind password from a file, standard input or the terminal,
// through buffers that are wiped, never through the standard streams' own buffers.
#include "cli/password_input.h"

#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

/// A first line longer than this is no password.
constexpr std::size_t kLongestLine = 64 * 1024;

/// A descriptor closed when it goes out of use, unless it is standard input.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd > STDIN_FILENO) {
            close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

enum class LineEnd { Line, TooLong, Error, Interrupted };

/// Reads fd up to its first LF or its end into line, one byte at a time so nothing after the
/// line is taken from a shared standard input. Stops with Interrupted when a read is interrupted
/// and interrupted() says so.
LineEnd ReadFirstLine(int fd, std::string& line, bool (*interrupted)())
{
    line.reserve(256);
    for (;;) {
        char byte = 0;
        const ssize_t got = read(fd, &byte, 1);
        if (got < 0) {
            if (errno == EINTR) {
                if (interrupted != nullptr && interrupted()) {
                    return LineEnd::Interrupted;
                }
                continue;
            }
            return LineEnd::Error;
        }
        if (got == 0 || byte == '\n') {
            break;
        }
        if (line.size() >= kLongestLine) {
            return LineEnd::TooLong;
        }
        // Grow by hand, wiping the old buffer, so no copy of the password is left behind.
        if (line.size() == line.capacity()) {
            std::string bigger;
            bigger.reserve(line.capacity() * 2);
            bigger = line;
            WipeString(line);
            line.swap(bigger);
        }
        line.push_back(byte);
    }
    if (!line.empty() && line.back() == '\r') {
        line.back() = '\0';
        line.pop_back();
    }
    return LineEnd::Line;
}

PasswordInput Failed(std::string error)
{
    PasswordInput input;
    input.error = std::move(error);
    return input;
}

PasswordInput Taken(std::string& line)
{
    PasswordInput input;
    input.status = PasswordInput::Status::Read;
    input.password = Password::Taking(line);
    return input;
}

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

PasswordInput ReadPasswordFile(const std::string& path)
{
    const bool standardInput = path == "-";
    const std::string name = standardInput ? "standard input" : "the password file '" + path + "'";
    Descriptor file(standardInput ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        return Failed("cannot read " + name + " (" + std::strerror(errno) + ")");
    }
    std::string line;
    switch (ReadFirstLine(file.Get(), line, nullptr)) {
        case LineEnd::Error:
            WipeString(line);
            return Failed("cannot read " + name + " (" + std::strerror(errno) + ")");
        case LineEnd::TooLong:
            WipeString(line);
            return Failed("the first line of " + name + " is too long for a password");
        case LineEnd::Interrupted:
        case LineEnd::Line:
            break;
    }
    if (line.empty()) {
        return Failed("the first line of " + name + " holds no password");
    }
    return Taken(line);
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
        return Failed("cannot read the password from the terminal");
    }
    if (line.empty()) {
        return Failed("no password given for the bind name '" + bindUser + "'");
    }
    return Taken(line);
}
