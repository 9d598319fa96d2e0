// handshake_wait.cpp - a socket layer below TLS that turns "would block" into a bounded wait.
#include "directory/handshake_wait.h"

#include <poll.h>

#include <cerrno>

#include "directory/deadline.h"
#include "directory/query_stop.h"

namespace {

/// What a wait of the layer needs: the socket and what ends the wait.
struct WaitContext {
    int socket;
    const Deadline& deadline;
    const QueryStop& stop;
};

/// Waits up to the deadline for events on the socket; false when the deadline passed or the
/// stop was raised first.
bool WaitFor(const WaitContext& context, short events)
{
    // Pieces of at most a quarter second, so a missed wake-up never holds the wait long.
    constexpr int kLongestWaitMs = 250;
    for (;;) {
        if (context.stop.Raised() || context.deadline.Passed()) {
            return false;
        }
        pollfd watched[2] = {{context.socket, events, 0}, {context.stop.WakeDescriptor(), POLLIN, 0}};
        const int ready = poll(watched, 2, context.deadline.PollMilliseconds(kLongestWaitMs));
        if (ready > 0 && watched[0].revents != 0) {
            return true;  // ready, or an error the next read or write reports
        }
    }
}

bool WouldBlock()
{
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

int Setup(Sockbuf_IO_Desc* layer, void* context)
{
    layer->sbiod_pvt = context;
    return 0;
}

int Remove(Sockbuf_IO_Desc* layer)
{
    layer->sbiod_pvt = nullptr;
    return 0;
}

int Control(Sockbuf_IO_Desc* layer, int option, void* argument)
{
    return LBER_SBIOD_CTRL_NEXT(layer, option, argument);
}

ber_slen_t Read(Sockbuf_IO_Desc* layer, void* buffer, ber_len_t length)
{
    const auto& context = *static_cast<const WaitContext*>(layer->sbiod_pvt);
    for (;;) {
        const ber_slen_t got = LBER_SBIOD_READ_NEXT(layer, buffer, length);
        if (got >= 0 || !WouldBlock()) {
            return got;
        }
        if (!WaitFor(context, POLLIN)) {
            errno = ETIMEDOUT;
            return -1;
        }
    }
}

ber_slen_t Write(Sockbuf_IO_Desc* layer, void* buffer, ber_len_t length)
{
    const auto& context = *static_cast<const WaitContext*>(layer->sbiod_pvt);
    for (;;) {
        const ber_slen_t put = LBER_SBIOD_WRITE_NEXT(layer, buffer, length);
        if (put >= 0 || !WouldBlock()) {
            return put;
        }
        if (!WaitFor(context, POLLOUT)) {
            errno = ETIMEDOUT;
            return -1;
        }
    }
}

Sockbuf_IO waitingLayer = {Setup, Remove, Control, Read, Write, nullptr};

}  // namespace

int InstallTlsWithin(LDAP* connection, int socket, const Deadline& deadline, const QueryStop& stop)
{
    // The library retries a handshake step that would block at once, without waiting for the
    // socket: the layer below TLS makes each such step wait for the socket instead.
    Sockbuf* buffer = nullptr;
    WaitContext context{socket, deadline, stop};
    const bool layered = ldap_get_option(connection, LDAP_OPT_SOCKBUF, &buffer) == LDAP_OPT_SUCCESS &&
                         buffer != nullptr &&
                         ber_sockbuf_add_io(buffer, &waitingLayer, LBER_SBIOD_LEVEL_PROVIDER, &context) == 0;
    const int secured = ldap_install_tls(connection);
    if (layered) {
        // Later reads take what has arrived and never wait here: the search waits for the socket itself.
        ber_sockbuf_remove_io(buffer, &waitingLayer, LBER_SBIOD_LEVEL_PROVIDER);
    }
    return secured;
}
