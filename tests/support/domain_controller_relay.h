// domain_controller_relay.h - a loopback relay between an LDAP client and a directory server that
// answers as a domain controller does: a large attribute's values a range at a time, and pages of
// a bounded size.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "listener_thread.h"

/**
 * Listens on 127.0.0.1 on a free port; each connection accepted is joined to a new connection to
 * the target, and the messages pass both ways, read whole and changed as a domain controller
 * would answer (plain LDAP only: it reads the messages):
 * - an entry's attribute of more than maxValues values, asked for without a range, comes as
 *   "name;range=0-(maxValues-1)" with its first maxValues values;
 * - a request for "name;range=FIRST-*" (or "FIRST-LAST") asks the server for "name" and gets at
 *   most maxValues values from FIRST on, named "name;range=FIRST-LAST", or "name;range=FIRST-*"
 *   when they reach the last value;
 * - a paged search asks the server for pages of at most maxPage entries; a search without the
 *   paged-results control gets at most maxPage entries and then the size limit answer (4).
 * With holdRanges, requests that ask for a range are taken but never passed on (never answered).
 * Destroying the relay ends every connection and joins every thread it started.
 */
class DomainControllerRelay {
public:
    struct Limits {
        std::size_t maxValues = 1500;  ///< a domain controller's MaxValRange
        std::size_t maxPage = 1000;    ///< its MaxPageSize
        bool holdRanges = false;
    };

    DomainControllerRelay(std::string targetHost, int targetPort, Limits limits);
    DomainControllerRelay(std::string targetHost, int targetPort)
        : DomainControllerRelay(std::move(targetHost), targetPort, Limits{})
    {}
    ~DomainControllerRelay();
    DomainControllerRelay(const DomainControllerRelay&) = delete;
    DomainControllerRelay& operator=(const DomainControllerRelay&) = delete;

    bool Running() const { return Port() > 0; }
    /// The port on 127.0.0.1 clients connect to; 0 when not listening.
    int Port() const { return m_listener.Port(); }
    /// Search requests that asked for a range of values, over every connection.
    int RangeRequests() const { return m_rangeRequests.load(); }
    /// Entries answers were cut to by the page bound, over every connection: searches whose answer
    /// or page size the relay bounded.
    int PagesBounded() const { return m_pagesBounded.load(); }

private:
    using Socket = test_socket::Socket;
    struct Link;

    bool Join(Socket client);
    /// Passes the client's messages to the server, each changed as the limits say.
    void PassRequests(Link& link);
    /// Passes the server's messages to the client, each changed as the limits say.
    void PassAnswers(Link& link);
    void ForgetEnded();

    std::string m_targetHost;
    int m_targetPort;
    Limits m_limits;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_rangeRequests{0};
    std::atomic<int> m_pagesBounded{0};
    Socket m_wake[2] = {test_socket::kNone, test_socket::kNone};
    std::mutex m_mutex;  ///< guards m_links and the start of new ones against the stop
    std::vector<std::unique_ptr<Link>> m_links;
    ListenerThread m_listener;  ///< last: stops accepting before the members its thread uses go
};
