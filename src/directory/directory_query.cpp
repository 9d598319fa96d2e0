// directory_query.cpp - DirectoryQuery's settings and the checks before a search; the steps of
// the search itself are in directory_query_steps.cpp.
#include "directory/directory_query.h"

#include <algorithm>
#include <new>
#include <optional>

#include "directory/query_failure.h"
#include "directory/query_stop.h"
#include "result/result_table.h"
#include "directory/server_address.h"
#include "directory/server_discovery.h"

DirectoryQuery::~DirectoryQuery() = default;
DirectoryQuery::DirectoryQuery(DirectoryQuery&&) noexcept = default;
DirectoryQuery& DirectoryQuery::operator=(DirectoryQuery&&) noexcept = default;

void DirectoryQuery::Stop()
{
    m_stop->Raise();
}

bool DirectoryQuery::StopRaised() const
{
    return m_stop->Raised();
}

void DirectoryQuery::SetServer(const std::string& host, int32_t port, int32_t protocolVersion)
{
    m_host = host;
    m_port = port;
    m_protocolVersion = protocolVersion;
}

void DirectoryQuery::SetLimits(int32_t timeLimitSeconds, uint32_t maxEntries)
{
    m_timeLimitSeconds = timeLimitSeconds;
    m_timeLimitMicroseconds = 0;
    m_maxEntries = maxEntries;
}

void DirectoryQuery::SetBind(const std::string& name, const Password& password)
{
    m_bindName = name;
    m_password = password;
}

std::string DirectoryQuery::FormFilter(const std::string& attribute, const std::string& value)
{
    return "(" + attribute + "=" + value + ")";
}

bool DirectoryQuery::SearchForAttribute(const std::string& base, const std::string& filterAttribute,
                                        const std::string& filterValue, const std::string& resultAttribute,
                                        ResultTable& table)
{
    std::vector<std::string> attributes;
    if (!resultAttribute.empty()) {
        attributes.push_back(resultAttribute);
    }
    return SearchForAttributes(base, filterAttribute, filterValue, attributes, table);
}

bool DirectoryQuery::SearchForAttributes(const std::string& base, const std::string& filterAttribute,
                                         const std::string& filterValue, const std::vector<std::string>& attributes,
                                         ResultTable& table)
{
    return SearchWithFilter(base, FormFilter(filterAttribute, filterValue), attributes, table);
}

bool DirectoryQuery::ReadRootEntry(const std::vector<std::string>& attributes, ResultTable& table)
{
    m_baseScope = true;
    const bool succeeded = SearchWithFilter("", "(objectClass=*)", attributes, table);
    m_baseScope = false;
    return succeeded;
}

bool DirectoryQuery::SearchWithFilter(const std::string& base, const std::string& filter,
                                      const std::vector<std::string>& attributes, ResultTable& table)
{
    // Every name is asked for, an empty one too (the server ignores it); an empty list asks for all.
    return Search(base, filter, attributes.empty() ? nullptr : &attributes, table);
}

bool DirectoryQuery::Fail(std::string reason)
{
    m_failureReason = std::move(reason);
    return false;
}

bool DirectoryQuery::PageEnded(SearchPages::After after, ResultTable& recorded, int32_t& rows, int32_t& columns,
                               StepEnd& end)
{
    m_cut = m_cut || after == SearchPages::After::Cut;
    end.stopped = after == SearchPages::After::Stopped;
    if (after == SearchPages::After::AskPaged) {
        // Asked again from the start: the entries read so far come once more.
        recorded = ResultTable();
        rows = 0;
        columns = 0;
    }
    return SearchPages::AsksAgain(after);
}

void DirectoryQuery::CountEntry(int32_t& rows)
{
    ++rows;
    if (m_progress && rows % static_cast<int32_t>(SearchPages::kPageSize) == 0) {
        m_progress(static_cast<uint32_t>(rows));
    }
}

bool DirectoryQuery::Finish(StepEnd end)
{
    if (end.stopped) {
        m_stopped = true;
        m_cut = true;
        return true;
    }
    if (!end.failure.empty()) {
        return Fail(std::move(end.failure));
    }
    return true;
}

bool DirectoryQuery::Search(const std::string& base, const std::string& filter,
                            const std::vector<std::string>* attributes, ResultTable& table)
{
    m_failureReason.clear();
    m_cut = false;
    m_stopped = false;
    m_bindRefused = false;
    m_needsBind = false;
    m_answeredBy.clear();
    m_needsSecureBind = false;
    m_serverLimited = false;
    if (m_host.empty()) {
        return Fail("no server given");
    }
    const bool withPassword = m_signIn == SignIn::Password && !m_bindName.empty();
    if (withPassword && m_password.Empty()) {
        return Fail(DescribeMissingPassword(m_bindName));
    }
    const std::optional<std::vector<ServerEndpoint>> endpoints = ParseServerField(m_host, m_port);
    if (!endpoints) {
        return Fail(DescribeBadServer(m_host));
    }
    // A port beyond 16 bits would wrap round to another port.
    for (const ServerEndpoint& endpoint : *endpoints) {
        if (!PortInRange(endpoint.port)) {
            return Fail(DescribePortOutOfRange(endpoint.port));
        }
    }
    if (withPassword && MixesSecureAndPlain(m_host, m_port, m_startTls)) {
        return Fail(DescribeMixedSecurity(m_host));
    }
    // A domain in the field stands for the servers its DNS records name.
    std::string undiscovered;
    const std::optional<std::vector<ServerEndpoint>> servers = DiscoverServers(*endpoints, undiscovered);
    if (!servers) {
        return Fail(undiscovered);
    }
    m_discovering = std::any_of(endpoints->begin(), endpoints->end(),
                                [](const ServerEndpoint& endpoint) { return !endpoint.domain.empty(); });
    // Whatever the server sends, running out of memory fails this search, never the program.
    try {
        return Run(*servers, base, filter, attributes, table);
    } catch (const std::bad_alloc&) {
        m_cut = false;
        m_stopped = false;
        return Fail(DescribeTooLargeForMemory());
    }
}
