// listener_thread.cpp - ListenerThread: the accept loop, its wake-up and the closing of every socket.
#include "listener_thread.h"

namespace ts = test_socket;

ListenerThread::ListenerThread(Handler handler) : m_handler(std::move(handler))
{
    int port = 0;
    m_listener = ts::BindLoopback(port, true);
    if (m_listener == ts::kNone || !ts::MakeWakePair(m_wake)) {
        return;
    }
    m_port = port;
    m_thread = std::thread([this] { Run(); });
}

ListenerThread::~ListenerThread()
{
    if (m_thread.joinable()) {
        const char stop = 's';
        ts::SendAll(m_wake[1], &stop, 1);
        m_thread.join();
    }
    for (const ts::Socket socket : m_held) {
        ts::Close(socket);
    }
    for (const ts::Socket socket : {m_listener, m_wake[0], m_wake[1]}) {
        ts::Close(socket);
    }
}

void ListenerThread::Run()
{
    for (;;) {
        const int ready = ts::Wait(m_listener, false, m_wake[0]);
        if (ready & ts::kWoken) {
            return;
        }
        if (!(ready & ts::kReadable)) {
            continue;
        }
        const ts::Socket connection = ts::Accept(m_listener);
        if (connection == ts::kNone) {
            continue;
        }
        if (m_handler(connection)) {
            m_held.push_back(connection);
        } else {
            ts::Close(connection);
        }
    }
}
