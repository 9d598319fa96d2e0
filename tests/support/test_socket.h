// test_socket.h - the few loopback TCP calls the test servers make, with one implementation per
// system (POSIX sockets, Winsock), so that the servers themselves are written once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace test_socket {

/// A socket of the system: a descriptor on POSIX, a SOCKET on Windows; kNone when there is none.
using Socket = std::intptr_t;
inline constexpr Socket kNone = -1;

/// What Wait saw, as bits.
enum Ready : int {
    kReadable = 1,  ///< bytes to read, or the peer left
    kWritable = 2,
    kClosed = 4,  ///< the connection failed or was hung up
    kWoken = 8,   ///< the wake-up socket fired, or waiting failed: stop
};

/// A TCP socket bound to 127.0.0.1 on a port the system picks, listening when listen is true;
/// kNone on failure.
Socket BindLoopback(int& port, bool listen);
/// The next connection of a listener; kNone on failure.
Socket Accept(Socket listener);
/// A TCP connection to host (a name or an address) and port; kNone on failure.
Socket Connect(const std::string& host, int port);
/// Sends every write at once instead of gathering small ones into larger segments.
void SendPromptly(Socket socket);
/// Ends sending on socket, so that the peer reads the end of the stream once it has read the
/// bytes before; with receivingToo also receiving, which wakes a thread waiting in Receive or SendAll.
void ShutDown(Socket socket, bool receivingToo);
void Close(Socket socket);
/// Two connected sockets: a byte sent on pair[1] makes pair[0] readable. False on failure.
bool MakeWakePair(Socket pair[2]);
/// Sends every byte; false when the peer left.
bool SendAll(Socket socket, const char* data, std::size_t size);
/// Receives up to size bytes: how many, 0 when the peer left, below 0 on failure.
long Receive(Socket socket, char* buffer, std::size_t size);
/// Waits without end until socket is readable (and, with forWriting, writable) or wake is
/// readable; returns the Ready bits seen.
int Wait(Socket socket, bool forWriting, Socket wake);
/// Waits until the peer has taken every byte sent on socket, where the system can tell; on
/// Windows it cannot, and a loopback peer has the bytes once they are sent.
void WaitUntilTaken(Socket socket);

}  // namespace test_socket
