// result_table.h - a grid of 8-bit texts addressed by (column, row), with declared counts
// kept apart from the stored cells and a case-folding row sort.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "result/packed_row.h"
#include "result/row_store.h"
#include "result/tagged_cell.h"

class RowCells;

/**
 * A table of texts. Cells are stored row by row as they are set; the row and column counts
 * that readers see are declared separately (SetDimensions / FirstDimensions / AddRows).
 * A cell is seen only inside the declared counts and when it is stored; everything else reads
 * as empty text. Each row keeps its cells in one block (PackedRow), so a large answer costs
 * little more than its texts: the tags of a whole row are kept as codes, not as text. Used on
 * one thread; the access guard only refuses nested use.
 */
class ResultTable {
public:
    ResultTable() = default;

    /// Stores text at (column, row), growing the rows as needed. Declared counts are unchanged.
    /// False when the write hold is refused or an index is negative.
    bool SetCell(int32_t column, int32_t row, std::string text);
    /// Stores a whole row: cell k of cells at column k, replacing what the row held; rows missing
    /// before it are added without cells. Declared counts are unchanged. False when the write
    /// hold is refused, the index is negative or memory runs out.
    bool SetRow(int32_t row, const RowCells& cells);
    /// The cell's text; empty outside the declared counts, for a missing cell, or when refused.
    std::string GetCell(int32_t column, int32_t row) const;
    /// The visible cell's text without a copy, as GetCell gives it, split after the tag it starts
    /// with; valid until the table changes.
    TaggedCell CellView(int32_t column, int32_t row) const;
    /// The cell's length in bytes; -1 outside the declared counts, for a negative index or a missing cell.
    int32_t CellLength(int32_t column, int32_t row) const;
    /// Copies the cell's text and its terminating zero into buffer when it fits (length < size);
    /// otherwise the buffer receives empty text. Always true.
    bool GetCellText(int32_t column, int32_t row, char* buffer, std::size_t bufferSize) const;

    int32_t RowCount() const { return m_lastRow + 1; }
    int32_t ColumnCount() const { return m_lastColumn + 1; }

    /// Declares the counts; false (and no change) for rows < 0 or columns < 1.
    bool SetDimensions(int32_t columns, int32_t rows);
    /// Declares the counts only when the table was never dimensioned and columns > 0, rows >= 0.
    void FirstDimensions(int32_t columns, int32_t rows);
    /// Adds count declared rows once the table is dimensioned; creates no cells.
    void AddRows(int32_t count);
    /// Removes a stored row that has at least one cell; later rows move up and the declared row
    /// count falls by one (not below 0).
    bool RemoveRow(int32_t row);
    /// Sorts rows first..last ascending by the text of column, A-Z folded to a-z, unsigned bytes.
    /// Out-of-range bounds mean the whole declared range. False when the write hold is refused.
    bool SortRows(int32_t column, int32_t firstRow, int32_t lastRow);

    /// Compares two sort keys as SortRows does: negative, 0 or positive.
    static int CompareKeys(std::string_view a, std::string_view b);

private:
    enum class Access { Free, Reading, Writing };
    bool TakeReadHold() const;
    void ReleaseReadHold() const;
    bool TakeWriteHold();
    void ReleaseWriteHold();
    /// Runs write under the write hold; false when the hold is refused or memory runs out.
    bool Write(const std::function<void()>& write);
    std::optional<TaggedCell> StoredCell(int32_t column, int32_t row) const;
    bool Visible(int32_t column, int32_t row) const;
    void Sort(int32_t column, int32_t first, int32_t last);

    RowStore m_store;  ///< the blocks of rows stored whole; declared first, so it goes last
    std::vector<PackedRow> m_rows;
    int32_t m_lastRow = -1;
    int32_t m_lastColumn = -1;
    bool m_dimensioned = false;
    mutable Access m_access = Access::Free;
    mutable int32_t m_readerCount = 0;
};
