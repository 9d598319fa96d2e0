// directory_query.h - one LDAP search (simple bind, subtree, one-term filter) into a ResultTable.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "directory/password.h"
#include "directory/search_pages.h"
#include "storage/sign_in.h"

struct CallEnd;
class Deadline;
class DirectoryConnection;
class QueryStop;
class ResultTable;
class RowCells;
struct ServerEndpoint;

/**
 * Runs one search against one server and writes every entry of the answer into a ResultTable:
 * row r is the r-th entry; column 0 holds "<ENTRY>" + distinguished name, then for each attribute
 * "<ATTRIBUTE>" + name followed by one "<VALUE>" + value cell per value, without gaps. Every
 * value is kept as the server sent it, binary ones included.
 * The table's column count is the cell count of the widest recorded entry.
 * Entries are read one message at a time as they arrive: the server is asked for at most the
 * entry cap and reading stops there, abandoning the rest. A capped search asks in pages (the
 * paged-results control, not critical), so a server that hands out fewer entries in one answer
 * gives the rest page by page up to the cap; a server that does not page answers as before. The
 * time limit covers the whole search (connect, bind and search) whatever the server sends, and so
 * does a stop: Stop() ends a running search at once. What the search keeps is bounded by the answer
 * bound, never by what the server claims; where the connection's socket is the program's own
 * (POSIX), a message is weighed before it is read, elsewhere the
 * library reads each message whole first. Running out of memory fails the search. Messages that
 * carry no entry and end no page (references, intermediate messages) are skipped. An attribute the server hands
 * out a range at a time ("member;range=0-1499") is completed once the answer is in, with base searches of its entry
 * on the same connection until the last range, so the entry holds every value under the plain name; the time limit,
 * the stop and the answer bound cover those requests too. The search binds anonymously, or with
 * a name and a password given by SetBind (a simple bind). With StartTLS on, a plain connection is upgraded before the
 * bind with the certificate checks of ldaps://; a failed upgrade fails the search and nothing more is sent on that
 * connection. Configure with SetServer, SetLimits and SetBind, run one search, discard.
 */
class DirectoryQuery {
public:
    /// The default bound on the bytes of one answer: 256 MiB.
    static constexpr std::uint64_t kDefaultAnswerBoundBytes = 256u * 1024u * 1024u;

    DirectoryQuery();
    ~DirectoryQuery();
    DirectoryQuery(DirectoryQuery&&) noexcept;
    DirectoryQuery& operator=(DirectoryQuery&&) noexcept;

    /// Stores the server field (a host, "host:port", or an ldap:// or ldaps:// URL, see
    /// ParseServerField), the TCP port and the protocol version.
    void SetServer(const std::string& host, int32_t port, int32_t protocolVersion);
    /// Stores the time limit of the whole search (seconds, 0 = none; microseconds become 0) and
    /// the entry cap (0 = no cap).
    void SetLimits(int32_t timeLimitSeconds, uint32_t maxEntries);
    /// Bounds the bytes of one answer (every message the server sends on the connection, 0 =
    /// none): a message that would pass it is not kept, and the search ends with the entries read
    /// so far and Cut(), or fails when there are none. Default kDefaultAnswerBoundBytes.
    void SetAnswerBound(std::uint64_t bytes)
    {
        m_answerBound = bytes == 0 ? std::numeric_limits<std::uint64_t>::max() : bytes;
    }

    /// Called on the searching thread with the number of entries read so far each time a page of
    /// a paged search has arrived whole and the next one is asked for.
    void SetProgress(std::function<void(uint32_t entries)> progress) { m_progress = std::move(progress); }

    /// Upgrades every plain (not ldaps://) connection with StartTLS before the bind; off by default.
    void SetStartTls(bool on) { m_startTls = on; }

    /// Binds as name with password (a simple bind); an empty name binds anonymously, as without
    /// this call. A name without a password fails the search before it connects: a server may
    /// take such a bind as anonymous, and the search would not run as the user believes.
    void SetBind(const std::string& name, const Password& password);
    /// How the search signs in: Password (the default) binds as SetBind says; Anonymous binds
    /// anonymously whatever SetBind said; Kerberos signs in with the user's own sign-in to the
    /// system (DirectoryConnection::BindWithTicket), no name or password sent.
    void SetSignIn(SignIn signIn) { m_signIn = signIn; }
    /// The server that answered the last search as "host:port" where the server field named a
    /// domain whose DNS records named the server; "" otherwise.
    const std::string& AnsweredBy() const { return m_answeredBy; }

    /// Searches base's subtree with the filter (filterAttribute=filterValue), the value inserted
    /// unchanged so "*" acts as a wildcard. An empty resultAttribute asks for all attributes,
    /// otherwise for exactly that one name. True when the answer was walked.
    bool SearchForAttribute(const std::string& base, const std::string& filterAttribute, const std::string& filterValue,
                            const std::string& resultAttribute, ResultTable& table);
    /// As SearchForAttribute with a list of attribute names, every one asked for (an empty name
    /// too, which the server ignores); an empty list asks for all attributes.
    bool SearchForAttributes(const std::string& base, const std::string& filterAttribute,
                             const std::string& filterValue, const std::vector<std::string>& attributes,
                             ResultTable& table);

    /// Searches base's subtree with filter as it is given (the caller escapes its values); the
    /// attribute list as for SearchForAttributes.
    bool SearchWithFilter(const std::string& base, const std::string& filter,
                          const std::vector<std::string>& attributes, ResultTable& table);
    /// Reads the server's root entry (the empty name, base scope) with the given attributes: one
    /// row, as a search's entries are recorded, or none when the server shows no root entry.
    bool ReadRootEntry(const std::vector<std::string>& attributes, ResultTable& table);

    /// Why the last search failed, as plain text ("" after a success).
    const std::string& FailureReason() const { return m_failureReason; }
    /// True when the entry cap, a server's limit answer or a stop cut the last search's answer.
    bool Cut() const { return m_cut; }
    /// True when the server's own limit cut the last search's answer: an administrative limit, or
    /// a size limit below the entry cap (the directory may hold no more than was shown).
    bool ServerLimited() const { return m_serverLimited; }
    /// True when Stop() ended the last search. A stopped search succeeds with the entries that
    /// had arrived, as a server's limit answer does.
    bool Stopped() const { return m_stopped; }
    /// True when the server refused the last search's bind (a wrong password or name, say), as
    /// against a connection that failed or a bind that got no answer in time.
    bool BindRefused() const { return m_bindRefused; }
    /// True when the last search bound anonymously and the server refused that bind or the
    /// search itself with an answer that asks for a bind (RefusesAnonymous).
    bool NeedsBind() const { return m_needsBind; }
    /// True when the server refused the last search's named bind on a plain connection (neither
    /// ldaps:// nor StartTLS) with an answer that asks for a secure one (WantsSecureBind).
    bool NeedsSecureBind() const { return m_needsSecureBind; }

    /// Ends the running search as soon as possible (abandoning it on the server) or the next one
    /// before it starts. Safe to call from another thread and from a signal handler.
    void Stop();
    /// True once Stop() was called: work that follows the search (laying out its answer) ends too.
    bool StopRaised() const;

    /// The filter text the search sends: "(" + attribute + "=" + value + ")".
    static std::string FormFilter(const std::string& attribute, const std::string& value);

private:
    /** How one step of a search ended when it did not lead on to the next. */
    struct StepEnd {
        bool stopped = false;
        std::string failure;
        bool unreachable = false;  ///< the server could not be reached: the next one may be
    };

    bool Fail(std::string reason);
    /// How a step ends whose wait for an answer failed with failed, where the connection itself is
    /// at fault: its stream's trouble, or the server having closed it; nullopt for the failure
    /// the server or the library gave, which the step describes itself.
    static std::optional<StepEnd> ConnectionFault(DirectoryConnection& connection, const CallEnd& failed);
    /// The outcome of a search whose last step ended as end: a stop keeps what arrived (cut), a
    /// failure fails the search.
    bool Finish(StepEnd end);
    /// Takes how a page of the search ended into the search (cut, stopped; the entries recorded
    /// forgotten when the search is asked again from the start); true when another request follows.
    bool PageEnded(SearchPages::After after, ResultTable& recorded, int32_t& rows, int32_t& columns, StepEnd& end);
    /// Counts one more entry read (rows in all) and reports the count every page's worth of entries.
    void CountEntry(int32_t& rows);
    bool Search(const std::string& base, const std::string& filter, const std::vector<std::string>* attributes,
                ResultTable& table);
    /// The search once its settings are checked: connect, StartTLS where asked for on a plain
    /// connection, bind and read, each only when the one before neither failed nor was stopped.
    bool Run(const std::vector<ServerEndpoint>& endpoints, const std::string& base, const std::string& filter,
             const std::vector<std::string>* attributes, ResultTable& table);
    /// Connects to the first endpoint from endpoints[next] on that answers (TLS for ldaps://);
    /// next is left after the endpoint opened, or at the end of the list.
    StepEnd Open(DirectoryConnection& connection, const std::vector<ServerEndpoint>& endpoints, std::size_t& next,
                 const ServerEndpoint*& opened);
    /// The failure text of a step of the search on endpoint.
    std::string Describe(const CallEnd& end, const ServerEndpoint& endpoint) const;
    /// The StartTLS request and the handshake that follows it on a plain connection.
    StepEnd StartTls(DirectoryConnection& connection, const ServerEndpoint& endpoint);
    /// The simple bind: anonymous, or as the bind name with its password.
    StepEnd Bind(DirectoryConnection& connection, const ServerEndpoint& endpoint);
    /// The sign-in with the user's own ticket or account.
    StepEnd BindWithTicket(DirectoryConnection& connection, const ServerEndpoint& endpoint);
    /// Sends the search and records its entries as they arrive into table.
    StepEnd Read(DirectoryConnection& connection, const ServerEndpoint& endpoint, const std::string& base,
                 const std::string& filter, const std::vector<std::string>* attributes, const Deadline& deadline,
                 ResultTable& table);

    /** An attribute of an entry whose values came in part (directory_query_ranges.cpp). */
    struct RangedAttribute;
    /// Asks for the rest of every attribute of the rows whose values came in part (a range), and puts
    /// them after the values the row holds, under the attribute's plain name. A stop, the deadline,
    /// the answer's bound (kept: the bytes kept so far) and a refused request end the asking as
    /// they end the search; an attribute still in part then names the range of values it holds.
    StepEnd CompleteRanges(DirectoryConnection& connection, const ServerEndpoint& endpoint, const Deadline& deadline,
                           ResultTable& recorded, int32_t rows, int32_t& columns, std::uint64_t& kept);
    /// Asks the entry dn for the next range of each attribute of ranged until every one is complete;
    /// cutShort when the answer's bound ended the asking.
    StepEnd AskRest(DirectoryConnection& connection, const ServerEndpoint& endpoint, const Deadline& deadline,
                    std::string_view dn, std::vector<RangedAttribute>& ranged, std::uint64_t& kept, bool& cutShort);
    /// Takes the values of the ranges an answer's entry (cells) holds into ranged; false when a
    /// range does not go on from the values so far.
    static bool TakeRange(const RowCells& cells, std::vector<RangedAttribute>& ranged);

    std::string m_host;
    int32_t m_protocolVersion = 3;
    int32_t m_port = 389;
    uint32_t m_maxEntries = 0;
    std::uint64_t m_answerBound = kDefaultAnswerBoundBytes;
    int32_t m_timeLimitSeconds = 10;
    int32_t m_timeLimitMicroseconds = 0;
    std::string m_failureReason;
    bool m_cut = false;
    bool m_stopped = false;
    bool m_bindRefused = false;
    bool m_needsBind = false;
    bool m_needsSecureBind = false;
    bool m_serverLimited = false;
    bool m_baseScope = false;  ///< the search reads the base entry only
    bool m_startTls = false;   ///< plain connections are upgraded before the bind
    std::string m_bindName;
    Password m_password;
    SignIn m_signIn = SignIn::Password;
    std::string m_answeredBy;
    bool m_discovering = false;  ///< the server field names a domain
    std::unique_ptr<QueryStop> m_stop;
    std::function<void(uint32_t)> m_progress;
};
