// details_text.cpp - the details view's query and text without a window.
#include "search/details_text.h"

#include <string_view>

#include "directory/directory_query.h"
#include "directory/result_table.h"
#include "search/filter_value.h"
#include "search/search_filter.h"
#include "search/search_rules.h"

namespace {

/// The query's attribute list has room for 100 slots, the last one ending it.
constexpr std::size_t kMaxDetailNames = 99;

}  // namespace

std::vector<std::string> DetailNames(const DetailSlots& detailAttributes)
{
    std::vector<std::string> names = DetailList(detailAttributes);
    if (names.size() > kMaxDetailNames) {
        names.resize(kMaxDetailNames);
    }
    return names;
}

SearchOutcome RunDetailsQuery(DirectoryQuery& query, const SearchInput& input, bool swap,
                              const DetailSlots& detailAttributes, ResultTable& table, int32_t timeLimitSeconds)
{
    const std::vector<std::string> names = DetailNames(detailAttributes);
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
