// broken_pipe_guard.h - keeps a write to a connection the server has closed from ending the program.
#pragma once

#include <signal.h>

/**
 * While it lives, SIGPIPE is blocked on the calling thread: the client library writes to the
 * socket with plain writes, and a server that closes the connection first (a TLS handshake
 * refused, a server going down) would otherwise end the whole program. A SIGPIPE raised meanwhile
 * is taken off again before the thread's signal mask is restored, so nobody else sees it.
 */
class BrokenPipeGuard {
public:
    BrokenPipeGuard();
    ~BrokenPipeGuard();
    BrokenPipeGuard(const BrokenPipeGuard&) = delete;
    BrokenPipeGuard& operator=(const BrokenPipeGuard&) = delete;

private:
    sigset_t m_previousMask;
    bool m_wasPending = false;
    bool m_blocked = false;
};
