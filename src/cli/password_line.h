// password_line.h - the first-line rule of a password and the descriptor calls it reads through,
// shared by the password file and the prompt of each system.
#pragma once

#include <cstddef>
#include <string>

/// Opens a file named in program text for reading; -1 when it cannot.
int OpenForReading(const std::string& path);
/// read(2): bytes read, 0 at the end, -1 on failure (errno set).
long ReadDescriptor(int fd, char* buffer, std::size_t size);
void CloseDescriptor(int fd);

/// A descriptor closed when it goes out of use, unless it is standard input.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor();
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

enum class LineEnd { Line, TooLong, Error, Interrupted };

/// Reads fd up to its first LF or its end into line, one byte at a time so nothing after the
/// line is taken from a shared standard input; a CR before the LF is dropped. Stops with
/// Interrupted when a read is interrupted and interrupted() says so.
LineEnd ReadFirstLine(int fd, std::string& line, bool (*interrupted)());
