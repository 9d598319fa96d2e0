// packed_row.h - one row of a ResultTable in a single block: the cell count, the end of each
// cell's text, then the texts one after another.
#pragma once

#include <cstdint>
#include <string_view>

#include "result/tagged_cell.h"

class RowCells;
class RowStore;

/**
 * The cells of one stored row. A row stored whole (from RowCells) takes little more than the room
 * its texts need, in its table's RowStore: each cell's tag is kept as one byte, and a row of less
 * than 64 KiB keeps its count and cell ends in 16 bits. A row grown cell by cell gets a block of its
 * own with room ahead, so that growing it stays cheap; its cells hold their texts whole. An empty
 * row holds no block.
 */
class PackedRow {
public:
    PackedRow() = default;
    /// A row of count empty cells.
    explicit PackedRow(uint32_t count);
    /// The cells, in a block of store (which must outlive the row).
    PackedRow(const RowCells& cells, RowStore& store);
    ~PackedRow();
    /// A copy owns its block.
    PackedRow(const PackedRow& other);
    PackedRow& operator=(const PackedRow& other);
    PackedRow(PackedRow&& other) noexcept;
    PackedRow& operator=(PackedRow&& other) noexcept;

    uint32_t Count() const;
    /// Cell k's tag (empty for a cell set whole) and text; k must be below Count().
    TaggedCell Cell(uint32_t k) const;
    /// Sets cell k to text, adding empty cells up to k. Throws std::bad_alloc or std::length_error
    /// when the row cannot grow.
    void Set(uint32_t k, std::string_view text);

private:
    // An owned block's head: four 32-bit fields, then cellCapacity cell ends, then byteCapacity
    // bytes of whole texts. A block in the store holds exactly its cells: the count, the ends (both
    // 16-bit when narrow, else 32-bit), one tag code per cell, the texts after their tags.
    enum FieldIndex { kCount, kCellCapacity, kUsed, kByteCapacity, kHeadFields };
    static constexpr std::uintptr_t kOwned = 1;   ///< in m_bits: the row deletes its block
    static constexpr std::uintptr_t kNarrow = 2;  ///< in m_bits: a stored block of 16-bit fields
    static constexpr std::uintptr_t kFlags = kOwned | kNarrow;

    char* Block() const { return reinterpret_cast<char*>(m_bits & ~kFlags); }
    bool Owned() const { return (m_bits & kOwned) != 0; }
    bool Narrow() const { return (m_bits & kNarrow) != 0; }
    uint32_t Field(int index) const;
    void SetField(int index, uint32_t value);
    uint32_t End(uint32_t k) const;
    const char* TagsAt() const;
    char* Texts() const;
    /// Takes block as the row's, with flags, deleting an owned one it had.
    void Adopt(char* block, std::uintptr_t flags);
    /// Takes a block of its own holding from's cells whole, cell replaced (when below the count)
    /// holding text instead.
    void TakeWhole(const PackedRow& from, uint32_t replaced, std::string_view text);
    /// A block of its own with room for cells and bytes, holding this row's cells (an owned row's).
    void Reserve(uint32_t cells, uint64_t bytes);

    std::uintptr_t m_bits = 0;  ///< the block's address; kOwned and kNarrow as they hold
};
