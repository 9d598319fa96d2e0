// handshake_wait.cpp - a socket layer below TLS that turns "would block" into a bounded wait.
#include "directory/handshake_wait.h"

#include <poll.h>

#include <cerrno>

#include "directory/deadline.h"
#include "directory/query_stop.h"
#include "directory/socket_layer.h"

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

int Control(Sockbuf_IO_Desc* layer, int option, void* argument)
{
    return LBER_SBIOD_CTRL_NEXT(layer, option, argument);
}

/// Runs step, the read or write of the layer below, again each time it would block, once the
/// socket is ready for events; a wait that ends otherwise fails it with ETIMEDOUT.
template <class Step>
ber_slen_t WaitingFor(Sockbuf_IO_Desc* layer, short events, Step step)
{
    const auto& context = LayerContext<const WaitContext>(layer);
    for (;;) {
        const ber_slen_t done = step();
        if (done >= 0 || !WouldBlock()) {
            return done;
        }
        if (!WaitFor(context, events)) {
            errno = ETIMEDOUT;
            return -1;
        }
    }
}

ber_slen_t Read(Sockbuf_IO_Desc* layer, void* buffer, ber_len_t length)
{
    return WaitingFor(layer, POLLIN, [&] { return LBER_SBIOD_READ_NEXT(layer, buffer, length); });
}

ber_slen_t Write(Sockbuf_IO_Desc* layer, void* buffer, ber_len_t length)
{
    return WaitingFor(layer, POLLOUT, [&] { return LBER_SBIOD_WRITE_NEXT(layer, buffer, length); });
}

Sockbuf_IO waitingLayer = {KeepLayerContext, DropLayerContext, Control, Read, Write, nullptr};

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
