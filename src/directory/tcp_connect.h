// tcp_connect.h - opening the TCP connection of a search: name lookup and connect, both ended by
// the deadline or a stop.
#pragma once

#include <cstdint>
#include <string>

#include "directory/deadline.h"

class QueryStop;

/** How an attempt to connect ended. */
struct TcpConnectResult {
    enum class Status { Connected, Failed, TimedOut, Stopped };
    Status status = Status::Failed;
    int socket = -1;    ///< the connected socket, non-blocking, when Connected (the caller closes it)
    std::string error;  ///< the system's text of the last failure, when Failed
};

/// Looks host up and connects to port on each of its addresses in turn until one accepts. The
/// lookup runs on its own thread so that a stop or the deadline ends the wait for it at once.
TcpConnectResult ConnectTcp(const std::string& host, int32_t port, const Deadline& deadline, const QueryStop& stop);
