// shown_result.h - the answer of the last search as the window shows it: its entries, the order
// they are shown in, the list item of each entry and the export table in that order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "directory/result_table.h"
#include "search/search_rules.h"

/**
 * The entries of a search, first in the order of their distinguished names. An entry with a
 * value gets a list item; one without keeps its (empty) export row only. Sorting by a column
 * orders every entry by its item's text in that column, an entry without item counting as empty,
 * so the export always holds the entries in the order the list shows them.
 */
class ShownResult {
public:
    /// Takes the entries of a search in DN order; the order is by DN again.
    void Set(std::vector<ResultRow> rows, int32_t columnCount);
    /// Forgets the entries and their items (the list was emptied); the export table stays, as the
    /// last search left it.
    void ClearItems();

    /// The texts of the list items, one item per entry with a value, in the shown order.
    std::vector<std::vector<std::string>> ItemTexts() const;
    bool HasItems() const { return !m_itemRows.empty(); }
    /// The distinguished name of each list item, by item index.
    std::vector<std::string> ItemDns() const;

    /// Sorts the entries by a column, from their DN order, so equal texts keep their DN order in
    /// both directions. Returns the new item order (order[k] is the index of the item that comes
    /// to position k); empty when there is nothing to sort. compare(a, b) compares two texts as
    /// the user expects (< 0: a before b).
    std::vector<size_t> SortBy(size_t column, bool ascending, const std::function<std::string(size_t item)>& itemText,
                               const std::function<int(const std::string&, const std::string&)>& compare);

    const ResultTable& ExportTable() const { return m_exportTable; }
    /// Every entry (with or without item) in the shown order.
    std::vector<const ResultRow*> ShownRows() const;

private:
    static constexpr size_t kNoItem = static_cast<size_t>(-1);

    void Arrange(std::vector<size_t> order);

    std::vector<ResultRow> m_rows;  ///< in DN order
    int32_t m_columnCount = 1;
    std::vector<size_t> m_order;     ///< row indexes in the shown order
    std::vector<size_t> m_itemRows;  ///< the row of each list item
    ResultTable m_exportTable;
};
