// directory_query.cpp - DirectoryQuery: open, anonymous bind, subtree search, walk into a ResultTable.
#include "directory/directory_query.h"

#include <sys/time.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "directory/ldap_client.h"
#include "directory/query_failure.h"
#include "directory/result_table.h"

namespace {

// Owners of what the client library hands out, each released the way the library requires.
struct ConnectionCloser {
    void operator()(LDAP* connection) const { ldap_unbind(connection); }
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
struct ValuesReleaser {
    void operator()(berval** values) const { ldap_value_free_len(values); }
};

using Connection = std::unique_ptr<LDAP, ConnectionCloser>;
using Message = std::unique_ptr<LDAPMessage, MessageReleaser>;
using LibraryText = std::unique_ptr<char, TextReleaser>;
using AttributeCursor = std::unique_ptr<BerElement, CursorReleaser>;
using ValueList = std::unique_ptr<berval*, ValuesReleaser>;

const std::string kEntryTag = "<ENTRY>";
const std::string kAttributeTag = "<ATTRIBUTE>";
const std::string kValueTag = "<VALUE>";

/// A server's limit answer still carries the entries that came before the limit was hit.
bool IsLimitAnswer(int result) {
    return result == LDAP_TIMELIMIT_EXCEEDED || result == LDAP_SIZELIMIT_EXCEEDED ||
           result == LDAP_ADMINLIMIT_EXCEEDED;
}

/// A value's text: its bytes, or "<binary, N bytes>" when it holds a NUL byte and so is no text.
std::string ValueText(const berval& value) {
    const std::string_view bytes(value.bv_val, value.bv_len);
    if (bytes.find('\0') != std::string_view::npos) {
        return "<binary, " + std::to_string(bytes.size()) + " bytes>";
    }
    return std::string(bytes);
}

/// The server's own message about the last operation on connection, or "".
std::string ServerMessage(LDAP* connection) {
    char* raw = nullptr;
    if (ldap_get_option(connection, LDAP_OPT_DIAGNOSTIC_MESSAGE, &raw) != LDAP_OPT_SUCCESS) {
        return {};
    }
    LibraryText message(raw);
    return message ? std::string(message.get()) : std::string();
}

/// Writes one entry into row: the entry cell, then each attribute cell followed by its value
/// cells, without gaps. Returns the number of cells written.
int32_t RecordEntry(LDAP* connection, LDAPMessage* entry, int32_t row, ResultTable& table) {
    LibraryText dn(ldap_get_dn(connection, entry));
    table.SetCell(0, row, kEntryTag + (dn ? dn.get() : ""));
    int32_t column = 0;
    BerElement* rawCursor = nullptr;
    LibraryText name(ldap_first_attribute(connection, entry, &rawCursor));
    AttributeCursor cursor(rawCursor);
    while (name) {
        ++column;
        table.SetCell(column, row, kAttributeTag + name.get());
        // Values are read with their length, so one holding a NUL byte (a photo, a certificate)
        // is shown as binary instead of cut short or lost.
        ValueList values(ldap_get_values_len(connection, entry, name.get()));
        if (values) {
            for (berval** value = values.get(); *value != nullptr; ++value) {
                ++column;
                table.SetCell(column, row, kValueTag + ValueText(**value));
            }
        }
        if (!cursor) {
            break;
        }
        name.reset(ldap_next_attribute(connection, entry, cursor.get()));
    }
    return column + 1;
}

}  // namespace

void DirectoryQuery::SetServer(const std::string& host, int32_t port, int32_t protocolVersion) {
    m_host = host;
    m_port = port;
    m_protocolVersion = protocolVersion;
}

void DirectoryQuery::SetLimits(int32_t timeLimitSeconds, uint32_t maxEntries) {
    m_timeLimitSeconds = timeLimitSeconds;
    m_timeLimitMicroseconds = 0;
    m_maxEntries = maxEntries;
}

std::string DirectoryQuery::FormFilter(const std::string& attribute, const std::string& value) {
    return "(" + attribute + "=" + value + ")";
}

bool DirectoryQuery::SearchForAttribute(const std::string& base, const std::string& filterAttribute,
                                        const std::string& filterValue,
                                        const std::string& resultAttribute, ResultTable& table) {
    std::vector<std::string> attributes;
    if (!resultAttribute.empty()) {
        attributes.push_back(resultAttribute);
    }
    return SearchForAttributes(base, filterAttribute, filterValue, attributes, table);
}

bool DirectoryQuery::SearchForAttributes(const std::string& base, const std::string& filterAttribute,
                                         const std::string& filterValue,
                                         const std::vector<std::string>& attributes,
                                         ResultTable& table) {
    // Every name is asked for, an empty one too (the server ignores it); only the end of the list
    // closes it. The library wants modifiable C texts ended by null.
    std::vector<std::string> names = attributes;
    std::vector<char*> list;
    for (std::string& name : names) {
        list.push_back(name.data());
    }
    list.push_back(nullptr);
    char** requested = names.empty() ? nullptr : list.data();
    return Search(base, FormFilter(filterAttribute, filterValue), requested, table);
}

bool DirectoryQuery::Fail(std::string reason) {
    m_failureReason = std::move(reason);
    return false;
}

bool DirectoryQuery::Search(const std::string& base, const std::string& filter, char** attributes,
                            ResultTable& table) {
    m_failureReason.clear();
    m_cut = false;
    if (m_host.empty()) {
        return Fail("no server given");
    }
    // A port beyond 16 bits would wrap round to another port.
    if (!PortInRange(m_port)) {
        return Fail(DescribePortOutOfRange(m_port));
    }
    int version = m_protocolVersion;
    ldap_set_option(nullptr, LDAP_OPT_PROTOCOL_VERSION, &version);

    timeval timeLimit{};
    timeLimit.tv_sec = m_timeLimitSeconds;
    timeLimit.tv_usec = m_timeLimitMicroseconds;
    const bool limited = m_timeLimitSeconds > 0 || m_timeLimitMicroseconds > 0;
    // Opening, like the search, gives up after the time limit instead of the system's TCP time-out.
    if (limited) {
        ldap_set_option(nullptr, LDAP_OPT_NETWORK_TIMEOUT, &timeLimit);
    }
    const auto failure = [&](QueryStep step, int code, LDAP* connection) {
        return Fail(DescribeFailure(step, code, m_host, m_port, m_timeLimitSeconds,
                                    connection != nullptr ? ServerMessage(connection) : std::string()));
    };

    Connection connection(ldap_open(m_host.c_str(), m_port));
    if (!connection) {
        return failure(QueryStep::Open, LDAP_SERVER_DOWN, nullptr);
    }
    // The bind waits at most the time limit too: a server that accepts and never answers must
    // not block the caller for ever.
    if (limited) {
        ldap_set_option(connection.get(), LDAP_OPT_TIMEOUT, &timeLimit);
    }
    const int bound = ldap_simple_bind_s(connection.get(), nullptr, nullptr);
    if (bound != LDAP_SUCCESS) {
        return failure(QueryStep::Bind, bound, connection.get());
    }

    LDAPMessage* rawAnswer = nullptr;
    const int result = ldap_search_st(connection.get(), base.c_str(), LDAP_SCOPE_SUBTREE, filter.c_str(),
                                      attributes, 0, &timeLimit, &rawAnswer);
    Message answer(rawAnswer);
    const bool limitAnswer = IsLimitAnswer(result) && answer;
    if (result != LDAP_SUCCESS && !limitAnswer) {
        return failure(QueryStep::Search, result, connection.get());
    }
    m_cut = limitAnswer;

    int32_t rows = 0;
    int32_t columns = 0;
    LDAPMessage* first = answer ? ldap_first_entry(connection.get(), answer.get()) : nullptr;
    for (LDAPMessage* entry = first; entry != nullptr;
         entry = ldap_next_entry(connection.get(), entry)) {
        columns = std::max(columns, RecordEntry(connection.get(), entry, rows, table));
        ++rows;
        if (m_maxEntries != 0 && static_cast<uint32_t>(rows) >= m_maxEntries) {
            m_cut = m_cut || ldap_next_entry(connection.get(), entry) != nullptr;
            break;
        }
    }
    // With no entries the column count is 0, which SetDimensions refuses: the counts stay.
    table.SetDimensions(columns, rows);
    return true;
}
