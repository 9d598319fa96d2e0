// password_input.cpp - reading a bind password from a file, standard input or the terminal,
// through buffers that are wiped, never through the standard streams' own buffers. The prompt on
// the terminal is one file per system (password_prompt_posix.cpp, password_prompt_win.cpp).
#include "cli/password_input.h"

#include <cerrno>
#include <cstring>

#include "cli/password_line.h"

namespace {

/// A first line longer than this is no password.
constexpr std::size_t kLongestLine = 64 * 1024;

}  // namespace

Descriptor::~Descriptor()
{
    if (m_fd > 0) {
        CloseDescriptor(m_fd);
    }
}

LineEnd ReadFirstLine(int fd, std::string& line, bool (*interrupted)())
{
    line.reserve(256);
    for (;;) {
        char byte = 0;
        const long got = ReadDescriptor(fd, &byte, 1);
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

PasswordInput PasswordFailed(std::string error)
{
    PasswordInput input;
    input.error = std::move(error);
    return input;
}

PasswordInput PasswordTaken(std::string& line)
{
    PasswordInput input;
    input.status = PasswordInput::Status::Read;
    input.password = Password::Taking(line);
    return input;
}

PasswordInput ReadPasswordFile(const std::string& path)
{
    const bool standardInput = path == "-";
    const std::string name = standardInput ? "standard input" : "the password file '" + path + "'";
    Descriptor file(standardInput ? 0 : OpenForReading(path));
    if (file.Get() < 0) {
        return PasswordFailed("cannot read " + name + " (" + std::strerror(errno) + ")");
    }
    std::string line;
    switch (ReadFirstLine(file.Get(), line, nullptr)) {
        case LineEnd::Error:
            WipeString(line);
            return PasswordFailed("cannot read " + name + " (" + std::strerror(errno) + ")");
        case LineEnd::TooLong:
            WipeString(line);
            return PasswordFailed("the first line of " + name + " is too long for a password");
        case LineEnd::Interrupted:
        case LineEnd::Line:
            break;
    }
    if (line.empty()) {
        return PasswordFailed("the first line of " + name + " holds no password");
    }
    return PasswordTaken(line);
}
