// directory_query_ranges.cpp - the values a server hands out a range at a time: when an entry's
// attribute came as "name;range=FIRST-LAST", the rest is asked for with base searches of that
// entry on the same connection until the server names the last range "name;range=FIRST-*"; the
// entry then holds every value, in order, under the plain name.
#include <algorithm>
#include <new>
#include <string_view>
#include <utility>

#include "directory/ascii_case.h"
#include "directory/deadline.h"
#include "directory/directory_connection.h"
#include "directory/directory_query.h"
#include "directory/entry_reader.h"
#include "directory/query_failure.h"
#include "directory/query_stop.h"
#include "directory/value_range.h"
#include "result/result_table.h"
#include "result/row_cells.h"

/** One attribute of an entry whose values came in part. */
struct DirectoryQuery::RangedAttribute {
    uint32_t cell = 0;  ///< its attribute cell in the row
    std::string plainName;
    uint64_t first = 0;  ///< the index of the first value the row holds
    uint64_t next = 0;   ///< the index of the next value to ask for
    bool complete = false;
    bool advanced = false;  ///< the last answer brought more of it
    RowCells more;          ///< the value cells that came after those of the row, in order

    /// The name the row shows: the plain name once every value is there, else the range it holds.
    std::string ShownName() const { return complete ? plainName : RangeName(plainName, first, next - 1); }
};

DirectoryQuery::StepEnd DirectoryQuery::CompleteRanges(DirectoryConnection& connection, const ServerEndpoint& endpoint,
                                                       const Deadline& deadline, ResultTable& recorded, int32_t rows,
                                                       int32_t& columns, std::uint64_t& kept)
{
    RowCells row;
    std::vector<RangedAttribute> ranged;
    for (int32_t r = 0; r < rows; ++r) {
        ranged.clear();
        for (int32_t column = 0; recorded.CellLength(column, r) >= 0; ++column) {
            const TaggedCell cell = recorded.CellView(column, r);
            if (cell.tag != kAttributeTag) {
                continue;
            }
            if (std::optional<ValueRange> range = ParseValueRange(cell.text)) {
                RangedAttribute attribute;
                attribute.cell = static_cast<uint32_t>(column);
                attribute.plainName = std::move(range->plainName);
                attribute.first = range->first;
                attribute.complete = !range->last.has_value();
                attribute.next = range->last.value_or(range->first) + 1;
                ranged.push_back(std::move(attribute));
            }
        }
        if (ranged.empty()) {
            continue;
        }
        bool cutShort = false;
        StepEnd end = AskRest(connection, endpoint, deadline, recorded.CellView(0, r).text, ranged, kept, cutShort);
        // What arrived is kept whatever ended the asking: an attribute still in part shows its range.
        row.Clear();
        std::size_t attribute = ranged.size();
        const auto addMore = [&] {
            if (attribute < ranged.size()) {
                const RowCells& more = ranged[attribute].more;
                for (uint32_t k = 0; k < more.Count(); ++k) {
                    const TaggedCell cell = more.Cell(k);
                    row.Add(cell.tag, cell.text);
                }
            }
        };
        for (int32_t column = 0; recorded.CellLength(column, r) >= 0; ++column) {
            const TaggedCell cell = recorded.CellView(column, r);
            if (cell.tag != kAttributeTag) {
                row.Add(cell.tag, cell.text);
                continue;
            }
            addMore();
            attribute = ranged.size();
            for (std::size_t k = 0; k < ranged.size(); ++k) {
                if (ranged[k].cell == static_cast<uint32_t>(column)) {
                    attribute = k;
                }
            }
            row.Add(cell.tag, attribute < ranged.size() ? std::string_view(ranged[attribute].ShownName()) : cell.text);
        }
        addMore();
        if (!recorded.SetRow(r, row)) {
            throw std::bad_alloc();
        }
        columns = std::max(columns, static_cast<int32_t>(row.Count()));
        if (end.stopped || !end.failure.empty() || cutShort) {
            return end;
        }
    }
    return StepEnd{};
}

DirectoryQuery::StepEnd DirectoryQuery::AskRest(DirectoryConnection& connection, const ServerEndpoint& endpoint,
                                                const Deadline& deadline, std::string_view dn,
                                                std::vector<RangedAttribute>& ranged, std::uint64_t& kept,
                                                bool& cutShort)
{
    const auto failure = [&](CallEnd ended) {
        ended.step = QueryStep::Search;
        return StepEnd{false, Describe(ended, endpoint)};
    };
    const std::string base(dn);
    ResultTable answer;
    RowCells cells;
    std::vector<std::string> names;
    for (;;) {
        names.clear();
        for (RangedAttribute& attribute : ranged) {
            attribute.advanced = false;
            if (!attribute.complete) {
                names.push_back(RangeRequestName(attribute.plainName, attribute.next));
            }
        }
        if (names.empty()) {
            return StepEnd{};
        }
        if (m_stop->Raised()) {
            return StepEnd{true, {}};
        }
        SearchRequest request;
        request.base = base;
        request.baseScope = true;
        request.filter = "(objectClass=*)";
        request.attributes = &names;
        request.timeLimitSeconds = deadline.Limited() ? deadline.SecondsLeft() : 0;
        CallEnd failed;
        const std::optional<int> id = connection.SendSearch(request, failed);
        if (!id) {
            return failure(std::move(failed));
        }
        for (bool reading = true; reading;) {
            DirectoryConnection::Kind kind = DirectoryConnection::Kind::Other;
            const DirectoryConnection::Wait wait = connection.Next(*id, kind, failed);
            if (wait == DirectoryConnection::Wait::Stopped) {
                connection.Abandon(*id);
                return StepEnd{true, {}};
            }
            if (wait == DirectoryConnection::Wait::TimedOut) {
                connection.Abandon(*id);
                return failure(CallEnd{CallEnd::How::TimedOut, QueryStep::Search, kTimedOutCode, {}});
            }
            if (wait == DirectoryConnection::Wait::Failed) {
                // Over the answer's bound the entries keep what came, as the search itself does.
                if (connection.OverBound()) {
                    m_cut = true;
                    cutShort = true;
                    return StepEnd{};
                }
                if (std::optional<StepEnd> fault = ConnectionFault(connection, failed)) {
                    return std::move(*fault);
                }
                return failure(std::move(failed));
            }
            if (kind == DirectoryConnection::Kind::Unknown) {
                connection.Abandon(*id);
                return StepEnd{false, DescribeMalformedAnswer()};
            }
            if (kind == DirectoryConnection::Kind::Result) {
                const PageResult result = connection.Result();
                if (result.code != 0) {
                    return failure(CallEnd{CallEnd::How::Failed, QueryStep::Search, result.code, result.serverMessage});
                }
                reading = false;
            } else if (kind == DirectoryConnection::Kind::Entry) {
                const EntryRead read = RecordEntry(connection, 0, answer, deadline, *m_stop, cells);
                if (read == EntryRead::Stopped) {
                    connection.Abandon(*id);
                    return StepEnd{true, {}};
                }
                if (read == EntryRead::TimedOut) {
                    connection.Abandon(*id);
                    return failure(CallEnd{CallEnd::How::TimedOut, QueryStep::Search, kTimedOutCode, {}});
                }
                if (read == EntryRead::Malformed) {
                    return StepEnd{false, DescribeMalformedAnswer()};
                }
                kept += cells.Bytes().size();
                if (kept > m_answerBound) {
                    connection.Abandon(*id);
                    m_cut = true;
                    cutShort = true;
                    return StepEnd{};
                }
                if (!TakeRange(cells, ranged)) {
                    connection.Abandon(*id);
                    return StepEnd{false, DescribeMalformedAnswer()};
                }
            }
        }
        // An answer that brings nothing more of an attribute would leave it short without a word.
        for (const RangedAttribute& attribute : ranged) {
            if (!attribute.complete && !attribute.advanced) {
                return StepEnd{false, DescribeValuesIncomplete(attribute.plainName, base)};
            }
        }
    }
}

bool DirectoryQuery::TakeRange(const RowCells& cells, std::vector<RangedAttribute>& ranged)
{
    RangedAttribute* taking = nullptr;
    for (uint32_t k = 1; k < cells.Count(); ++k) {
        const TaggedCell cell = cells.Cell(k);
        if (cell.tag != kAttributeTag) {
            if (taking != nullptr) {
                taking->more.Add(cell.tag, cell.text);
            }
            continue;
        }
        taking = nullptr;
        const std::optional<ValueRange> range = ParseValueRange(cell.text);
        if (!range) {
            continue;
        }
        for (RangedAttribute& attribute : ranged) {
            if (!attribute.complete && !attribute.advanced && EqualsNoCase(attribute.plainName, range->plainName)) {
                taking = &attribute;
            }
        }
        if (taking == nullptr) {
            continue;
        }
        // A range that does not go on from the values so far would put them out of order.
        if (range->first != taking->next) {
            return false;
        }
        taking->advanced = true;
        taking->complete = !range->last.has_value();
        taking->next = range->last.value_or(taking->next) + 1;
    }
    return true;
}
