// unresponsive_listener.cpp - UnresponsiveListener and UnusedPort on loopback sockets.
#include "unresponsive_listener.h"

UnresponsiveListener::UnresponsiveListener()
    : m_listener([this](test_socket::Socket) {
          ++m_accepted;
          return true;  // held open, never read or written
      })
{}

UnresponsiveListener::~UnresponsiveListener() = default;

int UnusedPort()
{
    int port = 0;
    const test_socket::Socket socket = test_socket::BindLoopback(port, false);
    if (socket == test_socket::kNone) {
        return 0;
    }
    // Closed without listening: connecting to it is refused until someone else takes it.
    test_socket::Close(socket);
    return port;
}
