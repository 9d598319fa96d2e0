// unresponsive_listener.cpp - UnresponsiveListener and UnusedPort on loopback sockets.
#include "unresponsive_listener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

/// A TCP socket bound to 127.0.0.1 on a port the system picks; -1 on failure.
int BindLoopback(int& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

}  // namespace

UnresponsiveListener::UnresponsiveListener()
{
    int port = 0;
    m_listener = BindLoopback(port);
    if (m_listener < 0) {
        return;
    }
    if (listen(m_listener, 16) != 0 || pipe2(m_wake, O_CLOEXEC) != 0) {
        close(m_listener);
        m_listener = -1;
        return;
    }
    m_port = port;
    m_thread = std::thread([this] { Run(); });
}

UnresponsiveListener::~UnresponsiveListener()
{
    if (m_thread.joinable()) {
        const char stop = 's';
        [[maybe_unused]] const ssize_t written = write(m_wake[1], &stop, 1);
        m_thread.join();
    }
    for (int fd : m_held) {
        close(fd);
    }
    for (int fd : {m_listener, m_wake[0], m_wake[1]}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

void UnresponsiveListener::Run()
{
    for (;;) {
        pollfd watched[2] = {{m_listener, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (poll(watched, 2, -1) < 0) {
            continue;  // interrupted by a signal
        }
        if (watched[1].revents != 0) {
            return;
        }
        if (watched[0].revents & POLLIN) {
            const int connection = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection >= 0) {
                m_held.push_back(connection);
                ++m_accepted;
            }
        }
    }
}

int UnusedPort()
{
    int port = 0;
    const int fd = BindLoopback(port);
    if (fd < 0) {
        return 0;
    }
    // Closed without listening: connecting to it is refused until someone else takes it.
    close(fd);
    return port;
}
