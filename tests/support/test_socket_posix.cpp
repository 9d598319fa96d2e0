// test_socket_posix.cpp - the loopback TCP calls of the test servers on POSIX sockets.
#include "test_socket.h"

#include <arpa/inet.h>
#include <linux/sockios.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace test_socket {

Socket BindLoopback(int& port, bool listening)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return kNone;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0 || (listening && listen(fd, 16) != 0)) {
        close(fd);
        return kNone;
    }
    port = ntohs(address.sin_port);
    return fd;
}

Socket Accept(Socket listener)
{
    const int fd = accept4(static_cast<int>(listener), nullptr, nullptr, SOCK_CLOEXEC);
    return fd < 0 ? kNone : fd;
}

Socket Connect(const std::string& host, int port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return kNone;
    }
    int fd = -1;
    for (const addrinfo* at = found; at != nullptr && fd < 0; at = at->ai_next) {
        fd = socket(at->ai_family, at->ai_socktype | SOCK_CLOEXEC, at->ai_protocol);
        if (fd >= 0 && connect(fd, at->ai_addr, at->ai_addrlen) != 0) {
            close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(found);
    return fd < 0 ? kNone : fd;
}

void SendPromptly(Socket socket)
{
    const int on = 1;
    setsockopt(static_cast<int>(socket), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

void ShutDown(Socket socket, bool receivingToo)
{
    shutdown(static_cast<int>(socket), receivingToo ? SHUT_RDWR : SHUT_WR);
}

void Close(Socket socket)
{
    if (socket != kNone) {
        close(static_cast<int>(socket));
    }
}

bool MakeWakePair(Socket pair[2])
{
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) {
        return false;
    }
    pair[0] = fds[0];
    pair[1] = fds[1];
    return true;
}

bool SendAll(Socket socket, const char* data, std::size_t size)
{
    std::size_t sent = 0;
    while (sent < size) {
        const ssize_t n = send(static_cast<int>(socket), data + sent, size - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

long Receive(Socket socket, char* buffer, std::size_t size)
{
    return static_cast<long>(recv(static_cast<int>(socket), buffer, size, 0));
}

int Wait(Socket socket, bool forWriting, Socket wake)
{
    const short events = forWriting ? POLLIN | POLLOUT : POLLIN;
    pollfd watched[2] = {{static_cast<int>(socket), events, 0}, {static_cast<int>(wake), POLLIN, 0}};
    while (poll(watched, 2, -1) < 0) {
        if (errno != EINTR) {
            return kWoken;
        }
    }
    if (watched[1].revents != 0) {
        return kWoken;
    }
    const short seen = watched[0].revents;
    return ((seen & POLLIN) ? kReadable : 0) | ((seen & POLLOUT) ? kWritable : 0) |
           ((seen & (POLLERR | POLLHUP)) ? kClosed : 0);
}

void WaitUntilTaken(Socket socket)
{
    int unacknowledged = 0;
    while (ioctl(static_cast<int>(socket), SIOCOUTQ, &unacknowledged) == 0 && unacknowledged > 0) {
        std::this_thread::yield();
    }
}

}  // namespace test_socket
