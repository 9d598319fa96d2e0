// directory_session_win.cpp - DirectoryQuery's session with the server on Windows, through
// WLDAP32: connect (TLS by flag) with a time-out, StartTLS when asked for, simple bind, subtree
// search in pages (SearchPages), each answer message read as it arrives into a ResultTable. The
// library reads each message whole before it hands it over, so the bound on an answer's bytes is
// not applied here; the entry cap, the time limit and the stop are. Every text crosses the library
// through the wide (UTF-16) calls, converted from and to the UTF-8 the program keeps inside, so
// names, values and passwords outside ASCII arrive whole.
#include "directory/directory_query.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>

#include "directory/deadline.h"
#include "directory/ldap_client.h"
#include "directory/query_failure.h"
#include "directory/query_stop.h"
#include "directory/result_table.h"
#include "directory/search_pages.h"
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

std::string ValueText(const berval& value)
{
    const std::string_view bytes(value.bv_val, value.bv_len);
    if (bytes.find('\0') != std::string_view::npos)
        return "<binary, " + std::to_string(bytes.size()) + " bytes>";
    return std::string(bytes);
}

/// The connection's own text about its last failure ("" when it has none).
std::string ErrorString(LDAP* connection)
{
    wchar_t* text = nullptr;
    if (connection == nullptr || ldap_get_optionW(connection, LDAP_OPT_ERROR_STRING, &text) != LDAP_SUCCESS)
        return std::string();
    return EscapeControlCharacters(Utf8Text(text));
}

int32_t RecordEntry(LDAP* connection, LDAPMessage* entry, int32_t row, ResultTable& table)
{
    LibraryText dn(ldap_get_dnW(connection, entry));
    table.SetCell(0, row, std::string(kEntryTag) + Utf8Text(dn.get()));
    int32_t column = 0;
    BerElement* rawCursor = nullptr;
    LibraryText name(ldap_first_attributeW(connection, entry, &rawCursor));
    AttributeCursor cursor(rawCursor);
    while (name) {
        ++column;
        table.SetCell(column, row, std::string(kAttributeTag) + Utf8Text(name.get()));
        // Values come as the bytes the server sent (UTF-8 for text), a NUL byte marking binary.
        ValueList values(ldap_get_values_lenW(connection, entry, name.get()));
        if (values) {
            for (berval** value = values.get(); *value != nullptr; ++value) {
                ++column;
                table.SetCell(column, row, std::string(kValueTag) + ValueText(**value));
            }
        }
        if (!cursor)
            break;
        name.reset(ldap_next_attributeW(connection, entry, cursor.get()));
    }
    return column + 1;
}

PageResult ReadResult(LDAP* connection, LDAPMessage* message)
{
    PageResult result;
    ULONG code = LDAP_OTHER;
    wchar_t* rawText = nullptr;
    LDAPControlW** rawControls = nullptr;
    if (ldap_parse_resultW(connection, message, &code, nullptr, &rawText, nullptr, &rawControls, FALSE) != LDAP_SUCCESS)
        code = LDAP_DECODING_ERROR;
    result.code = static_cast<int>(code);
    LibraryText text(rawText);
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

/// How a wait for the next message ended.
enum class Wait { Message, TimedOut, Stopped, Failed };

/// The library is asked for a message in slices of this length, the stop and the deadline
/// checked between them.
constexpr int kSliceMs = 50;

}  // namespace

/** One open connection of a search and what ends its waits. */
class DirectoryQuery::Session {
public:
    Session(Connection connection, const ServerEndpoint& endpoint, const Deadline& deadline, const QueryStop& stop)
        : m_connection(std::move(connection)), m_endpoint(endpoint), m_deadline(deadline), m_stop(stop)
    {}

    LDAP* Handle() const { return m_connection.get(); }
    const ServerEndpoint& Endpoint() const { return m_endpoint; }

    /// The next message of operation id and its type, waited for in short slices.
    Wait Next(ULONG id, Message& message, ULONG& type, ULONG& errorCode)
    {
        for (;;) {
            const bool stopped = m_stop.Raised();
            l_timeval slice{0, stopped ? 0 : m_deadline.PollMilliseconds(kSliceMs) * 1000};
            LDAPMessage* raw = nullptr;
            // The type comes from the return value: the message's own field is not reliable.
            const ULONG got = ldap_result(Handle(), id, LDAP_MSG_ONE, &slice, &raw);
            if (got != 0 && got != kFailed) {
                message.reset(raw);
                type = got;
                return Wait::Message;
            }
            if (raw != nullptr)
                ldap_msgfree(raw);
            if (stopped || m_stop.Raised())
                return Wait::Stopped;
            if (got == kFailed) {
                errorCode = LdapGetLastError();
                return Wait::Failed;
            }
            if (m_deadline.Passed())
                return Wait::TimedOut;
        }
    }

    void Abandon(ULONG id) { ldap_abandon(Handle(), id); }

private:
    Connection m_connection;
    ServerEndpoint m_endpoint;
    const Deadline& m_deadline;
    const QueryStop& m_stop;
};

DirectoryQuery::DirectoryQuery() : m_stop(std::make_unique<QueryStop>()) {}
bool DirectoryQuery::Run(const std::vector<ServerEndpoint>& endpoints, const std::string& base,
                         const std::string& filter, char** attributes, ResultTable& table)
{
    const Deadline deadline = Deadline::After(m_timeLimitSeconds);
    std::optional<Session> session;
    StepEnd end = Open(endpoints, deadline, session);
    if (session)
        end = Steps(*session, session->Endpoint().secure, base, filter, attributes, deadline, table);
    return Finish(std::move(end));
}

DirectoryQuery::StepEnd DirectoryQuery::Open(const std::vector<ServerEndpoint>& endpoints, const Deadline& deadline,
                                             std::optional<Session>& session)
{
    StepEnd end;
    for (const ServerEndpoint& endpoint : endpoints) {
        if (m_stop->Raised())
            return StepEnd{true, {}};
        const auto failure = [&](QueryStep step, ULONG code, const std::string& detail) {
            end.failure =
                DescribeFailure(step, static_cast<int>(code), endpoint.host, endpoint.port, m_timeLimitSeconds, detail);
        };
        WideBuffer host(endpoint.host);
        Connection connection(ldap_sslinitW(host.Get(), static_cast<ULONG>(endpoint.port), endpoint.secure ? 1 : 0));
        if (!connection) {
            failure(QueryStep::Open, LdapGetLastError(), {});
            continue;
        }
        ULONG version = static_cast<ULONG>(m_protocolVersion);
        ldap_set_optionW(connection.get(), LDAP_OPT_PROTOCOL_VERSION, &version);
        // Referrals would open connections of the library's own, outside the limit and the stop.
        ldap_set_optionW(connection.get(), LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
        // The connect (and the secure handshake) waits inside the library, bounded by what is
        // left of the time limit.
        l_timeval left{deadline.Limited() ? deadline.SecondsLeft() : 24 * 60 * 60, 0};
        const ULONG connected = ldap_connect(connection.get(), &left);
        if (m_stop->Raised())
            return StepEnd{true, {}};
        if (connected != LDAP_SUCCESS) {
            if (deadline.Passed() || connected == LDAP_TIMEOUT) {
                failure(endpoint.secure ? QueryStep::Secure : QueryStep::Open, LDAP_TIMEOUT, {});
                return end;
            }
            failure(endpoint.secure ? QueryStep::Secure : QueryStep::Open, connected, ErrorString(connection.get()));
            continue;
        }
        session.emplace(std::move(connection), endpoint, deadline, *m_stop);
        return StepEnd{};
    }
    return end;
}

DirectoryQuery::StepEnd DirectoryQuery::StartTls(Session& session, const Deadline& deadline)
{
    const auto failure = [&](QueryStep step, ULONG code, const std::string& detail) {
        return StepEnd{false, DescribeFailure(step, static_cast<int>(code), session.Endpoint().host,
                                              session.Endpoint().port, m_timeLimitSeconds, detail)};
    };
    // The request and the handshake that follows it, with the certificate checks of ldaps://, are
    // one call that waits inside the library, as the connect does; the stop and the time limit
    // are looked at when it returns. A failed upgrade ends the search: nothing more is sent.
    ULONG serverCode = LDAP_SUCCESS;
    LDAPMessage* rawAnswer = nullptr;
    const ULONG upgraded = ldap_start_tls_sW(session.Handle(), &serverCode, &rawAnswer, nullptr, nullptr);
    const Message answer(rawAnswer);
    if (m_stop->Raised())
        return StepEnd{true, {}};
    if (upgraded == LDAP_SUCCESS)
        return StepEnd{};
    if (deadline.Passed() || upgraded == LDAP_TIMEOUT)
        return failure(QueryStep::StartTls, LDAP_TIMEOUT, {});
    // Codes below the client's own are the server's answer to the request; the client's own
    // (a lost connection, a local error) come from the handshake.
    const ULONG code = serverCode != LDAP_SUCCESS ? serverCode : upgraded;
    if (code >= LDAP_SERVER_DOWN)
        return failure(QueryStep::Secure, code, ErrorString(session.Handle()));
    return failure(QueryStep::StartTls, code,
                   answer ? ReadResult(session.Handle(), answer.get()).serverMessage : ErrorString(session.Handle()));
}

DirectoryQuery::StepEnd DirectoryQuery::Bind(Session& session)
{
    const auto failure = [&](ULONG code, const std::string& detail) {
        m_needsBind = m_bindName.empty() && RefusesAnonymous(static_cast<int>(code));
        return StepEnd{false, DescribeFailure(QueryStep::Bind, static_cast<int>(code), session.Endpoint().host,
                                              session.Endpoint().port, m_timeLimitSeconds, detail, m_bindName)};
    };
    WideBuffer name(m_bindName);
    WideBuffer password(m_password.Bytes());
    const ULONG id = ldap_simple_bindW(session.Handle(), m_bindName.empty() ? nullptr : name.Get(),
                                       m_bindName.empty() ? nullptr : password.Get());
    if (id == kFailed)
        return failure(LdapGetLastError(), ErrorString(session.Handle()));
    Message answer;
    ULONG type = 0;
    ULONG code = LDAP_OTHER;
    switch (session.Next(id, answer, type, code)) {
        case Wait::Stopped:
            return StepEnd{true, {}};
        case Wait::TimedOut:
            return failure(LDAP_TIMEOUT, {});
        case Wait::Failed:
            return failure(code, ErrorString(session.Handle()));
        case Wait::Message:
            break;
    }
    const PageResult result = ReadResult(session.Handle(), answer.get());
    if (result.code == static_cast<int>(LDAP_SUCCESS))
        return StepEnd{};
    m_bindRefused = true;
    return failure(static_cast<ULONG>(result.code), result.serverMessage);
}

DirectoryQuery::StepEnd DirectoryQuery::Read(Session& session, const std::string& base, const std::string& filter,
                                             char** attributes, const Deadline& deadline, ResultTable& table)
{
    const auto failure = [&](ULONG code, const std::string& detail) {
        m_needsBind = m_bindName.empty() && RefusesAnonymous(static_cast<int>(code));
        return StepEnd{false, DescribeFailure(QueryStep::Search, static_cast<int>(code), session.Endpoint().host,
                                              session.Endpoint().port, m_timeLimitSeconds, detail)};
    };
    if (m_stop->Raised())
        return StepEnd{true, {}};
    std::vector<std::wstring> wideNames;
    for (char** name = attributes; name != nullptr && *name != nullptr; ++name)
        wideNames.push_back(WideText(*name));
    std::vector<PWCHAR> wideList;
    for (std::wstring& name : wideNames)
        wideList.push_back(name.data());
    wideList.push_back(nullptr);
    WideBuffer wideBase(base);
    WideBuffer wideFilter(filter);
    // Entries go to a table of their own, so a failure leaves the caller's table as it was.
    ResultTable recorded;
    int32_t rows = 0;
    int32_t columns = 0;
    StepEnd end;
    SearchPages pages(m_maxEntries, m_baseScope);
    for (bool asking = true; asking;) {
        PLDAPControlW rawPage = nullptr;
        if (pages.Paging()) {
            std::string cookie = pages.Cookie();
            berval value{static_cast<ULONG>(cookie.size()), cookie.data()};
            const ULONG made = ldap_create_page_controlW(session.Handle(), pages.PageSize(rows),
                                                         cookie.empty() ? nullptr : &value, FALSE, &rawPage);
            if (made != LDAP_SUCCESS)
                return failure(made, ErrorString(session.Handle()));
        }
        const Control page(rawPage);
        PLDAPControlW requestControls[] = {page.get(), nullptr};
        // No longer than the time left, in the whole seconds the library takes.
        const ULONG timeLimit = deadline.Limited() ? static_cast<ULONG>(deadline.SecondsLeft()) : 0;
        ULONG id = 0;
        const ULONG sent = ldap_search_extW(
            session.Handle(), wideBase.Get(), m_baseScope ? LDAP_SCOPE_BASE : LDAP_SCOPE_SUBTREE, wideFilter.Get(),
            attributes == nullptr ? nullptr : wideList.data(), 0, pages.Paging() ? requestControls : nullptr, nullptr,
            timeLimit, static_cast<ULONG>(pages.SizeLimit()), &id);
        if (sent != LDAP_SUCCESS)
            return failure(sent, ErrorString(session.Handle()));
        asking = false;
        for (bool reading = true; reading;) {
            Message message;
            ULONG type = 0;
            ULONG code = LDAP_OTHER;
            const Wait wait = session.Next(id, message, type, code);
            if (wait == Wait::Stopped) {
                session.Abandon(id);
                end.stopped = true;
                break;
            }
            if (wait == Wait::TimedOut) {
                session.Abandon(id);
                return failure(LDAP_TIMEOUT, {});
            }
            if (wait == Wait::Failed)
                return failure(code, ErrorString(session.Handle()));
            if (type == static_cast<ULONG>(LDAP_RES_SEARCH_ENTRY)) {
                // One entry past the cap shows there are more: no need to read them.
                if (m_maxEntries != 0 && static_cast<uint32_t>(rows) >= m_maxEntries) {
                    session.Abandon(id);
                    m_cut = true;
                    break;
                }
                columns = std::max(columns, RecordEntry(session.Handle(), message.get(), rows, recorded));
                CountEntry(rows);
            } else if (type == static_cast<ULONG>(LDAP_RES_SEARCH_RESULT)) {
                const PageResult result = ReadResult(session.Handle(), message.get());
                const SearchPages::After after =
                    pages.Take(result.code, result.paged, result.cookie, rows, m_stop->Raised());
                if (after == SearchPages::After::Failed)
                    return failure(static_cast<ULONG>(result.code), result.serverMessage);
                asking = PageEnded(after, recorded, rows, columns, end);
                reading = false;
            }
            // references and intermediate messages carry no entry
        }
    }
    if (rows > 0) {
        recorded.SetDimensions(columns, rows);
        table = std::move(recorded);
    }
    return end;
}
