// relay_links.h - what the loopback relays share: a listener on 127.0.0.1, each accepted client
// joined to a new connection to the target, a thread for each direction, and the stop.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "listener_thread.h"

/**
 * Listens on 127.0.0.1 on a free port; each connection accepted is joined to a new connection to
 * the target, and the relay's two pass functions run on a thread each: one from the client to the
 * server, one from the server to the client. When a pass function returns, the end of the stream
 * is passed on to the side it wrote to. Destroying the links ends every connection (also a send
 * that waits for a side that reads no more) and joins every thread. Declare it as the last member
 * of its relay, so that the threads end before the members the pass functions use go.
 */
class RelayLinks {
public:
    using Socket = test_socket::Socket;
    /// Passes what comes from `from` on to `to` until from ends, to fails or Stopping(); waits
    /// with test_socket::Wait() on WakeSocket() besides from.
    using Pass = std::function<void(Socket from, Socket to)>;
    /** The two directions of one link; they may share what they keep of that link. */
    struct Passes {
        Pass toServer;
        Pass toClient;
    };
    /// Called for each new link, once client and server are connected: its two directions.
    using MakePasses = std::function<Passes(Socket client, Socket server)>;

    RelayLinks(std::string targetHost, int targetPort, MakePasses makePasses);
    ~RelayLinks();
    RelayLinks(const RelayLinks&) = delete;
    RelayLinks& operator=(const RelayLinks&) = delete;

    /// The port on 127.0.0.1 clients connect to; 0 when not listening.
    int Port() const { return m_listener.Port(); }
    /// True once the relay is being destroyed.
    bool Stopping() const { return m_stopping.load(); }
    /// Readable once the relay is being destroyed.
    Socket WakeSocket() const { return m_wake[0]; }

private:
    struct Link;

    /// Joins a new client to a new connection to the target; false when the target cannot be reached.
    bool Join(Socket client);
    /// Joins the threads of the links whose connections have ended and closes their sockets.
    void ForgetEnded();

    std::string m_targetHost;
    int m_targetPort;
    MakePasses m_makePasses;
    std::atomic<bool> m_stopping{false};
    Socket m_wake[2] = {test_socket::kNone, test_socket::kNone};
    std::mutex m_mutex;  ///< guards m_links and the start of new ones against the stop
    std::vector<std::unique_ptr<Link>> m_links;
    ListenerThread m_listener;  ///< last: stops accepting before the members its thread uses go
};
