// shown_result.cpp - ShownResult: entries in DN or column order, their items and the export table.
#include "search/shown_result.h"

#include <algorithm>
#include <numeric>
#include <utility>

void ShownResult::Set(std::vector<ResultRow> rows, int32_t columnCount)
{
    m_rows = std::move(rows);
    m_columnCount = columnCount;
    std::vector<size_t> order(m_rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    Arrange(std::move(order));
}

void ShownResult::ClearItems()
{
    m_rows.clear();
    m_order.clear();
    m_itemRows.clear();
}

void ShownResult::Arrange(std::vector<size_t> order)
{
    m_order = std::move(order);
    m_itemRows.clear();
    for (size_t row : m_order) {
        if (m_rows[row].hasValue)
            m_itemRows.push_back(row);
    }
    if (std::is_sorted(m_order.begin(), m_order.end())) {
        m_exportTable = MakeExportTable(m_rows, m_columnCount);  // DN order: no copy needed
        return;
    }
    std::vector<ResultRow> ordered;
    ordered.reserve(m_order.size());
    for (size_t row : m_order)
        ordered.push_back(m_rows[row]);
    m_exportTable = MakeExportTable(ordered, m_columnCount);
}

std::vector<std::vector<std::string>> ShownResult::ItemTexts() const
{
    std::vector<std::vector<std::string>> items;
    items.reserve(m_itemRows.size());
    for (size_t row : m_itemRows)
        items.push_back(m_rows[row].values);
    return items;
}

std::vector<const ResultRow*> ShownResult::ShownRows() const
{
    std::vector<const ResultRow*> rows;
    rows.reserve(m_order.size());
    for (size_t row : m_order)
        rows.push_back(&m_rows[row]);
    return rows;
}

std::vector<std::string> ShownResult::ItemDns() const
{
    std::vector<std::string> dns;
    dns.reserve(m_itemRows.size());
    for (size_t row : m_itemRows)
        dns.push_back(m_rows[row].dn);
    return dns;
}

std::vector<size_t> ShownResult::SortBy(size_t column, bool ascending,
                                        const std::function<std::string(size_t item)>& itemText,
                                        const std::function<int(const std::string&, const std::string&)>& compare)
{
    if (m_rows.empty() || column >= static_cast<size_t>(m_columnCount))
        return {};

    // The key of an entry is what its item shows (an edited label included); an entry without
    // item sorts as an empty text.
    std::vector<std::string> keys(m_rows.size());
    std::vector<size_t> itemOfRow(m_rows.size(), kNoItem);
    for (size_t item = 0; item < m_itemRows.size(); ++item) {
        itemOfRow[m_itemRows[item]] = item;
        keys[m_itemRows[item]] = itemText(item);
    }
    // From DN order, stable: entries with equal texts stay in DN order in both directions.
    std::vector<size_t> order(m_rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int result = compare(keys[a], keys[b]);
        return ascending ? result < 0 : result > 0;
    });
    Arrange(std::move(order));

    std::vector<size_t> itemOrder;
    itemOrder.reserve(m_itemRows.size());
    for (size_t row : m_itemRows)
        itemOrder.push_back(itemOfRow[row]);
    return itemOrder;
}
