// shown_result.h - the answer of the last search as the window shows it: its entries, the order
// they are shown in, the list item of each entry and the labels edited on the list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "result/result_table.h"
#include "result/result_columns.h"

class WorkLimit;

/**
 * The one laid-out view of a search's answer. The entries, first in the order of their
 * distinguished names, stay in the search's own table, each value as the server sent it: the texts
 * the list, the copy and the exports show are read from it, never copied, except that a cell of
 * several values or of a binary value gets the text it shows made once. An entry with a value gets a list item; one
 * without keeps its (empty) export row only. A label edited on the list stays with its entry. Sorting by a column
 * orders every entry by its item's text in that column, an entry without item counting as empty, so the exports always
 * hold the entries in the order the list shows them.
 */
class ShownResult {
public:
    /// Takes the table of a search sorted by DN and lays it out in columns; the order is by DN.
    /// Linear in the table's cells and the layout's cells.
    void Set(ResultTable table, const ResultColumns& columns);
    /// As Set, each cell read a step of limit: false, and nothing kept (as after Clear), when the
    /// limit ended the layout.
    bool Set(ResultTable table, const ResultColumns& columns, WorkLimit& limit);
    /// Forgets the entries' items and their edited labels (the list was emptied); the export
    /// stays, as the last search left it.
    void ClearItems();
    /// Forgets everything, the export included (a new search is under way).
    void Clear();

    bool HasItems() const { return ItemCount() > 0; }
    /// The entries laid out, with or without item.
    size_t EntryCount() const { return m_order.size(); }
    /// The list items, one per entry with a value, in the shown order.
    size_t ItemCount() const;
    /// The text of an item's column as the list shows it (values joined by ", ", binary ones in their
    /// readable form, or the label edited in column 0); empty beyond the items and columns.
    std::string_view ItemText(size_t item, size_t column) const;
    /// Column 0 of an item shows label from now on (until the items are cleared); ignored beyond
    /// the items.
    void SetLabel(size_t item, std::string label);
    /// The distinguished name of each list item, by item index.
    std::vector<std::string> ItemDns() const;

    /// The headings of the columns: as asked for, "*" and "+" put in place by the names of the
    /// answer (see ExpandAttributeGroups).
    const std::vector<std::string>& Headings() const { return m_columns.headings; }
    /// The headings as the list and the copy show them: each in its readable form (ReadableText),
    /// since a name of the answer may come in bytes that are not UTF-8.
    std::vector<std::string> ShownHeadings() const;
    /// The columns of the layout.
    size_t ColumnCount() const { return m_columnCount; }
    /// The table row of the entry shown at position entry (below EntryCount()).
    uint32_t EntryRow(size_t entry) const { return m_order[entry]; }
    /// The distinguished name of a table row.
    std::string_view RowDn(uint32_t row) const;
    /// The laid-out text of a row's column (values joined by ", ", binary ones in their readable
    /// form), whatever label was edited.
    std::string_view RowText(uint32_t row, size_t column) const { return CellText(row, column); }
    /// Calls visit with every value that stands in a column, by table row, in the server's order,
    /// each with the bytes the server sent.
    void EachValue(const std::function<void(uint32_t row, size_t column, std::string_view value)>& visit) const;

    /// Makes the sort key of a text, whose byte order is the order the user expects, or gives
    /// nullopt when the text's own bytes are its key.
    using KeyOf = std::function<std::optional<std::string>(std::string_view text)>;
    /// Sorts the entries by a column, from their DN order, so equal keys keep their DN order in
    /// both directions. An item sorts by the text it shows there (its edited label included); an
    /// entry without item sorts as the empty text. Keys are made only where a text is not its
    /// own. followed holds item indexes and receives where those items went (the caller's
    /// selection follows them). False, and nothing changed, when there is nothing to sort.
    bool SortBy(size_t column, bool ascending, const KeyOf& keyOf, std::vector<uint32_t>& followed);

private:
    /// A reference to the text of one cell: no value, the value cell of the table at that column,
    /// or (with kJoined set) the index of a joined text.
    static constexpr uint32_t kNoValue = 0;
    static constexpr uint32_t kJoined = 0x80000000u;

    std::string_view CellText(size_t row, size_t column) const;
    /// The layout of Set, false when limit ended it (what it made is left for Clear).
    bool LayOut(ResultTable table, const ResultColumns& columns, WorkLimit& limit);
    /// Commonly every entry has exactly one value in each column, in the same cells: then one
    /// reference per column serves every row, and every entry has an item. False (and nothing
    /// kept) otherwise, or when limit ended the walk.
    bool PlaceInSameCells(size_t rows, WorkLimit& limit);
    /// The row of a list item: the row at its position when every entry has an item.
    uint32_t ItemRow(size_t item) const { return m_everyRowAnItem ? m_order[item] : m_itemRows[item]; }

    ResultTable m_table;                  ///< the entries in DN order
    ResultColumns m_columns;              ///< the columns the table is laid out in
    size_t m_columnCount = 0;             ///< columns of the layout
    std::vector<uint32_t> m_cells;        ///< row * m_columnCount + column: the cell's reference
    std::vector<uint32_t> m_columnCells;  ///< instead of m_cells when every row's reference is the same, by column
    std::vector<std::string> m_joined;    ///< texts of cells of several values
    std::vector<uint32_t> m_order;        ///< row indexes in the shown order
    std::vector<uint32_t> m_itemRows;     ///< the row of each list item, in the shown order (unless every row has one)
    bool m_everyRowAnItem = false;        ///< every entry has an item: m_order gives their rows
    bool m_itemsShown = false;
    std::map<uint32_t, std::string> m_labels;  ///< labels edited in column 0, by table row
};
