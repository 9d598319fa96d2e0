// directory_session_posix.cpp - DirectoryQuery's session with the server on POSIX, through
// libldap on a socket of its own: connect, TLS, simple bind, subtree search, each answer message
// read as it arrives into a ResultTable.
#include "directory/directory_query.h"

#include <poll.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

#include "directory/answer_guard.h"
#include "directory/broken_pipe_guard.h"
#include "directory/deadline.h"
#include "directory/entry_reader.h"
#include "directory/handshake_wait.h"
#include "directory/ldap_client.h"
#include "directory/query_failure.h"
#include "directory/query_stop.h"
#include "directory/result_table.h"
#include "directory/row_cells.h"
#include "directory/search_pages.h"
#include "directory/server_address.h"
#include "directory/tcp_connect.h"

namespace {

// Owners of what the client library hands out, each released the way the library requires.
struct ConnectionCloser {
    void operator()(LDAP* connection) const { ldap_unbind_ext(connection, nullptr, nullptr); }
};
struct MessageReleaser {
    void operator()(LDAPMessage* message) const { ldap_msgfree(message); }
};
struct TextReleaser {
    void operator()(char* text) const { ldap_memfree(text); }
};
using Connection = std::unique_ptr<LDAP, ConnectionCloser>;
using Message = std::unique_ptr<LDAPMessage, MessageReleaser>;
using LibraryText = std::unique_ptr<char, TextReleaser>;

/// How a wait for the next message ended.
enum class Wait { Message, TimedOut, Stopped, Failed };

/// Waits are cut into pieces of this length at most, so a deadline is met even if a wake-up
/// is missed.
constexpr int kLongestWaitMs = 250;
/// Messages taken one after another without a wait that show entries streaming in, and how long
/// the reader then lets them gather before it reads on.
constexpr int kStreamBurst = 8;
constexpr std::chrono::microseconds kStreamPause{500};

/// How much of the answer one read of the socket may take.
constexpr ber_len_t kReadAheadBytes = 64 * 1024;

PageResult ReadResult(LDAP* connection, LDAPMessage* message)
{
    PageResult result;
    char* rawText = nullptr;
    LDAPControl** rawControls = nullptr;
    if (ldap_parse_result(connection, message, &result.code, nullptr, &rawText, nullptr, &rawControls, 0) !=
        LDAP_SUCCESS) {
        result.code = LDAP_DECODING_ERROR;
    }
    LibraryText text(rawText);
    if (text) {
        result.serverMessage = EscapeControlCharacters(text.get());
    }
    const std::unique_ptr<LDAPControl*, void (*)(LDAPControl**)> controls(rawControls, ldap_controls_free);
    LDAPControl* page = controls ? ldap_control_find(LDAP_CONTROL_PAGEDRESULTS, controls.get(), nullptr) : nullptr;
    if (page != nullptr) {
        ber_int_t estimate = 0;
        berval cookie{0, nullptr};
        if (ldap_parse_pageresponse_control(connection, page, &estimate, &cookie) == LDAP_SUCCESS) {
            result.paged = true;
            if (cookie.bv_val != nullptr) {
                result.cookie.assign(cookie.bv_val, cookie.bv_len);
                ber_memfree(cookie.bv_val);
            }
        }
    }
    return result;
}

/// The URL the client library is given for a connection it did not open itself: it names the
/// host the secure connection checks the certificate against.
std::string UrlOf(const ServerEndpoint& endpoint)
{
    const bool bracketed = endpoint.host.find(':') != std::string::npos;
    return std::string(endpoint.secure ? "ldaps://" : "ldap://") + (bracketed ? "[" : "") + endpoint.host +
           (bracketed ? "]" : "") + ":" + std::to_string(endpoint.port);
}

/// Why the stream of a connection went wrong, when the guard saw it go wrong.
std::optional<std::string> StreamTrouble(const AnswerGuard& guard)
{
    switch (guard.Problem()) {
        case AnswerGuard::Trouble::TooLarge:
            return DescribeAnswerOverBound(guard.Bound());
        case AnswerGuard::Trouble::Malformed:
            return DescribeMalformedAnswer();
        case AnswerGuard::Trouble::Ended:
            return DescribeClosedConnection();
        case AnswerGuard::Trouble::None:
            break;
    }
    return std::nullopt;
}

}  // namespace

/** One open connection of a search and what ends its waits. */
class DirectoryQuery::Session {
public:
    Session(std::unique_ptr<AnswerGuard> guard, Connection connection, int socket, const ServerEndpoint& endpoint,
            const Deadline& deadline, const QueryStop& stop)
        : m_guard(std::move(guard)),
          m_connection(std::move(connection)),
          m_socket(socket),
          m_endpoint(endpoint),
          m_deadline(deadline),
          m_stop(stop)
    {}

    LDAP* Handle() const { return m_connection.get(); }
    /// What the server's messages did to the stream of the connection.
    const AnswerGuard& Guard() const { return *m_guard; }
    /// The server it is connected to.
    const ServerEndpoint& Endpoint() const { return m_endpoint; }
    /// The socket of the connection.
    int Socket() const { return m_socket; }

    /// The next message of operation id. The socket is non-blocking: a message that arrives in
    /// pieces is read as far as it came, and the wait goes on for the rest on the socket and the
    /// stop together until the deadline.
    /// After a stop, what has already arrived is still taken, but nothing more is waited for.
    Wait Next(int id, Message& message, int& errorCode)
    {
        if (id != m_burstId) {
            m_burstId = id;
            m_burst = 0;
        }
        for (;;) {
            const bool stopped = m_stop.Raised();
            timeval noWait{0, 0};
            LDAPMessage* raw = nullptr;
            const int got = ldap_result(Handle(), id, LDAP_MSG_ONE, &noWait, &raw);
            if (got > 0) {
                message.reset(raw);
                ++m_burst;
                return Wait::Message;
            }
            if (!stopped && got == 0 && m_burst >= kStreamBurst) {
                // Entries are streaming in: let more of them come before waiting on the socket,
                // so that the server is not made to wake this reader for every entry it sends.
                m_burst = 0;
                std::this_thread::sleep_for(kStreamPause);
                continue;
            }
            m_burst = 0;
            if (stopped) {
                return Wait::Stopped;
            }
            if (got < 0) {
                ldap_get_option(Handle(), LDAP_OPT_RESULT_CODE, &errorCode);
                return Wait::Failed;
            }
            if (m_deadline.Passed()) {
                return Wait::TimedOut;
            }
            pollfd watched[2] = {{m_socket, POLLIN, 0}, {m_stop.WakeDescriptor(), POLLIN, 0}};
            poll(watched, 2, m_deadline.PollMilliseconds(kLongestWaitMs));
        }
    }

    /// Tells the server to stop working on operation id.
    void Abandon(int id) { ldap_abandon_ext(Handle(), id, nullptr, nullptr); }

    /// Waits for the one answer of operation id into answer. nullopt once it has come; otherwise
    /// how the step ends: stopped, the stream's trouble, or failed(code) for a time-out or the
    /// library's error code.
    template <typename Failed>
    std::optional<StepEnd> Await(int id, Message& answer, const Failed& failed)
    {
        int code = LDAP_OTHER;
        switch (Next(id, answer, code)) {
            case Wait::Stopped:
                return StepEnd{true, {}};
            case Wait::TimedOut:
                return failed(LDAP_TIMEOUT);
            case Wait::Failed:
                if (std::optional<std::string> trouble = StreamTrouble(Guard())) {
                    return StepEnd{false, std::move(*trouble)};
                }
                return failed(code);
            case Wait::Message:
                break;
        }
        return std::nullopt;
    }

private:
    std::unique_ptr<AnswerGuard> m_guard;  ///< outlives the connection, whose socket buffer uses it
    Connection m_connection;
    int m_socket;
    ServerEndpoint m_endpoint;
    const Deadline& m_deadline;
    const QueryStop& m_stop;
    int m_burstId = -1;  ///< the operation whose messages m_burst counts
    int m_burst = 0;     ///< messages taken since the last wait
};

DirectoryQuery::DirectoryQuery() : m_stop(std::make_unique<QueryStop>())
{
    // Searches bind with simple binds only, never through SASL: keep the SASL library that the
    // client library starts from loading its mechanism plugins and the cryptography libraries
    // they bring, which costs a command-line search more than its answer. Done once, before the
    // first call into the library; a SASL_PATH the user set is kept.
    static std::once_flag once;
    std::call_once(once, [] { setenv("SASL_PATH", "/dev/null", 0); });
}
bool DirectoryQuery::Run(const std::vector<ServerEndpoint>& endpoints, const std::string& base,
                         const std::string& filter, char** attributes, ResultTable& table)
{
    const Deadline deadline = Deadline::After(m_timeLimitSeconds);

    const BrokenPipeGuard brokenPipe;
    std::optional<Session> session;
    StepEnd end = Open(endpoints, deadline, session);
    if (session) {
        end = Steps(*session, session->Endpoint().secure, base, filter, attributes, deadline, table);
    }
    return Finish(std::move(end));
}

DirectoryQuery::StepEnd DirectoryQuery::Open(const std::vector<ServerEndpoint>& endpoints, const Deadline& deadline,
                                             std::optional<Session>& session)
{
    StepEnd end;
    for (const ServerEndpoint& endpoint : endpoints) {
        const auto failure = [&](QueryStep step, int code, const std::string& detail) {
            end.failure = DescribeFailure(step, code, endpoint.host, endpoint.port, m_timeLimitSeconds, detail);
        };
        const TcpConnectResult tcp = ConnectTcp(endpoint.host, endpoint.port, deadline, *m_stop);
        if (tcp.status == TcpConnectResult::Status::Stopped) {
            return StepEnd{true, {}};
        }
        if (tcp.status == TcpConnectResult::Status::TimedOut) {
            failure(QueryStep::Open, LDAP_TIMEOUT, {});
            return end;
        }
        if (tcp.status == TcpConnectResult::Status::Failed) {
            failure(QueryStep::Open, LDAP_SERVER_DOWN, tcp.error);
            continue;
        }
        LDAP* raw = nullptr;
        if (ldap_init_fd(tcp.socket, LDAP_PROTO_TCP, UrlOf(endpoint).c_str(), &raw) != LDAP_SUCCESS) {
            close(tcp.socket);
            end.failure = DescribeBadServer(m_host);
            return end;
        }
        Connection connection(raw);
        int version = m_protocolVersion;
        ldap_set_option(raw, LDAP_OPT_PROTOCOL_VERSION, &version);
        // A referral would open connections of the library's own, outside the time limit and
        // the stop: the entries of this server are the answer.
        ldap_set_option(raw, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
        if (endpoint.secure) {
            // The handshake waits for the socket within what is left of the time limit; a stop
            // also shuts the socket down, which ends a wait of the library's own.
            timeval left{deadline.Limited() ? deadline.SecondsLeft() : 24 * 60 * 60, 0};
            ldap_set_option(raw, LDAP_OPT_NETWORK_TIMEOUT, &left);
            m_stop->Watch(tcp.socket);
            const int secured = InstallTlsWithin(raw, tcp.socket, deadline, *m_stop);
            m_stop->Unwatch();
            if (m_stop->Raised()) {
                return StepEnd{true, {}};
            }
            if (secured != LDAP_SUCCESS) {
                if (deadline.Passed()) {
                    failure(QueryStep::Secure, LDAP_TIMEOUT, {});
                    return end;
                }
                char* rawDetail = nullptr;
                ldap_get_option(raw, LDAP_OPT_DIAGNOSTIC_MESSAGE, &rawDetail);
                LibraryText detail(rawDetail);
                failure(QueryStep::Secure, secured, detail ? detail.get() : "");
                continue;
            }
        }
        // Every read from here on takes what has arrived and never waits in the library, so a
        // server that sends part of a message and goes quiet cannot hold the search past its
        // time limit.
        Sockbuf* buffer = nullptr;
        if (ldap_get_option(raw, LDAP_OPT_SOCKBUF, &buffer) == LDAP_OPT_SUCCESS && buffer != nullptr) {
            ber_sockbuf_ctrl(buffer, LBER_SB_OPT_SET_NONBLOCK, reinterpret_cast<void*>(1));
            // Read the socket in large pieces rather than each message's header and body apart:
            // an answer of many small entries then costs a few reads instead of two per entry.
            ber_sockbuf_add_io(buffer, &ber_sockbuf_io_readahead, LBER_SBIOD_LEVEL_PROVIDER, nullptr);
            ber_len_t readAhead = kReadAheadBytes;
            ber_sockbuf_ctrl(buffer, LBER_SB_OPT_SET_READAHEAD, &readAhead);
        }
        // Above the secure layer: every message is weighed and checked before the library reads it.
        auto guard = std::make_unique<AnswerGuard>(m_answerBound);
        guard->Install(raw);
        session.emplace(std::move(guard), std::move(connection), tcp.socket, endpoint, deadline, *m_stop);
        return StepEnd{};
    }
    return end;
}

DirectoryQuery::StepEnd DirectoryQuery::StartTls(Session& session, const Deadline& deadline)
{
    const auto failure = [&](QueryStep step, int code, const std::string& detail) {
        return StepEnd{false, DescribeFailure(step, code, session.Endpoint().host, session.Endpoint().port,
                                              m_timeLimitSeconds, detail)};
    };
    int id = 0;
    const int sent = ldap_extended_operation(session.Handle(), LDAP_EXOP_START_TLS, nullptr, nullptr, nullptr, &id);
    if (sent != LDAP_SUCCESS) {
        return failure(QueryStep::StartTls, sent, {});
    }
    Message answer;
    if (std::optional<StepEnd> ended =
            session.Await(id, answer, [&](int code) { return failure(QueryStep::StartTls, code, {}); })) {
        return std::move(*ended);
    }
    const PageResult result = ReadResult(session.Handle(), answer.get());
    if (result.code != LDAP_SUCCESS) {
        return failure(QueryStep::StartTls, result.code, result.serverMessage);
    }
    // The handshake, with the certificate checks of ldaps://, waits for the socket within the
    // time limit and the stop like every other step.
    m_stop->Watch(session.Socket());
    const int secured = InstallTlsWithin(session.Handle(), session.Socket(), deadline, *m_stop);
    m_stop->Unwatch();
    if (m_stop->Raised()) {
        return StepEnd{true, {}};
    }
    if (secured != LDAP_SUCCESS) {
        if (deadline.Passed()) {
            return failure(QueryStep::Secure, LDAP_TIMEOUT, {});
        }
        char* rawDetail = nullptr;
        ldap_get_option(session.Handle(), LDAP_OPT_DIAGNOSTIC_MESSAGE, &rawDetail);
        LibraryText detail(rawDetail);
        return failure(QueryStep::Secure, secured, detail ? detail.get() : "");
    }
    return StepEnd{};
}

DirectoryQuery::StepEnd DirectoryQuery::Bind(Session& session)
{
    const auto failure = [&](int code, const std::string& detail) {
        m_needsBind = m_bindName.empty() && RefusesAnonymous(code);
        return StepEnd{false, DescribeFailure(QueryStep::Bind, code, session.Endpoint().host, session.Endpoint().port,
                                              m_timeLimitSeconds, detail, m_bindName)};
    };
    // The library encodes the password into the request and releases the request once sent.
    const std::string_view password = m_password.Bytes();
    berval credentials{static_cast<ber_len_t>(password.size()), const_cast<char*>(password.data())};
    const char* name = m_bindName.empty() ? nullptr : m_bindName.c_str();
    int id = 0;
    const int sent = ldap_sasl_bind(session.Handle(), name, LDAP_SASL_SIMPLE, &credentials, nullptr, nullptr, &id);
    if (sent != LDAP_SUCCESS) {
        return failure(sent, {});
    }
    Message answer;
    if (std::optional<StepEnd> ended = session.Await(id, answer, [&](int code) { return failure(code, {}); })) {
        return std::move(*ended);
    }
    const PageResult result = ReadResult(session.Handle(), answer.get());
    if (result.code == LDAP_SUCCESS) {
        return StepEnd{};
    }
    m_bindRefused = true;
    return failure(result.code, result.serverMessage);
}

DirectoryQuery::StepEnd DirectoryQuery::Read(Session& session, const std::string& base, const std::string& filter,
                                             char** attributes, const Deadline& deadline, ResultTable& table)
{
    const auto failure = [&](int code, const std::string& detail) {
        m_needsBind = m_bindName.empty() && RefusesAnonymous(code);
        return StepEnd{false, DescribeFailure(QueryStep::Search, code, session.Endpoint().host, session.Endpoint().port,
                                              m_timeLimitSeconds, detail)};
    };
    if (m_stop->Raised()) {
        return StepEnd{true, {}};
    }
    // Entries go to a table of their own, so a failure leaves the caller's table as it was.
    ResultTable recorded;
    RowCells cells;  ///< the entry being read
    int32_t rows = 0;
    int32_t columns = 0;
    StepEnd end;
    SearchPages pages(m_maxEntries, m_baseScope);
    for (bool asking = true; asking;) {
        LDAPControl* rawPage = nullptr;
        if (pages.Paging()) {
            std::string cookie = pages.Cookie();
            berval value{static_cast<ber_len_t>(cookie.size()), cookie.empty() ? nullptr : cookie.data()};
            if (ldap_create_page_control(session.Handle(), static_cast<ber_int_t>(pages.PageSize(rows)), &value, 0,
                                         &rawPage) != LDAP_SUCCESS) {
                return failure(LDAP_NO_MEMORY, {});
            }
        }
        const std::unique_ptr<LDAPControl, void (*)(LDAPControl*)> page(rawPage, ldap_control_free);
        LDAPControl* requestControls[] = {page.get(), nullptr};
        // No longer than the time left.
        timeval serverLimit{deadline.SecondsLeft(), 0};
        int id = 0;
        const int sent =
            ldap_search_ext(session.Handle(), base.c_str(), m_baseScope ? LDAP_SCOPE_BASE : LDAP_SCOPE_SUBTREE,
                            filter.c_str(), attributes, 0, pages.Paging() ? requestControls : nullptr, nullptr,
                            deadline.Limited() ? &serverLimit : nullptr, pages.SizeLimit(), &id);
        if (sent != LDAP_SUCCESS) {
            return failure(sent, {});
        }
        asking = false;
        for (bool reading = true; reading;) {
            Message message;
            int code = LDAP_OTHER;
            const Wait wait = session.Next(id, message, code);
            if (wait == Wait::Stopped) {
                session.Abandon(id);
                end.stopped = true;
                break;
            }
            if (wait == Wait::TimedOut) {
                session.Abandon(id);
                return failure(LDAP_TIMEOUT, {});
            }
            if (wait == Wait::Failed) {
                // An answer beyond the bound ends with the entries read so far, as at the cap.
                if (session.Guard().Problem() == AnswerGuard::Trouble::TooLarge && rows > 0) {
                    m_cut = true;
                    break;
                }
                if (std::optional<std::string> trouble = StreamTrouble(session.Guard())) {
                    return StepEnd{false, std::move(*trouble)};
                }
                return failure(code, {});
            }
            switch (ldap_msgtype(message.get())) {
                case LDAP_RES_SEARCH_ENTRY: {
                    // One entry past the cap shows there are more: no need to read them.
                    if (m_maxEntries != 0 && static_cast<uint32_t>(rows) >= m_maxEntries) {
                        session.Abandon(id);
                        m_cut = true;
                        reading = false;
                        break;
                    }
                    const EntryRead read =
                        RecordEntry(session.Handle(), message.get(), rows, recorded, deadline, *m_stop, cells);
                    if (read != EntryRead::Recorded) {
                        recorded.RemoveRow(rows);  // the entry read in part is no entry
                    }
                    if (read == EntryRead::Stopped) {
                        session.Abandon(id);
                        end.stopped = true;
                        reading = false;
                        break;
                    }
                    if (read == EntryRead::TimedOut) {
                        session.Abandon(id);
                        return failure(LDAP_TIMEOUT, {});
                    }
                    if (read == EntryRead::Malformed) {
                        return StepEnd{false, DescribeMalformedAnswer()};
                    }
                    columns = std::max(columns, static_cast<int32_t>(cells.Count()));
                    CountEntry(rows);
                    break;
                }
                case LDAP_RES_SEARCH_RESULT: {
                    const PageResult result = ReadResult(session.Handle(), message.get());
                    reading = false;
                    const SearchPages::After after =
                        pages.Take(result.code, result.paged, result.cookie, rows, m_stop->Raised());
                    if (after == SearchPages::After::Failed) {
                        return failure(result.code, result.serverMessage);
                    }
                    asking = PageEnded(after, recorded, rows, columns, end);
                    break;
                }
                default:
                    break;  // references and intermediate messages carry no entry
            }
        }
    }
    // With no entries the column count is 0, which SetDimensions refuses: the counts stay.
    if (rows > 0) {
        recorded.SetDimensions(columns, rows);
        table = std::move(recorded);
    }
    return end;
}
