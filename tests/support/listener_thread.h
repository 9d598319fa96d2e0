// listener_thread.h - the skeleton of the loopback test servers: a listener on 127.0.0.1 and a
// free port, whose connections are accepted on a thread of its own until it is destroyed.
#pragma once

#include <functional>
#include <thread>
#include <vector>

#include "test_socket.h"

/**
 * Listens on 127.0.0.1 on a port the system picks and hands each accepted connection to the
 * handler on its own thread. The handler returns true to hold the connection open until the
 * listener is destroyed, false to have it closed at once. Destroying the listener wakes the
 * thread (also inside a handler that waits with Wait() on WakeSocket()), joins it and closes every socket.
 * Declare it as the last member of its owner, so that it stops before the owner's other members go.
 */
class ListenerThread {
public:
    using Handler = std::function<bool(test_socket::Socket connection)>;

    explicit ListenerThread(Handler handler);
    ~ListenerThread();
    ListenerThread(const ListenerThread&) = delete;
    ListenerThread& operator=(const ListenerThread&) = delete;

    /// The port on 127.0.0.1; 0 when not listening.
    int Port() const { return m_port; }
    /// Readable once the listener is being destroyed: handlers wait on it besides their connection.
    test_socket::Socket WakeSocket() const { return m_wake[0]; }

private:
    void Run();

    Handler m_handler;
    test_socket::Socket m_listener = test_socket::kNone;
    test_socket::Socket m_wake[2] = {test_socket::kNone, test_socket::kNone};
    int m_port = 0;
    std::vector<test_socket::Socket> m_held;
    std::thread m_thread;
};
