// details_text.cpp - the details view's query and text without a window.
#include "search/details_text.h"

#include <string_view>

#include "directory/directory_query.h"
#include "result/result_table.h"
#include "search/filter_value.h"
#include "search/search_filter.h"
#include "search/search_rules.h"
#include "result/work_limit.h"

std::vector<std::string> DetailNames(const DetailSlots& detailAttributes)
{
    std::vector<std::string> names = DetailList(detailAttributes);
    if (names.size() > kMaxDetailNames) {
        names.resize(kMaxDetailNames);
    }
    return names;
}

SearchOutcome RunDetailsQuery(DirectoryQuery& query, const SearchInput& input, bool swap,
                              const DetailSlots& detailAttributes, ResultTable& table, int32_t timeLimitSeconds,
                              bool withPhotos)
{
    const std::vector<std::string> names =
        withPhotos ? WithPhotoAttributes(DetailNames(detailAttributes)) : DetailNames(detailAttributes);
    // With swap ticked the details always filter on "cn", not on the result attribute.
    const std::string filterAttribute = swap ? std::string("cn") : input.searchAttribute;
    query.SetServer(input.server, input.port, 3);
    query.SetStartTls(input.startTls);
    query.SetLimits(timeLimitSeconds, input.maxEntries);
    const std::string filter = AttributeFilter(filterAttribute, EscapeFilterValue(SearchValue(input, swap)));
    const bool succeeded = query.SearchWithFilter(input.baseDn, filter, names, table);
    table.SortRows(0, -1, -1);
    return OutcomeOf(query, succeeded);
}

DetailsAnswer DetailsQueryAndText(DirectoryQuery& query, const SearchInput& input, bool swap,
                                  const DetailSlots& detailAttributes,
                                  const std::optional<std::set<std::string>>& shownDns, DetailsForm form,
                                  int32_t timeLimitSeconds, bool withPhotos)
{
    WorkLimit limit = LimitOfSearch(query, timeLimitSeconds);
    ResultTable table;
    DetailsAnswer answer;
    answer.outcome = RunDetailsQuery(query, input, swap, detailAttributes, table, timeLimitSeconds, withPhotos);
    // A failed query keeps the text of what it read, as a stopped one does.
    std::optional<std::string> text = DetailsText(table, DetailNames(detailAttributes), shownDns, form, limit);
    if (!text) {
        answer.outcome = answer.outcome.failed ? answer.outcome : EndedByLimit(limit);
        return answer;
    }
    answer.text = std::move(*text);
    answer.entries = table.RowCount();
    if (withPhotos) {
        answer.photos = EntryPhotos(table, shownDns);
    }
    return answer;
}
