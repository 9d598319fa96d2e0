// packed_row.h - one row of a ResultTable in a single block: the cell count, the end of each
// cell's text, then the texts one after another.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

class RowCells;

/**
 * The cells of one stored row. A row stored whole (from RowCells) takes exactly the room its
 * texts need; a row grown cell by cell at its end gets room ahead, so that growing it stays cheap.
 * An empty row holds no block.
 */
class PackedRow {
public:
    PackedRow() = default;
    /// A row of count empty cells.
    explicit PackedRow(uint32_t count);
    explicit PackedRow(const RowCells& cells);
    PackedRow(const PackedRow& other);
    PackedRow& operator=(const PackedRow& other);
    PackedRow(PackedRow&&) noexcept = default;
    PackedRow& operator=(PackedRow&&) noexcept = default;

    uint32_t Count() const { return m_block ? Field(kCount) : 0; }
    /// Cell k's text; k must be below Count().
    std::string_view Cell(uint32_t k) const;
    /// Sets cell k to text, adding empty cells up to k. Throws std::bad_alloc or std::length_error
    /// when the row cannot grow.
    void Set(uint32_t k, std::string_view text);

private:
    // The block's head: four 32-bit fields, then cellCapacity cell ends, then byteCapacity bytes.
    enum FieldIndex { kCount, kCellCapacity, kUsed, kByteCapacity, kHeadFields };

    uint32_t Field(int index) const;
    void SetField(int index, uint32_t value);
    uint32_t End(uint32_t k) const;
    char* Texts() const;
    /// A new block with room for cells and bytes, holding this row's cells.
    void Reserve(uint32_t cells, uint64_t bytes);

    std::unique_ptr<char[]> m_block;
};
