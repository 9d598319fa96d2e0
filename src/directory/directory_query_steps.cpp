// directory_query_steps.cpp - the steps of one search, the same on every system: open, StartTLS,
// bind, and the search loop with its pages, the entry cap, the stop, the deadline, the answer bound,
// entries read in part, malformed answers and the progress count. Only the DirectoryConnection
// under it differs per system.
#include "directory/directory_query.h"

#include <algorithm>
#include <utility>

#include "directory/deadline.h"
#include "directory/directory_connection.h"
#include "directory/entry_reader.h"
#include "directory/query_failure.h"
#include "directory/query_stop.h"
#include "result/result_table.h"
#include "result/row_cells.h"
#include "directory/server_address.h"
#include "directory/ticket_failure.h"

DirectoryQuery::DirectoryQuery() : m_stop(std::make_unique<QueryStop>()) {}

std::string DirectoryQuery::Describe(const CallEnd& end, const ServerEndpoint& endpoint) const
{
    const int code = end.how == CallEnd::How::TimedOut ? kTimedOutCode : end.code;
    return DescribeFailure(end.step, code, endpoint.host, endpoint.port, m_timeLimitSeconds, end.detail,
                           end.step == QueryStep::Bind ? m_bindName : std::string());
}

bool DirectoryQuery::Run(const std::vector<ServerEndpoint>& endpoints, const std::string& base,
                         const std::string& filter, const std::vector<std::string>* attributes, ResultTable& table)
{
    const Deadline deadline = Deadline::After(m_timeLimitSeconds);
    for (std::size_t next = 0;;) {
        DirectoryConnection connection(deadline, *m_stop, m_answerBound);
        const ServerEndpoint* endpoint = nullptr;
        StepEnd end = Open(connection, endpoints, next, endpoint);
        if (endpoint != nullptr && m_startTls && !endpoint->secure) {
            end = StartTls(connection, *endpoint);
        }
        if (endpoint != nullptr && end.failure.empty() && !end.stopped) {
            end = Bind(connection, *endpoint);
        }
        // Where the library connects only when it first sends (WLDAP32 may), a server that cannot
        // be reached shows itself at the StartTLS request or the bind: the next server is tried.
        if (end.unreachable && next < endpoints.size()) {
            continue;
        }
        if (endpoint != nullptr && end.failure.empty() && !end.stopped) {
            m_answeredBy = m_discovering ? endpoint->host + ":" + std::to_string(endpoint->port) : std::string();
            end = Read(connection, *endpoint, base, filter, attributes, deadline, table);
        }
        return Finish(std::move(end));
    }
}

DirectoryQuery::StepEnd DirectoryQuery::Open(DirectoryConnection& connection,
                                             const std::vector<ServerEndpoint>& endpoints, std::size_t& next,
                                             const ServerEndpoint*& opened)
{
    StepEnd end;
    for (; next < endpoints.size(); ++next) {
        const ServerEndpoint& endpoint = endpoints[next];
        if (m_stop->Raised()) {
            return StepEnd{true, {}};
        }
        const CallEnd tried = connection.Open(endpoint, m_protocolVersion);
        switch (tried.how) {
            case CallEnd::How::Done:
                opened = &endpoint;
                ++next;
                return StepEnd{};
            case CallEnd::How::Stopped:
                return StepEnd{true, {}};
            case CallEnd::How::TimedOut:
                // The time limit is for the whole search: no time is left for the next server.
                return StepEnd{false, Describe(tried, endpoint)};
            case CallEnd::How::Failed:
                end.failure = Describe(tried, endpoint);
                break;  // the next server of the list, if any
        }
    }
    return end;
}

DirectoryQuery::StepEnd DirectoryQuery::StartTls(DirectoryConnection& connection, const ServerEndpoint& endpoint)
{
    // A failed upgrade ends the search: nothing more is sent on that connection.
    const CallEnd upgraded = connection.StartTls();
    if (upgraded.how == CallEnd::How::Stopped) {
        return StepEnd{true, {}};
    }
    if (upgraded.how == CallEnd::How::Failed) {
        if (std::optional<std::string> trouble = connection.StreamTrouble()) {
            return StepEnd{false, std::move(*trouble)};
        }
        if (upgraded.step == QueryStep::Open) {
            return StepEnd{false, Describe(upgraded, endpoint), true};
        }
    }
    return StepEnd{false, upgraded.Done() ? std::string() : Describe(upgraded, endpoint)};
}

DirectoryQuery::StepEnd DirectoryQuery::Bind(DirectoryConnection& connection, const ServerEndpoint& endpoint)
{
    const auto failure = [&](CallEnd ended) {
        // A connection lost before the bind was answered is a server that could not be reached.
        const bool unreachable =
            ended.how == CallEnd::How::Failed && (ended.step == QueryStep::Open || ConnectionLost(ended.code));
        ended.step = unreachable ? QueryStep::Open : QueryStep::Bind;
        const bool refused = ended.how == CallEnd::How::Failed;
        const bool anonymous = m_bindName.empty() || m_signIn == SignIn::Anonymous;
        m_needsBind = anonymous && refused && RefusesAnonymous(ended.code, ended.detail);
        // Only a simple bind sends a password the server may want kept off a plain connection.
        m_needsSecureBind = !anonymous && m_signIn == SignIn::Password && refused && !endpoint.secure && !m_startTls &&
                            ended.step == QueryStep::Bind && WantsSecureBind(ended.code);
        return StepEnd{false, Describe(ended, endpoint), unreachable};
    };
    if (m_signIn == SignIn::Kerberos) {
        return BindWithTicket(connection, endpoint);
    }
    CallEnd failed;
    const std::string& name = m_signIn == SignIn::Anonymous ? std::string() : m_bindName;
    const std::optional<int> id =
        connection.SendBind(name, m_signIn == SignIn::Anonymous ? std::string_view() : m_password.Bytes(), failed);
    if (!id) {
        return failure(std::move(failed));
    }
    DirectoryConnection::Kind kind = DirectoryConnection::Kind::Other;
    switch (connection.Next(*id, kind, failed)) {
        case DirectoryConnection::Wait::Stopped:
            return StepEnd{true, {}};
        case DirectoryConnection::Wait::TimedOut:
            return failure(CallEnd{CallEnd::How::TimedOut, QueryStep::Bind, kTimedOutCode, {}});
        case DirectoryConnection::Wait::Failed:
            if (std::optional<std::string> trouble = connection.StreamTrouble()) {
                return StepEnd{false, std::move(*trouble)};
            }
            return failure(std::move(failed));
        case DirectoryConnection::Wait::Message:
            break;
    }
    const PageResult result = connection.Result();
    if (result.code == 0) {
        return StepEnd{};
    }
    m_bindRefused = true;
    return failure(CallEnd{CallEnd::How::Failed, QueryStep::Bind, result.code, result.serverMessage});
}

DirectoryQuery::StepEnd DirectoryQuery::BindWithTicket(DirectoryConnection& connection, const ServerEndpoint& endpoint)
{
    const CallEnd ended = connection.BindWithTicket();
    switch (ended.how) {
        case CallEnd::How::Done:
            return StepEnd{};
        case CallEnd::How::Stopped:
            return StepEnd{true, {}};
        case CallEnd::How::TimedOut:
            return StepEnd{false, Describe(ended, endpoint)};
        case CallEnd::How::Failed:
            break;
    }
    if (std::optional<std::string> trouble = connection.StreamTrouble()) {
        return StepEnd{false, std::move(*trouble)};
    }
    if (ended.step == QueryStep::Open || ConnectionLost(ended.code)) {
        CallEnd lost = ended;
        lost.step = QueryStep::Open;
        return StepEnd{false, Describe(lost, endpoint), true};
    }
    return StepEnd{false, DescribeTicketFailure(ended.code, ended.detail, endpoint.host)};
}

std::optional<DirectoryQuery::StepEnd> DirectoryQuery::ConnectionFault(DirectoryConnection& connection,
                                                                       const CallEnd& failed)
{
    if (std::optional<std::string> trouble = connection.StreamTrouble()) {
        return StepEnd{false, std::move(*trouble)};
    }
    if (failed.code == kServerDownCode) {
        return StepEnd{false, DescribeClosedConnection()};
    }
    return std::nullopt;
}

DirectoryQuery::StepEnd DirectoryQuery::Read(DirectoryConnection& connection, const ServerEndpoint& endpoint,
                                             const std::string& base, const std::string& filter,
                                             const std::vector<std::string>* attributes, const Deadline& deadline,
                                             ResultTable& table)
{
    const auto failure = [&](CallEnd ended) {
        ended.step = QueryStep::Search;
        m_needsBind = (m_bindName.empty() || m_signIn == SignIn::Anonymous) && ended.how == CallEnd::How::Failed &&
                      RefusesAnonymous(ended.code, ended.detail);
        return StepEnd{false, Describe(ended, endpoint)};
    };
    const auto timedOut = [&] {
        return failure(CallEnd{CallEnd::How::TimedOut, QueryStep::Search, kTimedOutCode, {}});
    };
    if (m_stop->Raised()) {
        return StepEnd{true, {}};
    }
    // Entries go to a table of their own, so a failure leaves the caller's table as it was.
    ResultTable recorded;
    RowCells cells;  ///< the entry being read
    int32_t rows = 0;
    int32_t columns = 0;
    // What the entries kept weigh: where the library reads each message whole before handing it
    // over, this is where the answer bound is applied.
    std::uint64_t kept = 0;
    StepEnd end;
    SearchPages pages(m_maxEntries, m_baseScope);
    for (bool asking = true; asking;) {
        SearchRequest request;
        request.base = base;
        request.baseScope = m_baseScope;
        request.filter = filter;
        request.attributes = attributes;
        request.paged = pages.Paging();
        request.pageSize = pages.PageSize(rows);
        request.cookie = pages.Cookie();
        // No longer than the time left.
        request.timeLimitSeconds = deadline.Limited() ? deadline.SecondsLeft() : 0;
        request.sizeLimit = pages.SizeLimit();
        CallEnd failed;
        const std::optional<int> id = connection.SendSearch(request, failed);
        if (!id) {
            return failure(std::move(failed));
        }
        asking = false;
        for (bool reading = true; reading;) {
            DirectoryConnection::Kind kind = DirectoryConnection::Kind::Other;
            const DirectoryConnection::Wait wait = connection.Next(*id, kind, failed);
            if (wait == DirectoryConnection::Wait::Stopped) {
                connection.Abandon(*id);
                end.stopped = true;
                break;
            }
            if (wait == DirectoryConnection::Wait::TimedOut) {
                connection.Abandon(*id);
                return timedOut();
            }
            if (wait == DirectoryConnection::Wait::Failed) {
                // An answer beyond the bound ends with the entries read so far, as at the cap.
                if (connection.OverBound() && rows > 0) {
                    m_cut = true;
                    break;
                }
                if (std::optional<StepEnd> fault = ConnectionFault(connection, failed)) {
                    return std::move(*fault);
                }
                return failure(std::move(failed));
            }
            if (kind == DirectoryConnection::Kind::Unknown) {
                // A library that takes it for the end of the answer would wait out the time limit.
                connection.Abandon(*id);
                return StepEnd{false, DescribeMalformedAnswer()};
            }
            if (kind == DirectoryConnection::Kind::Entry) {
                // One entry past the cap shows there are more: no need to read them.
                if (m_maxEntries != 0 && static_cast<uint32_t>(rows) >= m_maxEntries) {
                    connection.Abandon(*id);
                    m_cut = true;
                    break;
                }
                const EntryRead read = RecordEntry(connection, rows, recorded, deadline, *m_stop, cells);
                if (read != EntryRead::Recorded) {
                    recorded.RemoveRow(rows);  // the entry read in part is no entry
                }
                if (read == EntryRead::Stopped) {
                    connection.Abandon(*id);
                    end.stopped = true;
                    break;
                }
                if (read == EntryRead::TimedOut) {
                    connection.Abandon(*id);
                    return timedOut();
                }
                if (read == EntryRead::Malformed) {
                    return StepEnd{false, DescribeMalformedAnswer()};
                }
                kept += cells.Bytes().size();
                if (kept > m_answerBound) {
                    // Read whole by the library before it could be weighed: kept no more than the bound.
                    recorded.RemoveRow(rows);
                    connection.Abandon(*id);
                    if (rows == 0) {
                        return StepEnd{false, DescribeAnswerOverBound(m_answerBound)};
                    }
                    m_cut = true;
                    break;
                }
                columns = std::max(columns, static_cast<int32_t>(cells.Count()));
                CountEntry(rows);
            } else if (kind == DirectoryConnection::Kind::Result) {
                const PageResult result = connection.Result();
                reading = false;
                const SearchPages::After after =
                    pages.Take(result.code, result.paged, result.cookie, rows, m_stop->Raised());
                if (after == SearchPages::After::Failed) {
                    return failure(CallEnd{CallEnd::How::Failed, QueryStep::Search, result.code, result.serverMessage});
                }
                m_serverLimited = after == SearchPages::After::Cut && IsServerLimit(result.code, rows, m_maxEntries);
                asking = PageEnded(after, recorded, rows, columns, end);
                if (after == SearchPages::After::AskPaged) {
                    kept = 0;
                }
            }
            // references and intermediate messages carry no entry
        }
    }
    // With no entries the column count is 0, which SetDimensions refuses: the counts stay.
    if (rows > 0) {
        recorded.SetDimensions(columns, rows);
        // Values that came a range at a time are completed once the search's own answer is in.
        if (!end.stopped && !connection.OverBound()) {
            end = CompleteRanges(connection, endpoint, deadline, recorded, rows, columns, kept);
            if (!end.failure.empty()) {
                return end;
            }
            recorded.SetDimensions(columns, rows);
        }
        table = std::move(recorded);
    }
    return end;
}
