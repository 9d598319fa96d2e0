// unresponsive_listener.h - a TCP listener on 127.0.0.1 that accepts connections and never
// answers, for time-out tests; and a port on which nothing listens.
#pragma once

#include <atomic>

#include "listener_thread.h"

/**
 * Listens on 127.0.0.1 on a free port. A thread accepts every connection and holds it open
 * without reading or writing, so a client waits until its own time limit. Everything is closed
 * when the listener is destroyed.
 */
class UnresponsiveListener {
public:
    UnresponsiveListener();
    ~UnresponsiveListener();
    UnresponsiveListener(const UnresponsiveListener&) = delete;
    UnresponsiveListener& operator=(const UnresponsiveListener&) = delete;

    /// True when the socket is listening.
    bool Running() const { return Port() > 0; }
    /// The port on 127.0.0.1; 0 when not listening.
    int Port() const { return m_listener.Port(); }
    /// Connections accepted so far.
    int Accepted() const { return m_accepted.load(); }

private:
    std::atomic<int> m_accepted{0};
    ListenerThread m_listener;
};

/// A port on 127.0.0.1 on which nothing listens at the moment of the call.
int UnusedPort();
