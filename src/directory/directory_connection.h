// directory_connection.h - the one connection of a search, as thin as the system's client library
// allows: connect, StartTLS, bind, send the search, take the next message, read a result or an
// entry. Everything a search decides (pages, the cap, the stop, the deadline, the answer bound,
// failures) is DirectoryQuery's, written once above it; only this class differs per system
// (directory_connection_posix.cpp, directory_connection_win.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "directory/query_failure.h"
#include "directory/search_pages.h"

class Deadline;
class QueryStop;
struct ServerEndpoint;

/** How one call of a connection ended. */
struct CallEnd {
    enum class How { Done, Stopped, TimedOut, Failed };
    How how = How::Done;
    QueryStep step = QueryStep::Open;  ///< the step that failed or timed out
    int code = 0;                      ///< the library's or the server's result code when Failed
    std::string detail;                ///< its own text about the failure (control characters escaped)

    bool Done() const { return how == How::Done; }
};

/** What a search asks for, as the connection sends it. */
struct SearchRequest {
    std::string base;
    bool baseScope = false;                                ///< the base entry alone, else its whole subtree
    std::string filter;                                    ///< as it is sent
    const std::vector<std::string>* attributes = nullptr;  ///< nullptr: every attribute
    bool paged = false;                                    ///< with the paged-results control (not critical)
    uint32_t pageSize = 0;
    std::string cookie;            ///< of the page before, "" for the first
    int32_t timeLimitSeconds = 0;  ///< the server's time limit, 0 = none
    int32_t sizeLimit = 0;         ///< the server's size limit, 0 = none
};

/** One attribute of an entry: its name and values, valid until the next attribute is read. */
struct EntryAttribute {
    std::string_view name;
    std::vector<std::string_view> values;
};

/**
 * A connection to one server for one search. Every wait (connect, handshake, next message) ends at
 * the deadline or when the stop is raised. Opened once, then the steps; closed when destroyed.
 */
class DirectoryConnection {
public:
    /// What a wait for the next message saw.
    enum class Wait { Message, TimedOut, Stopped, Failed };
    /// The kind of the message taken last: an entry, the result of the operation, a message that
    /// carries neither (a reference, an intermediate message), or one of no kind of the protocol.
    enum class Kind { Entry, Result, Other, Unknown };
    /// How reading an entry's next attribute ended.
    enum class Step { Attribute, End, Malformed };

    /// answerBound: the bytes the connection may take from the server in all, where the library
    /// lets them be weighed before they are read (the program's own socket on POSIX); elsewhere
    /// the library reads each message whole and the search weighs what it keeps.
    DirectoryConnection(const Deadline& deadline, QueryStop& stop, std::uint64_t answerBound);
    ~DirectoryConnection();
    DirectoryConnection(const DirectoryConnection&) = delete;
    DirectoryConnection& operator=(const DirectoryConnection&) = delete;

    /// Connects to endpoint with the protocol version, with TLS and its certificate checks for
    /// ldaps://. Failed (step Open or Secure) leaves the connection closed for the next endpoint.
    CallEnd Open(const ServerEndpoint& endpoint, int32_t protocolVersion);
    /// Upgrades the open plain connection with StartTLS and its handshake (step StartTls for the
    /// server's refusal, Secure for the handshake).
    CallEnd StartTls();
    /// Sends a simple bind (anonymous for an empty name); the operation's id, or nullopt with why.
    std::optional<int> SendBind(const std::string& name, std::string_view password, CallEnd& failed);
    /// Binds with the user's own sign-in to the system and waits for the answer: SASL GSSAPI with
    /// the Kerberos ticket of the credential cache on POSIX, Negotiate with the Windows account on
    /// Windows. A plain connection is signed (integrity at least) from then on; over TLS the secure
    /// connection protects it. Failed carries the library's detail, from which the failure is told.
    CallEnd BindWithTicket();
    /// Sends a search; the operation's id, or nullopt with why.
    std::optional<int> SendSearch(const SearchRequest& request, CallEnd& failed);
    /// Tells the server to stop working on operation id.
    void Abandon(int id);

    /// Takes the next message of operation id, waiting for it until the deadline or the stop;
    /// after a stop, what has arrived is still taken but nothing more is waited for. Failed gives
    /// the library's code and text in failed.
    Wait Next(int id, Kind& kind, CallEnd& failed);
    /// Why the stream of the connection went wrong, when the connection saw it go wrong: the answer
    /// over its bound, malformed bytes, the server's close.
    std::optional<std::string> StreamTrouble() const;
    /// True when the stream ended because the next message would have passed the answer bound.
    bool OverBound() const;

    /// The message taken last read as a result: its code, the server's text and the paged-results
    /// control's cookie.
    PageResult Result();
    /// The distinguished name of the entry taken last, valid until the next message is taken;
    /// false when the entry is malformed.
    bool EntryName(std::string_view& dn);
    /// The entry's next attribute, in the order the server sent them, into attributeRead (kept by the
    /// connection and reused from attribute to attribute, so that reading an answer costs no
    /// allocation per entry).
    Step NextAttribute(const EntryAttribute*& attributeRead);

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};
