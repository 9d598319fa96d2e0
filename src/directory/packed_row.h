// packed_row.h - one row of a ResultTable in a single block: the cell count, the end of each
// cell's text, then the texts one after another.
#pragma once

#include <cstdint>
#include <string_view>

class RowCells;
class RowStore;

/**
 * The cells of one stored row. A row stored whole (from RowCells) takes exactly the room its
 * texts need, in its table's RowStore; a row grown cell by cell gets a block of its own with room
 * ahead, so that growing it stays cheap. An empty row holds no block.
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

    uint32_t Count() const { return Block() != nullptr ? Field(kCount) : 0; }
    /// Cell k's text; k must be below Count().
    std::string_view Cell(uint32_t k) const;
    /// Sets cell k to text, adding empty cells up to k. Throws std::bad_alloc or std::length_error
    /// when the row cannot grow.
    void Set(uint32_t k, std::string_view text);

private:
    // An owned block's head: four 32-bit fields, then cellCapacity cell ends, then byteCapacity
    // bytes. A block in the store holds exactly its cells: the count, the ends, the texts.
    enum FieldIndex { kCount, kCellCapacity, kUsed, kByteCapacity, kHeadFields };
    static constexpr std::uintptr_t kOwned = 1;  ///< in m_bits: the row deletes its block

    char* Block() const { return reinterpret_cast<char*>(m_bits & ~kOwned); }
    bool Owned() const { return (m_bits & kOwned) != 0; }
    uint32_t Field(int index) const;
    void SetField(int index, uint32_t value);
    char* EndsAt() const;
    uint32_t End(uint32_t k) const;
    uint32_t CellCapacity() const;
    uint32_t Used() const;
    uint32_t ByteCapacity() const;
    char* Texts() const;
    /// Takes block as the row's, deleting an owned one it had.
    void Adopt(char* block, bool owned);
    /// A block of its own with room for cells and bytes, holding this row's cells.
    void Reserve(uint32_t cells, uint64_t bytes);

    std::uintptr_t m_bits = 0;  ///< the block's address; kOwned when the row owns it
};
