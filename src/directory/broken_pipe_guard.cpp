// broken_pipe_guard.cpp - BrokenPipeGuard: block SIGPIPE on this thread, drop one raised meanwhile.
#include "directory/broken_pipe_guard.h"

#include <pthread.h>

#include <cerrno>
#include <ctime>

namespace {

sigset_t BrokenPipeOnly()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    return set;
}

bool Pending()
{
    sigset_t pending;
    sigemptyset(&pending);
    return sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
}

}  // namespace

BrokenPipeGuard::BrokenPipeGuard()
{
    // One that was pending before belongs to someone else and is left for them.
    m_wasPending = Pending();
    const sigset_t set = BrokenPipeOnly();
    m_blocked = pthread_sigmask(SIG_BLOCK, &set, &m_previousMask) == 0;
}

BrokenPipeGuard::~BrokenPipeGuard()
{
    if (!m_blocked) {
        return;
    }
    if (!m_wasPending && Pending()) {
        const sigset_t set = BrokenPipeOnly();
        const timespec noWait{0, 0};
        while (sigtimedwait(&set, nullptr, &noWait) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &m_previousMask, nullptr);
}
