// details_text.cpp - the details view's query and text without a window.
#include "search_window/details_text.h"

#include <string_view>

#include "directory/directory_query.h"
#include "directory/result_table.h"
#include "search_window/search_rules.h"

const char* const kDetailsSeparator = " \r\n --------------------------------------------------------\r\n";

namespace {

/// The query's attribute list has room for 100 slots, the last one ending it.
constexpr std::size_t kMaxDetailNames = 99;

}  // namespace

SearchOutcome RunDetailsQuery(DirectoryQuery& query, const SearchInput& input, bool swap,
                              const DetailSlots& detailAttributes, ResultTable& table, int32_t timeLimitSeconds)
{
    std::vector<std::string> names = DetailList(detailAttributes);
    if (names.size() > kMaxDetailNames) {
        names.resize(kMaxDetailNames);
    }
    // With swap ticked the details always filter on "cn", not on the result attribute.
    const std::string filterAttribute = swap ? std::string("cn") : input.searchAttribute;
    query.SetServer(input.server, input.port, 3);
    query.SetLimits(timeLimitSeconds, kSearchMaxEntries);
    const bool succeeded =
        query.SearchForAttributes(input.baseDn, filterAttribute, SearchValue(input, swap), names, table);
    table.SortRows(0, -1, -1);
    return OutcomeOf(query, succeeded);
}

std::string DetailsText(const ResultTable& table, const std::optional<std::set<std::string>>& shownDns)
{
    const std::string_view separator = kDetailsSeparator;
    std::string text;
    const int32_t rowCount = table.RowCount();
    const int32_t columnCount = table.ColumnCount();
    for (int32_t r = 0; r < rowCount; ++r) {
        if (shownDns.has_value()) {
            // Entries are chosen by their distinguished name, not by their position, because
            // entries without a shown value have no list item and would shift every position.
            std::string_view dn = table.CellView(0, r);
            if (dn.starts_with(kEntryTag)) {
                dn.remove_prefix(kEntryTag.size());
            }
            if (shownDns->count(std::string(dn)) == 0) {
                continue;
            }
        }
        for (int32_t c = 0; c < columnCount; ++c) {
            const std::string_view cell = table.CellView(c, r);
            if (cell.starts_with(kValueTag)) {
                text.append(cell.substr(kValueTag.size()));
                text.append("\r\n");
            }
        }
        text.append(separator);
    }
    return text;
}
