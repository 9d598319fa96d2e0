// packed_row.cpp - PackedRow: a row's cells in one block.
#include "directory/packed_row.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "directory/row_cells.h"

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
        StoreAt(m_block.get() + (kHeadFields + k) * kFieldBytes, 0);
    }
    SetField(kCount, count);
}

PackedRow::PackedRow(const RowCells& cells)
{
    const uint32_t count = cells.Count();
    if (count == 0) {
        return;
    }
    const std::string_view bytes = cells.Bytes();
    Reserve(count, bytes.size());
    std::memcpy(m_block.get() + kHeadFields * kFieldBytes, cells.Ends().data(), count * kFieldBytes);
    std::memcpy(Texts(), bytes.data(), bytes.size());
    SetField(kCount, count);
    SetField(kUsed, static_cast<uint32_t>(bytes.size()));
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
    if (!other.m_block) {
        m_block.reset();
        return *this;
    }
    const std::size_t size = (kHeadFields + other.Field(kCellCapacity)) * kFieldBytes + other.Field(kByteCapacity);
    std::unique_ptr<char[]> block(new char[size]);
    std::memcpy(block.get(), other.m_block.get(), size);
    m_block = std::move(block);
    return *this;
}

uint32_t PackedRow::Field(int index) const
{
    return Load(m_block.get() + static_cast<std::size_t>(index) * kFieldBytes);
}

void PackedRow::SetField(int index, uint32_t value)
{
    StoreAt(m_block.get() + static_cast<std::size_t>(index) * kFieldBytes, value);
}

uint32_t PackedRow::End(uint32_t k) const
{
    return Load(m_block.get() + (kHeadFields + k) * kFieldBytes);
}

char* PackedRow::Texts() const
{
    return m_block.get() + (kHeadFields + Field(kCellCapacity)) * kFieldBytes;
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
    if (m_block) {
        count = Count();
        used = Field(kUsed);
        std::memcpy(block.get() + kHeadFields * kFieldBytes, m_block.get() + kHeadFields * kFieldBytes,
                    count * kFieldBytes);
        std::memcpy(block.get() + (kHeadFields + cells) * kFieldBytes, Texts(), used);
    }
    m_block = std::move(block);
    SetField(kCount, count);
    SetField(kCellCapacity, cells);
    SetField(kUsed, used);
    SetField(kByteCapacity, static_cast<uint32_t>(bytes));
}

void PackedRow::Set(uint32_t k, std::string_view text)
{
    const uint32_t count = Count();
    if (k < count) {
        // A cell replaced inside the row: the row is stored again, exactly as large as it needs.
        RowCells cells;
        for (uint32_t i = 0; i < count; ++i) {
            cells.Add({}, i == k ? text : Cell(i));
        }
        *this = PackedRow(cells);
        return;
    }
    const uint64_t used = m_block ? Field(kUsed) : 0;
    const uint64_t needed = used + text.size();
    if (needed > kMostBytes || k == std::numeric_limits<uint32_t>::max()) {
        throw std::length_error("row too long");
    }
    const uint64_t cellCapacity = m_block ? Field(kCellCapacity) : 0;
    const uint64_t byteCapacity = m_block ? Field(kByteCapacity) : 0;
    if (k >= cellCapacity || needed > byteCapacity) {
        // Room ahead, doubling: a row grown one cell at a time is copied a few times only.
        const uint64_t cells = std::max<uint64_t>(k + 1, std::min<uint64_t>(cellCapacity * 2, kMostBytes));
        Reserve(static_cast<uint32_t>(cells), std::max(needed, std::min(byteCapacity * 2, kMostBytes)));
    }
    for (uint32_t i = count; i < k; ++i) {
        StoreAt(m_block.get() + (kHeadFields + i) * kFieldBytes, static_cast<uint32_t>(used));
    }
    std::memcpy(Texts() + used, text.data(), text.size());
    StoreAt(m_block.get() + (kHeadFields + k) * kFieldBytes, static_cast<uint32_t>(needed));
    SetField(kCount, k + 1);
    SetField(kUsed, static_cast<uint32_t>(needed));
}
