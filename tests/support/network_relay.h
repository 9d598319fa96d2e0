// network_relay.h - a loopback relay that stands for a network path between a client and a
// server: the server's bytes reach the client in small pieces with gaps between them, as they do
// across a real network, instead of in the large whole pieces of loopback.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "relay_links.h"

/**
 * Listens on 127.0.0.1 on a free port; each connection accepted is joined to a new connection to
 * the target, and bytes pass both ways until either side ends. The server's bytes are handed to
 * the client in pieces of at most Pace::pieceBytes, one piece every Pace::gap; the client's bytes
 * pass on as they come. The end of one side's stream is passed on as the end of the stream.
 * Destroying the relay ends every connection and joins every thread it started.
 */
class NetworkRelay {
public:
    /** How the server's bytes are handed to the client. */
    struct Pace {
        std::size_t pieceBytes = 1400;        ///< at least 1
        std::chrono::microseconds gap{1000};  ///< from one piece to the next
    };

    NetworkRelay(std::string targetHost, int targetPort, Pace pace);
    NetworkRelay(std::string targetHost, int targetPort) : NetworkRelay(std::move(targetHost), targetPort, Pace{}) {}
    ~NetworkRelay() = default;
    NetworkRelay(const NetworkRelay&) = delete;
    NetworkRelay& operator=(const NetworkRelay&) = delete;

    bool Running() const { return Port() > 0; }
    /// The port on 127.0.0.1 clients connect to; 0 when not listening.
    int Port() const { return m_links.Port(); }
    /// Bytes of the server handed to clients so far, over every connection.
    std::uint64_t BytesToClients() const { return m_bytesToClients.load(); }

private:
    using Socket = test_socket::Socket;

    /// Passes bytes from one socket to the other until either ends, paced toward the client.
    void Pass(Socket from, Socket to, bool towardClient);

    Pace m_pace;
    std::atomic<std::uint64_t> m_bytesToClients{0};
    RelayLinks m_links;  ///< last: its threads end before the members they use go
};
