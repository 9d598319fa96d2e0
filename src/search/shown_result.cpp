// shown_result.cpp - ShownResult: entries in DN or column order, their items and the export.
#include "search/shown_result.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "search/export_text.h"

void ShownResult::Set(ResultTable table, const QueryChoice& choice)
{
    Clear();
    m_table = std::move(table);
    m_choice = choice;
    m_columnCount = static_cast<size_t>(std::max(choice.columnCount(), 0));
    const size_t rows = static_cast<size_t>(std::max(m_table.RowCount(), 0));
    m_cells.assign(rows * m_columnCount, kNoValue);
    // A cell of one value reads it from the table; only a cell of several values has a text made.
    PlaceValues(m_table, m_choice, [this](size_t row, size_t k, int32_t cell, std::string_view value) {
        uint32_t& ref = m_cells[row * m_columnCount + k];
        if (ref == kNoValue) {
            ref = static_cast<uint32_t>(cell);
            return;
        }
        if ((ref & kJoined) == 0) {
            std::string_view first = m_table.CellView(static_cast<int32_t>(ref), static_cast<int32_t>(row));
            first.remove_prefix(kValueTag.size());
            ref = kJoined | static_cast<uint32_t>(m_joined.size());
            m_joined.emplace_back(first);
        }
        m_joined[ref & ~kJoined].append(kValueJoin).append(value);
    });
    m_order.resize(rows);
    std::iota(m_order.begin(), m_order.end(), uint32_t{0});
    for (uint32_t row = 0; row < rows; ++row) {
        const auto first = m_cells.begin() + static_cast<std::ptrdiff_t>(row * m_columnCount);
        if (std::any_of(first, first + static_cast<std::ptrdiff_t>(m_columnCount),
                        [](uint32_t ref) { return ref != kNoValue; })) {
            m_itemRows.push_back(row);
        }
    }
    m_itemRows.shrink_to_fit();
    m_itemsShown = true;
}

void ShownResult::Clear()
{
    m_table = ResultTable();
    m_choice = QueryChoice();
    m_columnCount = 0;
    m_cells = {};
    m_joined = {};
    m_order = {};
    m_itemRows = {};
    m_itemsShown = false;
}

std::string_view ShownResult::CellText(size_t row, size_t column) const
{
    if (column >= m_columnCount) {
        return {};
    }
    const uint32_t ref = m_cells[row * m_columnCount + column];
    if (ref == kNoValue) {
        return {};
    }
    if ((ref & kJoined) != 0) {
        return m_joined[ref & ~kJoined];
    }
    std::string_view value = m_table.CellView(static_cast<int32_t>(ref), static_cast<int32_t>(row));
    value.remove_prefix(kValueTag.size());
    return value;
}

std::string_view ShownResult::ItemText(size_t item, size_t column) const
{
    return item < ItemCount() ? CellText(m_itemRows[item], column) : std::string_view();
}

std::vector<std::string> ShownResult::ItemDns() const
{
    std::vector<std::string> dns;
    dns.reserve(ItemCount());
    for (size_t item = 0; item < ItemCount(); ++item) {
        dns.emplace_back(EntryDn(m_table, static_cast<int32_t>(m_itemRows[item])));
    }
    return dns;
}

std::vector<size_t> ShownResult::SortBy(size_t column, bool ascending, const std::map<size_t, std::string>& edited,
                                        const KeyOf& keyOf)
{
    if (!m_itemsShown || m_order.empty() || column >= m_columnCount) {
        return {};
    }
    const size_t rows = m_order.size();
    const auto noItem = static_cast<uint32_t>(-1);
    std::vector<uint32_t> itemOfRow(rows, noItem);
    for (size_t item = 0; item < m_itemRows.size(); ++item) {
        itemOfRow[m_itemRows[item]] = static_cast<uint32_t>(item);
    }
    // What an entry shows in the column: its item's edited text or its own; none without item.
    auto textOf = [&](uint32_t row) -> std::string_view {
        const uint32_t item = itemOfRow[row];
        if (item == noItem) {
            return {};
        }
        if (!edited.empty()) {
            if (const auto found = edited.find(item); found != edited.end()) {
                return found->second;
            }
        }
        return CellText(row, column);
    };
    // The texts are compared in place unless one of them needs a key made: then every entry gets
    // its key (its text where that is its own).
    std::vector<std::string> keys;
    bool ownKeys = true;
    for (uint32_t row = 0; row < rows && ownKeys; ++row) {
        ownKeys = !keyOf(textOf(row)).has_value();
    }
    if (!ownKeys) {
        keys.reserve(rows);
        for (uint32_t row = 0; row < rows; ++row) {
            std::optional<std::string> key = keyOf(textOf(row));
            keys.push_back(key ? std::move(*key) : std::string(textOf(row)));
        }
    }
    auto keyOfRow = [&](uint32_t row) {
        return ownKeys ? textOf(row) : std::string_view(keys[row]);
    };
    // From DN order, stable: entries with equal keys stay in DN order in both directions.
    std::iota(m_order.begin(), m_order.end(), uint32_t{0});
    std::stable_sort(m_order.begin(), m_order.end(), [&](uint32_t a, uint32_t b) {
        return ascending ? keyOfRow(a) < keyOfRow(b) : keyOfRow(b) < keyOfRow(a);
    });

    std::vector<size_t> itemOrder;
    itemOrder.reserve(m_itemRows.size());
    m_itemRows.clear();
    for (uint32_t row : m_order) {
        if (itemOfRow[row] != noItem) {
            itemOrder.push_back(itemOfRow[row]);
            m_itemRows.push_back(row);
        }
    }
    return itemOrder;
}

std::string ShownResult::ExportText() const
{
    std::string bytes;
    for (uint32_t row : m_order) {
        for (size_t k = 0; k < m_columnCount; ++k) {
            AppendExportCell(bytes, CellText(row, k));
            if (k + 1 != m_columnCount) {
                bytes += m_table.Separator();
            }
        }
        bytes += kExportLineEnd;
    }
    return bytes;
}

ResultTable ShownResult::ExportTable() const
{
    ResultTable table;
    table.SetDimensions(static_cast<int32_t>(m_columnCount), static_cast<int32_t>(m_order.size()));
    for (size_t r = m_order.size(); r-- > 0;) {
        for (size_t k = 0; k < m_columnCount; ++k) {
            table.SetCell(static_cast<int32_t>(k), static_cast<int32_t>(r), std::string(CellText(m_order[r], k)));
        }
    }
    return table;
}

std::vector<ResultRow> ShownResult::ShownRows() const
{
    std::vector<ResultRow> byDn = ResultRows(m_table, m_choice);
    std::vector<ResultRow> shown;
    shown.reserve(m_order.size());
    for (uint32_t row : m_order) {
        shown.push_back(std::move(byDn[row]));
    }
    return shown;
}
