// directory_connection_win.cpp - DirectoryConnection through WLDAP32. The library owns the
// socket: it reads each message whole before it hands it over, and the connect and the StartTLS
// handshake wait inside it, bounded by what is left of the time limit. Every text crosses the
// library through the wide (UTF-16) calls, converted from and to the UTF-8 the program keeps
// inside, so names, values and passwords outside ASCII arrive whole.
#include "directory/directory_connection.h"

#include <utility>

#include "directory/deadline.h"
#include "directory/ldap_client.h"
#include "directory/password.h"
#include "directory/query_stop.h"
#include "directory/server_address.h"
#include "storage/wide_text.h"

#include <winber.h>

namespace {

/// A wide copy of a text the library takes as a modifiable buffer; wiped when dropped, so a
/// password leaves no copy behind.
class WideBuffer {
public:
    explicit WideBuffer(std::string_view text) : m_text(WideText(text)) {}
    ~WideBuffer() { WipeBytes(m_text.data(), m_text.size() * sizeof(wchar_t)); }
    WideBuffer(const WideBuffer&) = delete;
    WideBuffer& operator=(const WideBuffer&) = delete;
    PWCHAR Get() { return m_text.data(); }

private:
    std::wstring m_text;
};

struct ConnectionCloser {
    void operator()(LDAP* connection) const { ldap_unbind(connection); }
};
struct MessageReleaser {
    void operator()(LDAPMessage* message) const { ldap_msgfree(message); }
};
struct TextReleaser {
    void operator()(wchar_t* text) const { ldap_memfreeW(text); }
};
struct CursorReleaser {
    void operator()(BerElement* cursor) const { ber_free(cursor, 0); }
};
struct ValuesReleaser {
    void operator()(berval** values) const { ldap_value_free_len(values); }
};
struct ControlReleaser {
    void operator()(LDAPControlW* control) const { ldap_control_freeW(control); }
};
struct ControlsReleaser {
    void operator()(LDAPControlW** controls) const { ldap_controls_freeW(controls); }
};

using Connection = std::unique_ptr<LDAP, ConnectionCloser>;
using Message = std::unique_ptr<LDAPMessage, MessageReleaser>;
using LibraryText = std::unique_ptr<wchar_t, TextReleaser>;
using AttributeCursor = std::unique_ptr<BerElement, CursorReleaser>;
using ValueList = std::unique_ptr<berval*, ValuesReleaser>;
using Control = std::unique_ptr<LDAPControlW, ControlReleaser>;
using ControlList = std::unique_ptr<LDAPControlW*, ControlsReleaser>;

constexpr ULONG kFailed = static_cast<ULONG>(-1);

/// The library is asked for a message in slices of this length, the stop and the deadline
/// checked between them.
constexpr int kSliceMs = 50;

/// The connection's own text about its last failure ("" when it has none).
std::string ErrorString(LDAP* connection)
{
    wchar_t* text = nullptr;
    if (connection == nullptr || ldap_get_optionW(connection, LDAP_OPT_ERROR_STRING, &text) != LDAP_SUCCESS) {
        return std::string();
    }
    return EscapeControlCharacters(Utf8Text(text));
}

PageResult ReadResult(LDAP* connection, LDAPMessage* message)
{
    PageResult result;
    ULONG code = LDAP_OTHER;
    wchar_t* rawText = nullptr;
    LDAPControlW** rawControls = nullptr;
    if (ldap_parse_resultW(connection, message, &code, nullptr, &rawText, nullptr, &rawControls, FALSE) !=
        LDAP_SUCCESS) {
        code = LDAP_DECODING_ERROR;
    }
    result.code = static_cast<int>(code);
    const LibraryText text(rawText);
    result.serverMessage = EscapeControlCharacters(Utf8Text(text.get()));
    const ControlList controls(rawControls);
    ULONG estimate = 0;
    berval* cookie = nullptr;
    // Without the page control among them the library answers that it found none.
    if (controls && ldap_parse_page_controlW(connection, controls.get(), &estimate, &cookie) == LDAP_SUCCESS) {
        result.paged = true;
        if (cookie != nullptr) {
            result.cookie.assign(cookie->bv_val, cookie->bv_len);
            ber_bvfree(cookie);
        }
    }
    return result;
}

/// The kind of a message by the type the result call gave. The library takes a message of a kind it
/// does not know for the end of the operation and drops what follows it.
DirectoryConnection::Kind KindOf(ULONG type)
{
    switch (type) {
        case LDAP_RES_SEARCH_ENTRY:
            return DirectoryConnection::Kind::Entry;
        case LDAP_RES_REFERRAL:  // a search reference
        case 0x79:               // an intermediate message
            return DirectoryConnection::Kind::Other;
        case LDAP_RES_SEARCH_RESULT:
        case LDAP_RES_BIND:
        case LDAP_RES_MODIFY:
        case LDAP_RES_ADD:
        case LDAP_RES_DELETE:
        case LDAP_RES_MODRDN:
        case LDAP_RES_COMPARE:
        case LDAP_RES_EXTENDED:
            return DirectoryConnection::Kind::Result;
        default:
            return DirectoryConnection::Kind::Unknown;
    }
}

CallEnd Ended(CallEnd::How how, QueryStep step, ULONG code = 0, std::string detail = {})
{
    return CallEnd{how, step, static_cast<int>(code), std::move(detail)};
}

/// True for the system's socket codes, which the library hands on as they are when a connection
/// cannot be made or is lost (Winsock numbers them from 10000 on).
bool IsSocketCode(ULONG code)
{
    return code >= 10000 && code < 12000;
}

/// The reason for a socket code, worded as the POSIX build words the same failure.
std::string SocketCodeText(ULONG code)
{
    struct CodeText {
        ULONG code;
        const char* text;
    };
    static constexpr CodeText kTexts[] = {
        {10013, "Permission denied"},
        {10048, "Address already in use"},
        {10049, "Cannot assign requested address"},
        {10050, "Network is down"},
        {10051, "Network is unreachable"},
        {10052, "Network dropped connection on reset"},
        {10053, "Software caused connection abort"},
        {10054, "Connection reset by peer"},
        {10057, "Transport endpoint is not connected"},
        {10060, "Connection timed out"},
        {10061, "Connection refused"},
        {10064, "Host is down"},
        {10065, "No route to host"},
        {11001, "Name or service not known"},
        {11002, "Temporary failure in name resolution"},
        {11003, "Non-recoverable failure in name resolution"},
        {11004, "No address associated with hostname"},
    };
    for (const CodeText& entry : kTexts) {
        if (entry.code == code) {
            return entry.text;
        }
    }
    return "socket error " + std::to_string(code);
}

/// A failure with the library's code: a socket code means the connection could not be made or was
/// lost, whatever step met it, and is told as a failed connect.
CallEnd Failure(QueryStep step, ULONG code, std::string detail)
{
    if (IsSocketCode(code)) {
        return Ended(CallEnd::How::Failed, QueryStep::Open, LDAP_SERVER_DOWN, SocketCodeText(code));
    }
    return Ended(CallEnd::How::Failed, step, code, std::move(detail));
}

/// Bounds the library's own waits (the connect, sending a request, the server's work) by what is
/// left of the time limit, so a call that waits inside the library ends near the limit where the
/// library keeps to these options.
void LimitLibraryWaits(LDAP* connection, const Deadline& deadline)
{
    if (!deadline.Limited()) {
        return;
    }
    ULONG seconds = static_cast<ULONG>(deadline.SecondsLeft());
    ldap_set_optionW(connection, LDAP_OPT_TIMELIMIT, &seconds);
    l_timeval left{static_cast<LONG>(seconds), 0};
    ldap_set_optionW(connection, LDAP_OPT_SEND_TIMEOUT, &left);
}

}  // namespace

struct DirectoryConnection::Parts {
    Parts(const Deadline& deadline, QueryStop& stop) : deadline(deadline), stop(stop) {}

    const Deadline& deadline;
    QueryStop& stop;
    Connection connection;
    Message message;           ///< the message taken last
    AttributeCursor cursor;    ///< the walk of its attributes, when it is an entry
    std::string dnText;        ///< the entry's name in UTF-8
    LibraryText name;          ///< the attribute read last
    std::string nameText;      ///< its name in UTF-8
    ValueList values;          ///< its values
    EntryAttribute attribute;  ///< the attribute read last, as NextAttribute gives it
    bool walked = false;       ///< the walk has begun
    bool secured = false;      ///< TLS is on: ldaps:// or after StartTLS

    LDAP* Handle() const { return connection.get(); }
};

DirectoryConnection::DirectoryConnection(const Deadline& deadline, QueryStop& stop, std::uint64_t)
    : m_parts(std::make_unique<Parts>(deadline, stop))
{}

DirectoryConnection::~DirectoryConnection() = default;

CallEnd DirectoryConnection::Open(const ServerEndpoint& endpoint, int32_t protocolVersion)
{
    Parts& p = *m_parts;
    const QueryStep step = endpoint.secure ? QueryStep::Secure : QueryStep::Open;
    WideBuffer host(endpoint.host);
    Connection connection(ldap_sslinitW(host.Get(), static_cast<ULONG>(endpoint.port), endpoint.secure ? 1 : 0));
    if (!connection) {
        return Ended(CallEnd::How::Failed, QueryStep::Open, LdapGetLastError());
    }
    ULONG version = static_cast<ULONG>(protocolVersion);
    ldap_set_optionW(connection.get(), LDAP_OPT_PROTOCOL_VERSION, &version);
    // Referrals would open connections of the library's own, outside the limit and the stop.
    ldap_set_optionW(connection.get(), LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
    LimitLibraryWaits(connection.get(), p.deadline);
    // The connect (and the secure handshake) waits inside the library, bounded by what is left of
    // the time limit.
    l_timeval left{p.deadline.Limited() ? p.deadline.SecondsLeft() : 24 * 60 * 60, 0};
    const ULONG connected = ldap_connect(connection.get(), &left);
    if (p.stop.Raised()) {
        return Ended(CallEnd::How::Stopped, step);
    }
    if (connected != LDAP_SUCCESS) {
        if (p.deadline.Passed() || connected == LDAP_TIMEOUT) {
            return Ended(CallEnd::How::TimedOut, step, LDAP_TIMEOUT);
        }
        return Failure(step, connected, ErrorString(connection.get()));
    }
    p.connection = std::move(connection);
    p.secured = endpoint.secure;
    return CallEnd{};
}

CallEnd DirectoryConnection::StartTls()
{
    Parts& p = *m_parts;
    // The request and the handshake that follows it, with the certificate checks of ldaps://, are
    // one call that waits inside the library, as the connect does; the stop and the time limit
    // are looked at when it returns.
    ULONG serverCode = LDAP_SUCCESS;
    LDAPMessage* rawAnswer = nullptr;
    const ULONG upgraded = ldap_start_tls_sW(p.Handle(), &serverCode, &rawAnswer, nullptr, nullptr);
    const Message answer(rawAnswer);
    if (p.stop.Raised()) {
        return Ended(CallEnd::How::Stopped, QueryStep::StartTls);
    }
    if (upgraded == LDAP_SUCCESS) {
        p.secured = true;
        return CallEnd{};
    }
    if (p.deadline.Passed() || upgraded == LDAP_TIMEOUT) {
        return Ended(CallEnd::How::TimedOut, QueryStep::StartTls, LDAP_TIMEOUT);
    }
    // Codes below the client's own are the server's answer to the request; the client's own (a
    // lost connection, a local error) come from the handshake.
    const ULONG code = serverCode != LDAP_SUCCESS ? serverCode : upgraded;
    if (IsSocketCode(code)) {
        return Failure(QueryStep::StartTls, code, {});
    }
    if (code >= LDAP_SERVER_DOWN) {
        return Ended(CallEnd::How::Failed, QueryStep::Secure, code, ErrorString(p.Handle()));
    }
    return Ended(CallEnd::How::Failed, QueryStep::StartTls, code,
                 answer ? ReadResult(p.Handle(), answer.get()).serverMessage : ErrorString(p.Handle()));
}

std::optional<int> DirectoryConnection::SendBind(const std::string& name, std::string_view password, CallEnd& failed)
{
    WideBuffer wideName(name);
    WideBuffer widePassword(password);
    const ULONG id = ldap_simple_bindW(m_parts->Handle(), name.empty() ? nullptr : wideName.Get(),
                                       name.empty() ? nullptr : widePassword.Get());
    if (id == kFailed) {
        failed = Failure(QueryStep::Bind, LdapGetLastError(), ErrorString(m_parts->Handle()));
        return std::nullopt;
    }
    return static_cast<int>(id);
}

namespace {

/// True under Wine, whose directory library reads the account from the credentials it is handed and
/// fails on those of the current account (none handed); Wine has no Windows account to sign in with.
bool RunsUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace

CallEnd DirectoryConnection::BindWithTicket()
{
    Parts& p = *m_parts;
    LDAP* handle = p.Handle();
    if (RunsUnderWine()) {
        return Failure(QueryStep::Bind, LDAP_AUTH_METHOD_NOT_SUPPORTED, "this system has no Windows account");
    }
    // A plain connection is signed and sealed by the sign-in; over TLS the secure connection
    // protects it, and the library refuses a second layer on top of it.
    if (!p.secured) {
        ldap_set_optionW(handle, LDAP_OPT_SIGN, LDAP_OPT_ON);
        ldap_set_optionW(handle, LDAP_OPT_ENCRYPT, LDAP_OPT_ON);
    }
    LimitLibraryWaits(handle, p.deadline);
    // The current Windows account, by Kerberos where the domain offers it: no name, no password.
    const ULONG bound = ldap_bind_sW(handle, nullptr, nullptr, LDAP_AUTH_NEGOTIATE);
    if (p.stop.Raised()) {
        return Ended(CallEnd::How::Stopped, QueryStep::Bind);
    }
    if (bound == LDAP_SUCCESS) {
        return CallEnd{};
    }
    if (p.deadline.Passed() || bound == LDAP_TIMEOUT) {
        return Ended(CallEnd::How::TimedOut, QueryStep::Bind, LDAP_TIMEOUT);
    }
    return Failure(QueryStep::Bind, bound, ErrorString(handle));
}

std::optional<int> DirectoryConnection::SendSearch(const SearchRequest& request, CallEnd& failed)
{
    LDAP* handle = m_parts->Handle();
    const auto fail = [&](ULONG code) {
        failed = Failure(QueryStep::Search, code, ErrorString(handle));
        return std::nullopt;
    };
    std::vector<std::wstring> wideNames;
    if (request.attributes != nullptr) {
        for (const std::string& name : *request.attributes) {
            wideNames.push_back(WideText(name));
        }
    }
    std::vector<PWCHAR> wideList;
    for (std::wstring& name : wideNames) {
        wideList.push_back(name.data());
    }
    wideList.push_back(nullptr);
    WideBuffer base(request.base);
    WideBuffer filter(request.filter);
    PLDAPControlW rawPage = nullptr;
    if (request.paged) {
        std::string cookie = request.cookie;
        berval value{static_cast<ULONG>(cookie.size()), cookie.data()};
        const ULONG made =
            ldap_create_page_controlW(handle, request.pageSize, cookie.empty() ? nullptr : &value, FALSE, &rawPage);
        if (made != LDAP_SUCCESS) {
            return fail(made);
        }
    }
    const Control page(rawPage);
    PLDAPControlW controls[] = {page.get(), nullptr};
    ULONG id = 0;
    const ULONG sent =
        ldap_search_extW(handle, base.Get(), request.baseScope ? LDAP_SCOPE_BASE : LDAP_SCOPE_SUBTREE, filter.Get(),
                         wideNames.empty() ? nullptr : wideList.data(), 0, request.paged ? controls : nullptr, nullptr,
                         static_cast<ULONG>(request.timeLimitSeconds), static_cast<ULONG>(request.sizeLimit), &id);
    if (sent != LDAP_SUCCESS) {
        return fail(sent);
    }
    return static_cast<int>(id);
}

void DirectoryConnection::Abandon(int id)
{
    ldap_abandon(m_parts->Handle(), static_cast<ULONG>(id));
}

DirectoryConnection::Wait DirectoryConnection::Next(int id, Kind& kind, CallEnd& failed)
{
    Parts& p = *m_parts;
    p.values.reset();
    p.name.reset();
    p.cursor.reset();
    p.walked = false;
    p.message.reset();
    for (;;) {
        const bool stopped = p.stop.Raised();
        l_timeval slice{0, stopped ? 0 : p.deadline.PollMilliseconds(kSliceMs) * 1000};
        LDAPMessage* raw = nullptr;
        // The type comes from the return value: the message's own field is not reliable.
        const ULONG got = ldap_result(p.Handle(), static_cast<ULONG>(id), LDAP_MSG_ONE, &slice, &raw);
        if (got != 0 && got != kFailed) {
            p.message.reset(raw);
            kind = KindOf(got);
            return Wait::Message;
        }
        if (raw != nullptr) {
            ldap_msgfree(raw);
        }
        if (stopped || p.stop.Raised()) {
            return Wait::Stopped;
        }
        if (got == kFailed) {
            // The library does not always say why; a connection it can no longer read is lost.
            const ULONG code = LdapGetLastError();
            failed = Failure(QueryStep::Search, code != LDAP_SUCCESS ? code : static_cast<ULONG>(LDAP_SERVER_DOWN),
                             ErrorString(p.Handle()));
            return Wait::Failed;
        }
        if (p.deadline.Passed()) {
            return Wait::TimedOut;
        }
    }
}

std::optional<std::string> DirectoryConnection::StreamTrouble() const
{
    // The library reads the stream itself and reports its trouble as result codes.
    return std::nullopt;
}

bool DirectoryConnection::OverBound() const
{
    return false;
}

PageResult DirectoryConnection::Result()
{
    return ReadResult(m_parts->Handle(), m_parts->message.get());
}

bool DirectoryConnection::EntryName(std::string_view& dn)
{
    Parts& p = *m_parts;
    const LibraryText name(ldap_get_dnW(p.Handle(), p.message.get()));
    if (!name) {
        return false;
    }
    p.dnText = Utf8Text(name.get());
    dn = p.dnText;
    return true;
}

DirectoryConnection::Step DirectoryConnection::NextAttribute(const EntryAttribute*& attributeRead)
{
    // The library has no walk of an entry's values: each attribute's values are looked up by its
    // name, which costs more than the walk the names came from.
    Parts& p = *m_parts;
    EntryAttribute& attribute = p.attribute;
    attributeRead = &attribute;
    attribute.values.clear();
    p.values.reset();
    if (!p.walked) {
        p.walked = true;
        BerElement* rawCursor = nullptr;
        p.name.reset(ldap_first_attributeW(p.Handle(), p.message.get(), &rawCursor));
        p.cursor.reset(rawCursor);
    } else if (p.cursor) {
        p.name.reset(ldap_next_attributeW(p.Handle(), p.message.get(), p.cursor.get()));
    } else {
        p.name.reset();
    }
    if (!p.name) {
        return Step::End;
    }
    p.nameText = Utf8Text(p.name.get());
    attribute.name = p.nameText;
    // Values come as the bytes the server sent (UTF-8 for text).
    p.values.reset(ldap_get_values_lenW(p.Handle(), p.message.get(), p.name.get()));
    if (p.values) {
        for (berval** value = p.values.get(); *value != nullptr; ++value) {
            attribute.values.emplace_back((*value)->bv_val, (*value)->bv_len);
        }
    }
    return Step::Attribute;
}
