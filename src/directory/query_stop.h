// query_stop.h - a request to stop a running search, raised from another thread or a signal
// handler, that wakes the search wherever it waits.
#pragma once

#include <atomic>

/**
 * The stop of one DirectoryQuery. Raise() may be called from any thread and from a signal handler
 * (it only stores atomics and writes to a pipe). A search waits on the socket and on
 * WakeDescriptor() together, so a raised stop ends the wait at once. While a socket is watched
 * (during the secure handshake, which waits inside the client library), Raise() also shuts it
 * down, which ends that wait too.
 */
class QueryStop {
public:
    QueryStop();
    ~QueryStop();
    QueryStop(const QueryStop&) = delete;
    QueryStop& operator=(const QueryStop&) = delete;

    /// Asks the search to stop.
    void Raise();
    bool Raised() const { return m_raised.load(); }
    /// Readable once Raise() was called; -1 when no pipe could be made (the search then still
    /// sees Raised() between its waits).
    int WakeDescriptor() const { return m_pipe[0]; }

    /// Lets Raise() shut socket down until Unwatch(). One socket at a time.
    void Watch(int socket);
    /// Stops watching; returns once no Raise() can still be using the socket, so it may be closed.
    void Unwatch();

private:
    std::atomic<bool> m_raised{false};
    std::atomic<int> m_watched{-1};
    std::atomic<int> m_raising{0};
    int m_pipe[2] = {-1, -1};
};
