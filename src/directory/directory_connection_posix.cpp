// directory_connection_posix.cpp - DirectoryConnection through libldap on a socket of the
// program's own: the TCP connect, the secure handshake and every wait for the socket end at the
// deadline or the stop, and the answer guard weighs each message before the library reads it.
#include "directory/directory_connection.h"

#include <poll.h>
#include <sasl/sasl.h>
#include <sys/time.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

#include "directory/answer_guard.h"
#include "directory/broken_pipe_guard.h"
#include "directory/deadline.h"
#include "directory/handshake_wait.h"
#include "directory/ldap_client.h"
#include "directory/page_control.h"
#include "directory/query_stop.h"
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
struct CursorReleaser {
    void operator()(BerElement* cursor) const { ber_free(cursor, 0); }
};
struct ListReleaser {
    void operator()(berval* list) const { ber_memfree(list); }
};
using Connection = std::unique_ptr<LDAP, ConnectionCloser>;
using Message = std::unique_ptr<LDAPMessage, MessageReleaser>;
using LibraryText = std::unique_ptr<char, TextReleaser>;
using Cursor = std::unique_ptr<BerElement, CursorReleaser>;
// The list itself is allocated; the names and values point into the entry's own bytes.
using ValueArray = std::unique_ptr<berval, ListReleaser>;

/// Waits are cut into pieces of this length at most, so a deadline is met even if a wake-up
/// is missed.
constexpr int kLongestWaitMs = 250;
/// Messages taken one after another without a wait that show entries streaming in, and how long
/// the reader then lets them gather before it reads on.
constexpr int kStreamBurst = 8;
constexpr std::chrono::microseconds kStreamPause{500};

/// How much of the answer one read of the socket may take.
constexpr ber_len_t kReadAheadBytes = 64 * 1024;

/// The URL the client library is given for a connection it did not open itself: it names the
/// host the secure connection checks the certificate against.
std::string UrlOf(const ServerEndpoint& endpoint)
{
    const bool bracketed = endpoint.host.find(':') != std::string::npos;
    return std::string(endpoint.secure ? "ldaps://" : "ldap://") + (bracketed ? "[" : "") + endpoint.host +
           (bracketed ? "]" : "") + ":" + std::to_string(endpoint.port);
}

std::string_view Bytes(const berval& value)
{
    return {value.bv_val, value.bv_len};
}

CallEnd Ended(CallEnd::How how, QueryStep step, int code = 0, std::string detail = {})
{
    return CallEnd{how, step, code, std::move(detail)};
}

/// Answers the SASL library's questions without asking anyone: each gets the default the library
/// offers, or nothing (the ticket names the user).
int AnswerQuietly(LDAP*, unsigned, void*, void* questions)
{
    for (auto* question = static_cast<sasl_interact_t*>(questions); question->id != SASL_CB_LIST_END; ++question) {
        const char* answer = question->defresult != nullptr ? question->defresult : "";
        question->result = answer;
        question->len = static_cast<unsigned>(std::strlen(answer));
    }
    return LDAP_SUCCESS;
}

}  // namespace

struct DirectoryConnection::Parts {
    Parts(const Deadline& deadline, QueryStop& stop, std::uint64_t answerBound)
        : deadline(deadline), stop(stop), answerBound(answerBound)
    {}

    const Deadline& deadline;
    QueryStop& stop;
    std::uint64_t answerBound;
    BrokenPipeGuard brokenPipe;          ///< a write to a closed connection fails, never ends the program
    std::unique_ptr<AnswerGuard> guard;  ///< outlives the connection, whose socket buffer uses it
    Connection connection;
    int socket = -1;
    bool secured = false;      ///< TLS is on: ldaps:// or after StartTLS
    Message message;           ///< the message taken last
    Cursor cursor;             ///< the walk of its attributes, when it is an entry
    ValueArray values;         ///< the values of the attribute read last
    EntryAttribute attribute;  ///< the attribute read last, as NextAttribute gives it
    int burstId = -1;          ///< the operation whose messages burst counts
    int burst = 0;             ///< messages taken since the last wait

    LDAP* Handle() const { return connection.get(); }

    /// The library's detail about its last failure on the connection.
    std::string Diagnostic() const
    {
        char* raw = nullptr;
        ldap_get_option(Handle(), LDAP_OPT_DIAGNOSTIC_MESSAGE, &raw);
        const LibraryText text(raw);
        return text ? EscapeControlCharacters(text.get()) : std::string();
    }

    /// The secure handshake on the open socket, waiting for it within the deadline and the stop; a
    /// stop also shuts the socket down, which ends a wait of the library's own.
    CallEnd Secure()
    {
        stop.Watch(socket);
        const int secured = InstallTlsWithin(Handle(), socket, deadline, stop);
        stop.Unwatch();
        if (stop.Raised()) {
            return Ended(CallEnd::How::Stopped, QueryStep::Secure);
        }
        if (secured == LDAP_SUCCESS) {
            return CallEnd{};
        }
        if (deadline.Passed()) {
            return Ended(CallEnd::How::TimedOut, QueryStep::Secure, LDAP_TIMEOUT);
        }
        return Ended(CallEnd::How::Failed, QueryStep::Secure, secured, Diagnostic());
    }
};

DirectoryConnection::DirectoryConnection(const Deadline& deadline, QueryStop& stop, std::uint64_t answerBound)
    : m_parts(std::make_unique<Parts>(deadline, stop, answerBound))
{}

DirectoryConnection::~DirectoryConnection() = default;

CallEnd DirectoryConnection::Open(const ServerEndpoint& endpoint, int32_t protocolVersion)
{
    Parts& p = *m_parts;
    const TcpConnectResult tcp = ConnectTcp(endpoint.host, endpoint.port, p.deadline, p.stop);
    switch (tcp.status) {
        case TcpConnectResult::Status::Stopped:
            return Ended(CallEnd::How::Stopped, QueryStep::Open);
        case TcpConnectResult::Status::TimedOut:
            return Ended(CallEnd::How::TimedOut, QueryStep::Open, LDAP_TIMEOUT);
        case TcpConnectResult::Status::Failed:
            return Ended(CallEnd::How::Failed, QueryStep::Open, LDAP_SERVER_DOWN, tcp.error);
        case TcpConnectResult::Status::Connected:
            break;
    }
    LDAP* raw = nullptr;
    if (ldap_init_fd(tcp.socket, LDAP_PROTO_TCP, UrlOf(endpoint).c_str(), &raw) != LDAP_SUCCESS) {
        close(tcp.socket);
        return Ended(CallEnd::How::Failed, QueryStep::Open, LDAP_LOCAL_ERROR);
    }
    p.connection.reset(raw);
    p.socket = tcp.socket;
    int version = protocolVersion;
    ldap_set_option(raw, LDAP_OPT_PROTOCOL_VERSION, &version);
    // A referral would open connections of the library's own, outside the time limit and the
    // stop: the entries of this server are the answer.
    ldap_set_option(raw, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
    p.secured = endpoint.secure;
    if (endpoint.secure) {
        timeval left{p.deadline.Limited() ? p.deadline.SecondsLeft() : 24 * 60 * 60, 0};
        ldap_set_option(raw, LDAP_OPT_NETWORK_TIMEOUT, &left);
        CallEnd secured = p.Secure();
        if (!secured.Done()) {
            p.connection.reset();
            p.socket = -1;
            return secured;
        }
    }
    // Every read from here on takes what has arrived and never waits in the library, so a server
    // that sends part of a message and goes quiet cannot hold the search past its time limit.
    Sockbuf* buffer = nullptr;
    if (ldap_get_option(raw, LDAP_OPT_SOCKBUF, &buffer) == LDAP_OPT_SUCCESS && buffer != nullptr) {
        ber_sockbuf_ctrl(buffer, LBER_SB_OPT_SET_NONBLOCK, reinterpret_cast<void*>(1));
        // Read the socket in large pieces rather than each message's header and body apart: an
        // answer of many small entries then costs a few reads instead of two per entry.
        ber_sockbuf_add_io(buffer, &ber_sockbuf_io_readahead, LBER_SBIOD_LEVEL_PROVIDER, nullptr);
        ber_len_t readAhead = kReadAheadBytes;
        ber_sockbuf_ctrl(buffer, LBER_SB_OPT_SET_READAHEAD, &readAhead);
    }
    // Above the secure layer: every message is weighed and checked before the library reads it.
    p.guard = std::make_unique<AnswerGuard>(p.answerBound);
    p.guard->Install(raw);
    return CallEnd{};
}

CallEnd DirectoryConnection::StartTls()
{
    Parts& p = *m_parts;
    int id = 0;
    const int sent = ldap_extended_operation(p.Handle(), LDAP_EXOP_START_TLS, nullptr, nullptr, nullptr, &id);
    if (sent != LDAP_SUCCESS) {
        return Ended(CallEnd::How::Failed, QueryStep::StartTls, sent);
    }
    Kind kind = Kind::Other;
    CallEnd failed;
    switch (Next(id, kind, failed)) {
        case Wait::Stopped:
            return Ended(CallEnd::How::Stopped, QueryStep::StartTls);
        case Wait::TimedOut:
            return Ended(CallEnd::How::TimedOut, QueryStep::StartTls, LDAP_TIMEOUT);
        case Wait::Failed:
            failed.step = QueryStep::StartTls;
            return failed;
        case Wait::Message:
            break;
    }
    const PageResult result = Result();
    if (result.code != LDAP_SUCCESS) {
        return Ended(CallEnd::How::Failed, QueryStep::StartTls, result.code, result.serverMessage);
    }
    // The handshake, with the certificate checks of ldaps://, waits for the socket within the time
    // limit and the stop like every other step.
    CallEnd secured = p.Secure();
    p.secured = secured.Done();
    return secured;
}

CallEnd DirectoryConnection::BindWithTicket()
{
    Parts& p = *m_parts;
    LDAP* handle = p.Handle();
    // The service's name is made of the host as it was given, not of a reverse lookup of its address.
    ldap_set_option(handle, LDAP_OPT_X_SASL_NOCANON, LDAP_OPT_ON);
    // A plain connection is signed at least. Over TLS no SASL layer is asked for: the secure
    // connection protects the search, and directory servers refuse a second layer on top of it.
    char properties[] = "minssf=1";
    char overTls[] = "maxssf=0";
    ldap_set_option(handle, LDAP_OPT_X_SASL_SECPROPS, p.secured ? overTls : properties);
    // The library's own waits of the exchange end at the deadline; a stop shuts the socket down.
    timeval left{p.deadline.Limited() ? std::max<long>(p.deadline.SecondsLeft(), 1) : 24 * 60 * 60, 0};
    ldap_set_option(handle, LDAP_OPT_TIMEOUT, &left);
    // The guard must sit above the security layer the bind puts on the connection: it is taken off
    // for the exchange and put back on top after it.
    if (p.guard) {
        p.guard->Remove(handle);
        p.guard.reset();
    }
    p.stop.Watch(p.socket);
    const int bound = ldap_sasl_interactive_bind_s(handle, nullptr, "GSSAPI", nullptr, nullptr, LDAP_SASL_QUIET,
                                                   AnswerQuietly, nullptr);
    p.stop.Unwatch();
    p.guard = std::make_unique<AnswerGuard>(p.answerBound);
    p.guard->Install(handle);
    if (p.stop.Raised()) {
        return Ended(CallEnd::How::Stopped, QueryStep::Bind);
    }
    if (bound != LDAP_SUCCESS) {
        if (bound == LDAP_TIMEOUT || p.deadline.Passed()) {
            return Ended(CallEnd::How::TimedOut, QueryStep::Bind, LDAP_TIMEOUT);
        }
        return Ended(CallEnd::How::Failed, QueryStep::Bind, bound, p.Diagnostic());
    }
    ber_len_t strength = 0;
    ldap_get_option(handle, LDAP_OPT_X_SASL_SSF, &strength);
    if (!p.secured && strength == 0) {
        // Never search unsigned where signing was asked for.
        return Ended(CallEnd::How::Failed, QueryStep::Bind, LDAP_STRONG_AUTH_NOT_SUPPORTED);
    }
    return CallEnd{};
}

std::optional<int> DirectoryConnection::SendBind(const std::string& name, std::string_view password, CallEnd& failed)
{
    // The library encodes the password into the request and releases the request once sent.
    berval credentials{static_cast<ber_len_t>(password.size()), const_cast<char*>(password.data())};
    int id = 0;
    const int sent = ldap_sasl_bind(m_parts->Handle(), name.empty() ? nullptr : name.c_str(), LDAP_SASL_SIMPLE,
                                    &credentials, nullptr, nullptr, &id);
    if (sent != LDAP_SUCCESS) {
        failed = Ended(CallEnd::How::Failed, QueryStep::Bind, sent);
        return std::nullopt;
    }
    return id;
}

std::optional<int> DirectoryConnection::SendSearch(const SearchRequest& request, CallEnd& failed)
{
    LDAP* handle = m_parts->Handle();
    const auto fail = [&](int code) {
        failed = Ended(CallEnd::How::Failed, QueryStep::Search, code);
        return std::nullopt;
    };
    // Every name is asked for, an empty one too (the server ignores it); only the end of the list
    // closes it. The library wants modifiable C texts ended by null.
    std::vector<std::string> names = request.attributes != nullptr ? *request.attributes : std::vector<std::string>();
    std::vector<char*> list;
    for (std::string& name : names) {
        list.push_back(name.data());
    }
    list.push_back(nullptr);
    LDAPControl* rawPage = nullptr;
    if (request.paged) {
        std::string cookie = request.cookie;
        berval value{static_cast<ber_len_t>(cookie.size()), cookie.empty() ? nullptr : cookie.data()};
        if (ldap_create_page_control(handle, static_cast<ber_int_t>(request.pageSize), &value, 0, &rawPage) !=
            LDAP_SUCCESS) {
            return fail(LDAP_NO_MEMORY);
        }
    }
    const std::unique_ptr<LDAPControl, void (*)(LDAPControl*)> page(rawPage, ldap_control_free);
    LDAPControl* controls[] = {page.get(), nullptr};
    timeval serverLimit{request.timeLimitSeconds, 0};
    int id = 0;
    const int sent = ldap_search_ext(
        handle, request.base.c_str(), request.baseScope ? LDAP_SCOPE_BASE : LDAP_SCOPE_SUBTREE, request.filter.c_str(),
        names.empty() ? nullptr : list.data(), 0, request.paged ? controls : nullptr, nullptr,
        request.timeLimitSeconds > 0 ? &serverLimit : nullptr, request.sizeLimit, &id);
    if (sent != LDAP_SUCCESS) {
        return fail(sent);
    }
    return id;
}

void DirectoryConnection::Abandon(int id)
{
    ldap_abandon_ext(m_parts->Handle(), id, nullptr, nullptr);
}

DirectoryConnection::Wait DirectoryConnection::Next(int id, Kind& kind, CallEnd& failed)
{
    // The socket is non-blocking: a message that arrives in pieces is read as far as it came, and
    // the wait goes on for the rest on the socket and the stop together until the deadline.
    Parts& p = *m_parts;
    p.values.reset();
    p.cursor.reset();
    p.message.reset();
    if (id != p.burstId) {
        p.burstId = id;
        p.burst = 0;
    }
    for (;;) {
        const bool stopped = p.stop.Raised();
        timeval noWait{0, 0};
        LDAPMessage* raw = nullptr;
        const int got = ldap_result(p.Handle(), id, LDAP_MSG_ONE, &noWait, &raw);
        if (got > 0) {
            p.message.reset(raw);
            ++p.burst;
            const int type = ldap_msgtype(raw);
            kind = type == LDAP_RES_SEARCH_ENTRY    ? Kind::Entry
                   : type == LDAP_RES_SEARCH_RESULT ? Kind::Result
                                                    : Kind::Other;
            return Wait::Message;
        }
        if (!stopped && got == 0 && p.burst >= kStreamBurst) {
            // Entries are streaming in: let more of them come before waiting on the socket, so
            // that the server is not made to wake this reader for every entry it sends.
            p.burst = 0;
            std::this_thread::sleep_for(kStreamPause);
            continue;
        }
        p.burst = 0;
        if (stopped) {
            return Wait::Stopped;
        }
        if (got < 0) {
            int code = LDAP_OTHER;
            ldap_get_option(p.Handle(), LDAP_OPT_RESULT_CODE, &code);
            failed = Ended(CallEnd::How::Failed, QueryStep::Search, code);
            return Wait::Failed;
        }
        if (p.deadline.Passed()) {
            return Wait::TimedOut;
        }
        pollfd watched[2] = {{p.socket, POLLIN, 0}, {p.stop.WakeDescriptor(), POLLIN, 0}};
        poll(watched, 2, p.deadline.PollMilliseconds(kLongestWaitMs));
    }
}

std::optional<std::string> DirectoryConnection::StreamTrouble() const
{
    if (!m_parts->guard) {
        return std::nullopt;
    }
    switch (m_parts->guard->Problem()) {
        case AnswerGuard::Trouble::TooLarge:
            return DescribeAnswerOverBound(m_parts->guard->Bound());
        case AnswerGuard::Trouble::Malformed:
            return DescribeMalformedAnswer();
        case AnswerGuard::Trouble::Ended:
            return DescribeClosedConnection();
        case AnswerGuard::Trouble::None:
            break;
    }
    return std::nullopt;
}

bool DirectoryConnection::OverBound() const
{
    return m_parts->guard && m_parts->guard->Problem() == AnswerGuard::Trouble::TooLarge;
}

PageResult DirectoryConnection::Result()
{
    Parts& p = *m_parts;
    PageResult result;
    char* rawText = nullptr;
    LDAPControl** rawControls = nullptr;
    if (ldap_parse_result(p.Handle(), p.message.get(), &result.code, nullptr, &rawText, nullptr, &rawControls, 0) !=
        LDAP_SUCCESS) {
        result.code = LDAP_DECODING_ERROR;
    }
    const LibraryText text(rawText);
    if (text) {
        result.serverMessage = EscapeControlCharacters(text.get());
    }
    const std::unique_ptr<LDAPControl*, void (*)(LDAPControl**)> controls(rawControls, ldap_controls_free);
    LDAPControl* page = controls ? ldap_control_find(LDAP_CONTROL_PAGEDRESULTS, controls.get(), nullptr) : nullptr;
    if (page != nullptr) {
        // A value that is no paged-results value answers nothing: the search goes on as unpaged.
        if (std::optional<std::string> cookie = PageCookieOf(Bytes(page->ldctl_value))) {
            result.paged = true;
            result.cookie = std::move(*cookie);
        }
    }
    return result;
}

bool DirectoryConnection::EntryName(std::string_view& dn)
{
    // The entry's encoding is walked once, attribute by attribute, names and values read in place.
    Parts& p = *m_parts;
    BerElement* rawCursor = nullptr;
    berval name{0, nullptr};
    const int named = ldap_get_dn_ber(p.Handle(), p.message.get(), &rawCursor, &name);
    p.cursor.reset(rawCursor);
    if (named != LDAP_SUCCESS || !p.cursor) {
        return false;
    }
    dn = Bytes(name);
    return true;
}

DirectoryConnection::Step DirectoryConnection::NextAttribute(const EntryAttribute*& attributeRead)
{
    Parts& p = *m_parts;
    EntryAttribute& attribute = p.attribute;
    attributeRead = &attribute;
    attribute.values.clear();
    p.values.reset();
    if (!p.cursor) {
        return Step::Malformed;
    }
    berval name{0, nullptr};
    berval* rawValues = nullptr;
    const int read = ldap_get_attribute_ber(p.Handle(), p.message.get(), p.cursor.get(), &name, &rawValues);
    p.values.reset(rawValues);
    if (read != LDAP_SUCCESS) {
        return Step::Malformed;
    }
    if (name.bv_val == nullptr) {
        return Step::End;
    }
    attribute.name = Bytes(name);
    for (const berval* value = p.values.get(); value != nullptr && value->bv_val != nullptr; ++value) {
        attribute.values.push_back(Bytes(*value));
    }
    return Step::Attribute;
}
