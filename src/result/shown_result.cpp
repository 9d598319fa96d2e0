// shown_result.cpp - ShownResult: entries in DN or column order, their items and edited labels.
#include "result/shown_result.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "result/binary_value.h"
#include "result/readable_text.h"
#include "result/result_layout.h"
#include "result/work_limit.h"

void ShownResult::Set(ResultTable table, const ResultColumns& columns)
{
    WorkLimit none;
    Set(std::move(table), columns, none);
}

bool ShownResult::Set(ResultTable table, const ResultColumns& columns, WorkLimit& limit)
{
    Clear();
    if (!LayOut(std::move(table), columns, limit)) {
        // Half a layout would show entries without values they have: nothing is kept.
        Clear();
        return false;
    }
    return true;
}

bool ShownResult::LayOut(ResultTable table, const ResultColumns& columns, WorkLimit& limit)
{
    m_table = std::move(table);
    // "*" and "+" stand for the attributes the answer holds: a column for each.
    std::optional<ResultColumns> expanded = ExpandAttributeGroups(m_table, columns, limit);
    if (!expanded.has_value()) {
        return false;
    }
    m_columns = std::move(*expanded);
    m_columnCount = static_cast<size_t>(std::max(m_columns.columnCount(), 0));
    const size_t rows = static_cast<size_t>(std::max(m_table.RowCount(), 0));
    m_order.resize(rows);
    std::iota(m_order.begin(), m_order.end(), uint32_t{0});
    m_itemsShown = true;
    if (PlaceInSameCells(rows, limit)) {
        m_everyRowAnItem = true;
        return true;
    }
    if (limit.Ended() != WorkLimit::End::None) {
        return false;
    }
    m_cells.assign(rows * m_columnCount, kNoValue);
    // A cell of one text value reads it from the table; only a cell of several values or of a binary
    // value has a text made, its binary values in their readable form.
    const bool placed = PlaceValues(
        m_table, m_columns,
        [this](size_t row, size_t k, int32_t cell, std::string_view attribute, std::string_view value) {
            uint32_t& ref = m_cells[row * m_columnCount + k];
            const bool binary = IsBinaryValue(attribute, value);
            if (ref == kNoValue && !binary) {
                ref = static_cast<uint32_t>(cell);
                return true;
            }
            if (ref == kNoValue) {
                ref = kJoined | static_cast<uint32_t>(m_joined.size());
                m_joined.emplace_back();
            } else {
                if ((ref & kJoined) == 0) {
                    const std::string_view first =
                        m_table.CellView(static_cast<int32_t>(ref), static_cast<int32_t>(row)).text;
                    ref = kJoined | static_cast<uint32_t>(m_joined.size());
                    m_joined.emplace_back(first);
                }
                m_joined[ref & ~kJoined].append(kValueJoin);
            }
            std::string& text = m_joined[ref & ~kJoined];
            if (binary) {
                text.append(ReadableBinary(attribute, value));
            } else {
                text.append(value);
            }
            return true;
        },
        limit);
    if (!placed) {
        return false;
    }
    for (uint32_t row = 0; row < rows; ++row) {
        if (limit.Reached()) {
            return false;
        }
        const auto first = m_cells.begin() + static_cast<std::ptrdiff_t>(row * m_columnCount);
        if (std::any_of(first, first + static_cast<std::ptrdiff_t>(m_columnCount),
                        [](uint32_t ref) { return ref != kNoValue; })) {
            m_itemRows.push_back(row);
        }
    }
    // When every entry shows a value, the shown order is the items' order as well.
    m_everyRowAnItem = m_itemRows.size() == rows;
    if (m_everyRowAnItem) {
        m_itemRows = {};
    }
    m_itemRows.shrink_to_fit();
    return true;
}

bool ShownResult::PlaceInSameCells(size_t rows, WorkLimit& limit)
{
    if (rows == 0 || m_columnCount == 0) {
        return false;
    }
    constexpr size_t kNoRow = static_cast<size_t>(-1);
    std::vector<uint32_t> cells(m_columnCount, kNoValue);
    std::vector<size_t> placed(m_columnCount, 0);
    std::vector<size_t> lastRow(m_columnCount, kNoRow);
    bool same = true;
    // The walk ends at the first value that breaks the pattern: a column skipped in a row, a second
    // value in the column, a value in another cell than the first row's, or a binary value (whose
    // shown text is not its bytes).
    const bool walked = PlaceValues(
        m_table, m_columns,
        [&](size_t row, size_t k, int32_t cell, std::string_view attribute, std::string_view value) {
            const auto at = static_cast<uint32_t>(cell);
            same = (lastRow[k] == kNoRow ? row == 0 : lastRow[k] + 1 == row) &&
                   (cells[k] == kNoValue || cells[k] == at) && !IsBinaryValue(attribute, value);
            cells[k] = at;
            lastRow[k] = row;
            ++placed[k];
            return same;
        },
        limit);
    same = walked && same && std::all_of(placed.begin(), placed.end(), [rows](size_t count) { return count == rows; });
    if (same) {
        m_columnCells = std::move(cells);
    }
    return same;
}

void ShownResult::Clear()
{
    m_table = ResultTable();
    m_columns = ResultColumns();
    m_columnCount = 0;
    m_cells = {};
    m_columnCells = {};
    m_joined = {};
    m_order = {};
    m_itemRows = {};
    m_everyRowAnItem = false;
    m_itemsShown = false;
    m_labels.clear();
}

void ShownResult::ClearItems()
{
    m_itemsShown = false;
    m_labels.clear();
}

std::string_view ShownResult::CellText(size_t row, size_t column) const
{
    if (column >= m_columnCount) {
        return {};
    }
    const uint32_t ref = m_cells.empty() ? m_columnCells[column] : m_cells[row * m_columnCount + column];
    if (ref == kNoValue) {
        return {};
    }
    if ((ref & kJoined) != 0) {
        return m_joined[ref & ~kJoined];
    }
    return m_table.CellView(static_cast<int32_t>(ref), static_cast<int32_t>(row)).text;
}

std::string_view ShownResult::ItemText(size_t item, size_t column) const
{
    if (item >= ItemCount()) {
        return {};
    }
    const uint32_t row = ItemRow(item);
    if (column == 0 && !m_labels.empty()) {
        if (const auto found = m_labels.find(row); found != m_labels.end()) {
            return found->second;
        }
    }
    return CellText(row, column);
}

void ShownResult::SetLabel(size_t item, std::string label)
{
    if (item < ItemCount()) {
        m_labels[ItemRow(item)] = std::move(label);
    }
}

std::vector<std::string> ShownResult::ShownHeadings() const
{
    std::vector<std::string> headings;
    headings.reserve(m_columns.headings.size());
    for (const std::string& heading : m_columns.headings) {
        headings.push_back(ReadableText(heading));
    }
    return headings;
}

std::string_view ShownResult::RowDn(uint32_t row) const
{
    return EntryDn(m_table, static_cast<int32_t>(row));
}

void ShownResult::EachValue(const std::function<void(uint32_t row, size_t column, std::string_view value)>& visit) const
{
    PlaceValues(m_table, m_columns, [&visit](size_t row, size_t k, int32_t, std::string_view, std::string_view value) {
        visit(static_cast<uint32_t>(row), k, value);
        return true;
    });
}

std::vector<std::string> ShownResult::ItemDns() const
{
    std::vector<std::string> dns;
    dns.reserve(ItemCount());
    for (size_t item = 0; item < ItemCount(); ++item) {
        dns.emplace_back(EntryDn(m_table, static_cast<int32_t>(ItemRow(item))));
    }
    return dns;
}

size_t ShownResult::ItemCount() const
{
    if (!m_itemsShown) {
        return 0;
    }
    return m_everyRowAnItem ? m_order.size() : m_itemRows.size();
}

bool ShownResult::SortBy(size_t column, bool ascending, const KeyOf& keyOf, std::vector<uint32_t>& followed)
{
    if (!m_itemsShown || m_order.empty() || column >= m_columnCount) {
        return false;
    }
    const size_t rows = m_order.size();
    // The rows of the followed items, and which rows have no item (only when some lack one).
    static const std::map<uint32_t, std::string> kNoLabels;
    const std::map<uint32_t, std::string>& editedRows = column == 0 ? m_labels : kNoLabels;
    constexpr uint32_t kGone = static_cast<uint32_t>(-1);
    for (uint32_t& item : followed) {
        item = item < ItemCount() ? ItemRow(item) : kGone;
    }
    std::vector<bool> itemless;
    if (!m_everyRowAnItem) {
        itemless.assign(rows, true);
        for (const uint32_t row : m_itemRows) {
            itemless[row] = false;
        }
    }
    // What an entry shows in the column: its item's edited text or its own; none without item.
    auto textOf = [&](uint32_t row) -> std::string_view {
        if (!itemless.empty() && itemless[row]) {
            return {};
        }
        if (!editedRows.empty()) {
            if (const auto found = editedRows.find(row); found != editedRows.end()) {
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
    // From DN order, stable: entries with equal keys stay in DN order in both directions. A merge
    // sort, since an answer often arrives nearly in the order of a column already.
    std::iota(m_order.begin(), m_order.end(), uint32_t{0});
    std::stable_sort(m_order.begin(), m_order.end(), [&](uint32_t a, uint32_t b) {
        return ascending ? keyOfRow(a) < keyOfRow(b) : keyOfRow(b) < keyOfRow(a);
    });
    if (!m_everyRowAnItem) {
        m_itemRows.clear();
        for (const uint32_t row : m_order) {
            if (!itemless[row]) {
                m_itemRows.push_back(row);
            }
        }
    }
    // Where the followed items went: their rows looked up by position, in row order.
    std::vector<std::pair<uint32_t, size_t>> byRow;  // row, index in followed
    for (size_t i = 0; i < followed.size(); ++i) {
        if (followed[i] != kGone) {
            byRow.emplace_back(followed[i], i);
        }
    }
    std::sort(byRow.begin(), byRow.end());
    for (size_t item = 0; item < ItemCount() && !byRow.empty(); ++item) {
        const uint32_t row = ItemRow(item);
        auto found = std::lower_bound(byRow.begin(), byRow.end(), std::make_pair(row, size_t{0}));
        for (; found != byRow.end() && found->first == row; ++found) {
            followed[found->second] = static_cast<uint32_t>(item);
        }
    }
    return true;
}
