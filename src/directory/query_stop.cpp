// query_stop.cpp - QueryStop: an atomic flag, a self-pipe and the watched socket.
#include "directory/query_stop.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

QueryStop::QueryStop()
{
    if (pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_pipe[0] = m_pipe[1] = -1;
    }
}

QueryStop::~QueryStop()
{
    for (const int fd : m_pipe) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

void QueryStop::Raise()
{
    ++m_raising;
    m_raised.store(true);
    if (m_pipe[1] >= 0) {
        const char byte = 's';
        [[maybe_unused]] const ssize_t written = write(m_pipe[1], &byte, 1);
    }
    const int watched = m_watched.load();
    if (watched >= 0) {
        shutdown(watched, SHUT_RDWR);
    }
    --m_raising;
}

void QueryStop::Watch(int socket)
{
    m_watched.store(socket);
    // A stop raised just before the socket was watched still reaches it.
    if (m_raised.load()) {
        shutdown(socket, SHUT_RDWR);
    }
}

void QueryStop::Unwatch()
{
    m_watched.store(-1);
    // A Raise() that read the socket before it was cleared may still be shutting it down.
    while (m_raising.load() != 0) {
        std::this_thread::yield();
    }
}
