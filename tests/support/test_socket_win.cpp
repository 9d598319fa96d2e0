// test_socket_win.cpp - the loopback TCP calls of the test servers on Winsock.
#include "test_socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <string>

namespace test_socket {

namespace {

/// Winsock is started once for the program and left running until it ends.
bool Started()
{
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

SOCKET Native(Socket socket)
{
    return static_cast<SOCKET>(socket);
}

Socket Wrapped(SOCKET socket)
{
    return socket == INVALID_SOCKET ? kNone : static_cast<Socket>(socket);
}

}  // namespace

Socket BindLoopback(int& port, bool listening)
{
    if (!Started()) {
        return kNone;
    }
    const SOCKET fd = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (fd == INVALID_SOCKET) {
        return kNone;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0 || (listening && listen(fd, 16) != 0)) {
        closesocket(fd);
        return kNone;
    }
    port = ntohs(address.sin_port);
    return Wrapped(fd);
}

Socket Accept(Socket listener)
{
    return Wrapped(accept(Native(listener), nullptr, nullptr));
}

Socket Connect(const std::string& host, int port)
{
    if (!Started()) {
        return kNone;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return kNone;
    }
    SOCKET fd = INVALID_SOCKET;
    for (const addrinfo* at = found; at != nullptr && fd == INVALID_SOCKET; at = at->ai_next) {
        fd = socket(at->ai_family, at->ai_socktype, at->ai_protocol);
        if (fd != INVALID_SOCKET && connect(fd, at->ai_addr, static_cast<int>(at->ai_addrlen)) != 0) {
            closesocket(fd);
            fd = INVALID_SOCKET;
        }
    }
    freeaddrinfo(found);
    return Wrapped(fd);
}

void SendPromptly(Socket socket)
{
    const BOOL on = TRUE;
    setsockopt(Native(socket), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
}

void ShutDown(Socket socket, bool receivingToo)
{
    shutdown(Native(socket), receivingToo ? SD_BOTH : SD_SEND);
}

void Close(Socket socket)
{
    if (socket != kNone) {
        closesocket(Native(socket));
    }
}

bool MakeWakePair(Socket pair[2])
{
    // Windows has no socket pair: a loopback connection to a listener of its own is one.
    int port = 0;
    const Socket listener = BindLoopback(port, true);
    if (listener == kNone) {
        return false;
    }
    const SOCKET writer = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(port));
    Socket reader = kNone;
    if (writer != INVALID_SOCKET && connect(writer, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        reader = Accept(listener);
    }
    Close(listener);
    if (reader == kNone) {
        Close(Wrapped(writer));
        return false;
    }
    pair[0] = reader;
    pair[1] = Wrapped(writer);
    return true;
}

bool SendAll(Socket socket, const char* data, std::size_t size)
{
    std::size_t sent = 0;
    while (sent < size) {
        const std::size_t chunk = std::min<std::size_t>(size - sent, 1 << 30);
        const int n = send(Native(socket), data + sent, static_cast<int>(chunk), 0);
        if (n <= 0) {
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

long Receive(Socket socket, char* buffer, std::size_t size)
{
    return recv(Native(socket), buffer, static_cast<int>(size), 0);
}

int Wait(Socket socket, bool forWriting, Socket wake)
{
    const short events = forWriting ? POLLRDNORM | POLLWRNORM : POLLRDNORM;
    WSAPOLLFD watched[2] = {{Native(socket), events, 0}, {Native(wake), POLLRDNORM, 0}};
    if (WSAPoll(watched, 2, -1) < 0 || watched[1].revents != 0) {
        return kWoken;
    }
    const short seen = watched[0].revents;
    return ((seen & POLLRDNORM) ? kReadable : 0) | ((seen & POLLWRNORM) ? kWritable : 0) |
           ((seen & (POLLERR | POLLHUP)) ? kClosed : 0);
}

void WaitUntilTaken(Socket) {}

}  // namespace test_socket
