// tcp_connect.cpp - ConnectTcp: name lookup on a helper thread, non-blocking connects under poll.
#include "directory/tcp_connect.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include "directory/query_stop.h"

namespace {

using Status = TcpConnectResult::Status;

/// Waits are cut into pieces of this length at most, so a deadline is met even if a wake-up
/// is missed.
constexpr int kLongestWaitMs = 250;

struct AddressListReleaser {
    void operator()(addrinfo* list) const { freeaddrinfo(list); }
};
using AddressList = std::unique_ptr<addrinfo, AddressListReleaser>;

/// One name lookup, shared by the search and the thread doing it: whichever lets go last frees
/// it, so a search that stops waiting leaves the thread a valid place to put its answer.
struct Lookup {
    std::mutex mutex;
    bool done = false;
    int code = 0;
    AddressList addresses;
    int wake[2] = {-1, -1};

    ~Lookup()
    {
        for (const int fd : wake) {
            if (fd >= 0) {
                close(fd);
            }
        }
    }
};

addrinfo Hints(int flags)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = flags;
    return hints;
}

/// Waits until fd is ready for events, the stop is raised or the deadline passes.
Status WaitFor(int fd, short events, const Deadline& deadline, const QueryStop& stop)
{
    for (;;) {
        if (stop.Raised()) {
            return Status::Stopped;
        }
        if (deadline.Passed()) {
            return Status::TimedOut;
        }
        pollfd watched[2] = {{fd, events, 0}, {stop.WakeDescriptor(), POLLIN, 0}};
        const int ready = poll(watched, 2, deadline.PollMilliseconds(kLongestWaitMs));
        if (ready > 0 && watched[0].revents != 0) {
            return Status::Connected;
        }
    }
}

/// The addresses of host: a numeric address at once, a name through a lookup thread.
Status Resolve(const std::string& host, const std::string& service, const Deadline& deadline, const QueryStop& stop,
               AddressList& addresses, std::string& error)
{
    addrinfo numeric = Hints(AI_NUMERICHOST | AI_NUMERICSERV);
    addrinfo* found = nullptr;
    int code = getaddrinfo(host.c_str(), service.c_str(), &numeric, &found);
    if (code == 0) {
        addresses.reset(found);
        return Status::Connected;
    }
    auto lookup = std::make_shared<Lookup>();
    if (pipe2(lookup->wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = std::strerror(errno);
        return Status::Failed;
    }
    std::thread([lookup, host, service] {
        const addrinfo hints = Hints(AI_NUMERICSERV | AI_ADDRCONFIG);
        addrinfo* answer = nullptr;
        const int result = getaddrinfo(host.c_str(), service.c_str(), &hints, &answer);
        const std::lock_guard<std::mutex> lock(lookup->mutex);
        lookup->code = result;
        lookup->addresses.reset(answer);
        lookup->done = true;
        const char byte = 'd';
        [[maybe_unused]] const ssize_t written = write(lookup->wake[1], &byte, 1);
    }).detach();
    const Status waited = WaitFor(lookup->wake[0], POLLIN, deadline, stop);
    if (waited != Status::Connected) {
        return waited;
    }
    const std::lock_guard<std::mutex> lock(lookup->mutex);
    code = lookup->code;
    if (code != 0) {
        error = code == EAI_SYSTEM ? std::strerror(errno) : gai_strerror(code);
        return Status::Failed;
    }
    addresses = std::move(lookup->addresses);
    return Status::Connected;
}

/// Connects a new non-blocking socket to address; Failed with error set when it is refused.
Status ConnectOne(const addrinfo& address, const Deadline& deadline, const QueryStop& stop, int& socketFd,
                  std::string& error)
{
    const int fd = socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
    if (fd < 0) {
        error = std::strerror(errno);
        return Status::Failed;
    }
    // Requests are small and answered before the next is sent: no reason to hold them back.
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    Status status = Status::Connected;
    if (connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
        if (errno != EINPROGRESS) {
            error = std::strerror(errno);
            status = Status::Failed;
        } else {
            status = WaitFor(fd, POLLOUT, deadline, stop);
            int problem = 0;
            socklen_t length = sizeof problem;
            if (status == Status::Connected &&
                (getsockopt(fd, SOL_SOCKET, SO_ERROR, &problem, &length) != 0 || problem != 0)) {
                error = std::strerror(problem != 0 ? problem : errno);
                status = Status::Failed;
            }
        }
    }
    if (status != Status::Connected) {
        close(fd);
        return status;
    }
    socketFd = fd;
    return status;
}

}  // namespace

TcpConnectResult ConnectTcp(const std::string& host, int32_t port, const Deadline& deadline, const QueryStop& stop)
{
    TcpConnectResult result;
    AddressList addresses;
    result.status = Resolve(host, std::to_string(port), deadline, stop, addresses, result.error);
    if (result.status != Status::Connected) {
        return result;
    }
    result.status = Status::Failed;
    for (const addrinfo* address = addresses.get(); address != nullptr; address = address->ai_next) {
        result.status = ConnectOne(*address, deadline, stop, result.socket, result.error);
        if (result.status != Status::Failed) {
            break;
        }
    }
    return result;
}
