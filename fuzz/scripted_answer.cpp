// scripted_answer.cpp - ScriptedAnswer, and the TCP connect of the fuzz build that hands the
// search the client end of the answer being played.
#include "scripted_answer.h"

#include <fcntl.h>
#include <linux/sockios.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "directory/tcp_connect.h"

namespace {

ScriptedAnswer* g_current = nullptr;

void SetNonBlocking(int socket)
{
    const int flags = fcntl(socket, F_GETFL);
    if (flags < 0 || fcntl(socket, F_SETFL, flags | O_NONBLOCK) != 0) {
        std::abort();  // a broken run, not a find
    }
}

/// Bytes the client has not read yet of what the server end sent.
int Unread(int server)
{
    int queued = 0;
    return ioctl(server, SIOCOUTQ, &queued) == 0 ? queued : 0;
}

}  // namespace

ScriptedAnswer::ScriptedAnswer(std::string_view bytes, std::vector<std::size_t> pieces)
    : m_bytes(bytes), m_pieces(std::move(pieces))
{
    int ends[2] = {-1, -1};
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0) {
        std::abort();
    }
    m_server = ends[0];
    m_client = ends[1];
    SetNonBlocking(m_server);
    SetNonBlocking(m_client);
    m_wake = eventfd(0, EFD_NONBLOCK);
    if (m_wake < 0) {
        std::abort();
    }
    g_current = this;
    m_writer = std::thread([this] { Serve(); });
}

ScriptedAnswer::~ScriptedAnswer()
{
    m_done = true;
    const uint64_t one = 1;
    if (write(m_wake, &one, sizeof one) != sizeof one) {
        std::abort();
    }
    m_writer.join();
    close(m_wake);
    g_current = nullptr;
    if (!m_clientTaken) {
        close(m_client);
    }
    close(m_server);
}

int ScriptedAnswer::TakeClientSocket()
{
    if (m_clientTaken) {
        return -1;
    }
    m_clientTaken = true;
    return m_client;
}

ScriptedAnswer* ScriptedAnswer::Current()
{
    return g_current;
}

void ScriptedAnswer::Serve()
{
    std::size_t sent = 0;
    std::size_t piece = 0;
    std::size_t pieceEnd = 0;
    bool closed = false;
    char sink[4096];
    while (!m_done) {
        // The client's requests are dropped; once it has closed its end, nothing more is read.
        ssize_t got = 0;
        while ((got = read(m_server, sink, sizeof sink)) > 0) {
        }
        if (got == 0) {
            return;
        }
        if (sent == pieceEnd && sent < m_bytes.size() && Unread(m_server) == 0) {
            // The client has read everything so far: the next piece.
            const std::size_t size = piece < m_pieces.size() ? m_pieces[piece++] : m_bytes.size() - sent;
            pieceEnd = sent + std::min(size, m_bytes.size() - sent);
        }
        if (sent < pieceEnd) {
            const ssize_t wrote = send(m_server, m_bytes.data() + sent, pieceEnd - sent, MSG_NOSIGNAL);
            if (wrote > 0) {
                sent += static_cast<std::size_t>(wrote);
            }
        }
        if (sent == m_bytes.size() && !closed) {
            shutdown(m_server, SHUT_WR);
            closed = true;
        }
        if (closed) {
            // Everything is sent: wait for the client's requests or the end of the answer.
            pollfd watched[2] = {{m_server, POLLIN, 0}, {m_wake, POLLIN, 0}};
            poll(watched, 2, -1);
        } else if (sent < pieceEnd) {
            // The piece is larger than the socket takes at once: wait for room.
            pollfd watched[2] = {{m_server, POLLIN | POLLOUT, 0}, {m_wake, POLLIN, 0}};
            poll(watched, 2, -1);
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        }
    }
}

TcpConnectResult ConnectTcp(const std::string&, int32_t, const Deadline&, const QueryStop&)
{
    TcpConnectResult result;
    ScriptedAnswer* answer = ScriptedAnswer::Current();
    result.socket = answer != nullptr ? answer->TakeClientSocket() : -1;
    if (result.socket < 0) {
        result.error = "Connection refused";
        return result;
    }
    result.status = TcpConnectResult::Status::Connected;
    return result;
}
