// domain_controller_relay.h - a loopback relay between an LDAP client and a directory server that
// answers as a domain controller does: a large attribute's values a range at a time, and pages of
// a bounded size.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <utility>

#include "relay_links.h"

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
    ~DomainControllerRelay() = default;
    DomainControllerRelay(const DomainControllerRelay&) = delete;
    DomainControllerRelay& operator=(const DomainControllerRelay&) = delete;

    bool Running() const { return Port() > 0; }
    /// The port on 127.0.0.1 clients connect to; 0 when not listening.
    int Port() const { return m_links.Port(); }
    /// Search requests that asked for a range of values, over every connection.
    int RangeRequests() const { return m_rangeRequests.load(); }
    /// Entries answers were cut to by the page bound, over every connection: searches whose answer
    /// or page size the relay bounded.
    int PagesBounded() const { return m_pagesBounded.load(); }

private:
    using Socket = test_socket::Socket;
    struct Searches;

    /// Passes the client's messages to the server, each changed as the limits say.
    void PassRequests(Socket client, Socket server, Searches& searches);
    /// Passes the server's messages to the client, each changed as the limits say.
    void PassAnswers(Socket server, Socket client, Searches& searches);

    Limits m_limits;
    std::atomic<int> m_rangeRequests{0};
    std::atomic<int> m_pagesBounded{0};
    RelayLinks m_links;  ///< last: its threads end before the members they use go
};
