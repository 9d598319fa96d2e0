// packed_row.cpp - PackedRow: a row's cells in one block.
#include "directory/packed_row.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>

#include "directory/row_cells.h"
#include "directory/row_store.h"

namespace {

constexpr std::size_t kFieldBytes = sizeof(uint32_t);
constexpr uint64_t kMostBytes = std::numeric_limits<uint32_t>::max();

uint32_t Load(const char* at)
{
    uint32_t value = 0;
    std::memcpy(&value, at, kFieldBytes);
    return value;
}

void StoreAt(char* at, uint32_t value)
{
    std::memcpy(at, &value, kFieldBytes);
}

}  // namespace

PackedRow::PackedRow(uint32_t count)
{
    if (count == 0) {
        return;
    }
    Reserve(count, 0);
    for (uint32_t k = 0; k < count; ++k) {
        StoreAt(EndsAt() + k * kFieldBytes, 0);
    }
    SetField(kCount, count);
}

PackedRow::PackedRow(const RowCells& cells, RowStore& store)
{
    const uint32_t count = cells.Count();
    if (count == 0) {
        return;
    }
    // Stored exactly: the count alone heads the cell ends, the rest follows from them.
    const std::string_view bytes = cells.Bytes();
    const std::size_t head = (1 + static_cast<std::size_t>(count)) * kFieldBytes;
    Adopt(store.Allocate(head + bytes.size()), false);
    SetField(kCount, count);
    std::memcpy(EndsAt(), cells.Ends().data(), count * kFieldBytes);
    std::memcpy(Texts(), bytes.data(), bytes.size());
}

PackedRow::~PackedRow()
{
    Adopt(nullptr, false);
}

PackedRow::PackedRow(const PackedRow& other)
{
    *this = other;
}

PackedRow& PackedRow::operator=(const PackedRow& other)
{
    if (this == &other) {
        return *this;
    }
    if (other.Block() == nullptr) {
        Adopt(nullptr, false);
        return *this;
    }
    const uint32_t count = other.Count();
    const uint32_t used = other.Used();
    std::unique_ptr<char[]> block(new char[(kHeadFields + static_cast<std::size_t>(count)) * kFieldBytes + used]);
    std::memcpy(block.get() + kHeadFields * kFieldBytes, other.EndsAt(), count * kFieldBytes);
    std::memcpy(block.get() + (kHeadFields + count) * kFieldBytes, other.Texts(), used);
    Adopt(block.release(), true);
    SetField(kCount, count);
    SetField(kCellCapacity, count);
    SetField(kUsed, used);
    SetField(kByteCapacity, used);
    return *this;
}

PackedRow::PackedRow(PackedRow&& other) noexcept : m_bits(other.m_bits)
{
    other.m_bits = 0;
}

PackedRow& PackedRow::operator=(PackedRow&& other) noexcept
{
    if (this != &other) {
        Adopt(nullptr, false);
        m_bits = other.m_bits;
        other.m_bits = 0;
    }
    return *this;
}

void PackedRow::Adopt(char* block, bool owned)
{
    if ((m_bits & kOwned) != 0) {
        delete[] Block();
    }
    m_bits = reinterpret_cast<std::uintptr_t>(block) | (owned ? kOwned : 0);
}

uint32_t PackedRow::Field(int index) const
{
    return Load(Block() + static_cast<std::size_t>(index) * kFieldBytes);
}

void PackedRow::SetField(int index, uint32_t value)
{
    StoreAt(Block() + static_cast<std::size_t>(index) * kFieldBytes, value);
}

char* PackedRow::EndsAt() const
{
    return Block() + (Owned() ? kHeadFields : 1) * kFieldBytes;
}

uint32_t PackedRow::End(uint32_t k) const
{
    return Load(EndsAt() + k * kFieldBytes);
}

uint32_t PackedRow::CellCapacity() const
{
    return Owned() ? Field(kCellCapacity) : Count();
}

uint32_t PackedRow::Used() const
{
    if (Owned()) {
        return Field(kUsed);
    }
    const uint32_t count = Count();
    return count == 0 ? 0 : End(count - 1);
}

uint32_t PackedRow::ByteCapacity() const
{
    return Owned() ? Field(kByteCapacity) : Used();
}

char* PackedRow::Texts() const
{
    return EndsAt() + CellCapacity() * kFieldBytes;
}

std::string_view PackedRow::Cell(uint32_t k) const
{
    const uint32_t start = k == 0 ? 0 : End(k - 1);
    return {Texts() + start, End(k) - start};
}

void PackedRow::Reserve(uint32_t cells, uint64_t bytes)
{
    if (bytes > kMostBytes) {
        throw std::length_error("row too long");
    }
    const std::size_t size = (kHeadFields + static_cast<std::size_t>(cells)) * kFieldBytes + bytes;
    std::unique_ptr<char[]> block(new char[size]);
    uint32_t count = 0;
    uint32_t used = 0;
    if (Block() != nullptr) {
        count = Count();
        used = Used();
        std::memcpy(block.get() + kHeadFields * kFieldBytes, EndsAt(), count * kFieldBytes);
        std::memcpy(block.get() + (kHeadFields + cells) * kFieldBytes, Texts(), used);
    }
    Adopt(block.release(), true);
    SetField(kCount, count);
    SetField(kCellCapacity, cells);
    SetField(kUsed, used);
    SetField(kByteCapacity, static_cast<uint32_t>(bytes));
}

void PackedRow::Set(uint32_t k, std::string_view text)
{
    const uint32_t count = Count();
    if (k < count) {
        // A cell replaced inside the row: the row gets a block of its own, as large as it needs.
        RowCells cells;
        for (uint32_t i = 0; i < count; ++i) {
            cells.Add({}, i == k ? text : Cell(i));
        }
        Adopt(nullptr, false);
        Reserve(count, cells.Bytes().size());
        std::memcpy(EndsAt(), cells.Ends().data(), count * kFieldBytes);
        std::memcpy(Texts(), cells.Bytes().data(), cells.Bytes().size());
        SetField(kCount, count);
        SetField(kUsed, static_cast<uint32_t>(cells.Bytes().size()));
        return;
    }
    const uint64_t used = Block() != nullptr ? Used() : 0;
    const uint64_t needed = used + text.size();
    if (needed > kMostBytes || k == std::numeric_limits<uint32_t>::max()) {
        throw std::length_error("row too long");
    }
    const uint64_t cellCapacity = Block() != nullptr ? CellCapacity() : 0;
    const uint64_t byteCapacity = Block() != nullptr ? ByteCapacity() : 0;
    if (k >= cellCapacity || needed > byteCapacity) {
        // Room ahead, doubling: a row grown one cell at a time is copied a few times only.
        const uint64_t cells = std::max<uint64_t>(k + 1, std::min<uint64_t>(cellCapacity * 2, kMostBytes));
        Reserve(static_cast<uint32_t>(cells), std::max(needed, std::min(byteCapacity * 2, kMostBytes)));
    }
    for (uint32_t i = count; i < k; ++i) {
        StoreAt(EndsAt() + i * kFieldBytes, static_cast<uint32_t>(used));
    }
    std::memcpy(Texts() + used, text.data(), text.size());
    StoreAt(EndsAt() + k * kFieldBytes, static_cast<uint32_t>(needed));
    SetField(kCount, k + 1);
    SetField(kUsed, static_cast<uint32_t>(needed));
}
