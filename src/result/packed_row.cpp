// packed_row.cpp - PackedRow: a row's cells in one block.
#include "result/packed_row.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>

#include "result/row_cells.h"
#include "result/row_store.h"

namespace {

constexpr std::size_t kFieldBytes = sizeof(uint32_t);
constexpr std::size_t kNarrowBytes = sizeof(uint16_t);
constexpr uint64_t kMostBytes = std::numeric_limits<uint32_t>::max();
constexpr uint64_t kNarrowMost = std::numeric_limits<uint16_t>::max();
constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();

uint32_t Load(const char* at)
{
    uint32_t value = 0;
    std::memcpy(&value, at, kFieldBytes);
    return value;
}

uint32_t LoadNarrow(const char* at)
{
    uint16_t value = 0;
    std::memcpy(&value, at, kNarrowBytes);
    return value;
}

void StoreAt(char* at, uint32_t value)
{
    std::memcpy(at, &value, kFieldBytes);
}

void StoreNarrow(char* at, uint32_t value)
{
    const auto narrow = static_cast<uint16_t>(value);
    std::memcpy(at, &narrow, kNarrowBytes);
}

/// Copies text to at; nothing for an empty text, whose data may be no address at all.
void CopyText(char* at, std::string_view text)
{
    if (!text.empty()) {
        std::memcpy(at, text.data(), text.size());
    }
}

}  // namespace

PackedRow::PackedRow(uint32_t count)
{
    if (count == 0) {
        return;
    }
    Reserve(count, 0);
    for (uint32_t k = 0; k < count; ++k) {
        StoreAt(Block() + (kHeadFields + k) * kFieldBytes, 0);
    }
    SetField(kCount, count);
}

PackedRow::PackedRow(const RowCells& cells, RowStore& store)
{
    const uint32_t count = cells.Count();
    if (count == 0) {
        return;
    }
    const std::string_view bytes = cells.Bytes();
    const bool narrow = count <= kNarrowMost && bytes.size() <= kNarrowMost;
    const std::size_t width = narrow ? kNarrowBytes : kFieldBytes;
    const std::size_t head = (1 + static_cast<std::size_t>(count)) * width + count;
    char* block = store.Allocate(head + bytes.size());
    const auto storeField = narrow ? StoreNarrow : StoreAt;
    storeField(block, count);
    for (uint32_t k = 0; k < count; ++k) {
        storeField(block + (1 + k) * width, cells.Ends()[k]);
    }
    std::memcpy(block + (1 + count) * width, cells.Tags().data(), count);
    CopyText(block + head, bytes);
    Adopt(block, narrow ? kNarrow : 0);
}

PackedRow::~PackedRow()
{
    Adopt(nullptr, 0);
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
        Adopt(nullptr, 0);
        return *this;
    }
    TakeWhole(other, kNone, {});
    return *this;
}

PackedRow::PackedRow(PackedRow&& other) noexcept : m_bits(other.m_bits)
{
    other.m_bits = 0;
}

PackedRow& PackedRow::operator=(PackedRow&& other) noexcept
{
    if (this != &other) {
        Adopt(nullptr, 0);
        m_bits = other.m_bits;
        other.m_bits = 0;
    }
    return *this;
}

void PackedRow::Adopt(char* block, std::uintptr_t flags)
{
    if (Owned()) {
        delete[] Block();
    }
    m_bits = reinterpret_cast<std::uintptr_t>(block) | flags;
}

uint32_t PackedRow::Count() const
{
    const char* block = Block();
    if (block == nullptr) {
        return 0;
    }
    return Narrow() ? LoadNarrow(block) : Load(block);
}

uint32_t PackedRow::Field(int index) const
{
    return Load(Block() + static_cast<std::size_t>(index) * kFieldBytes);
}

void PackedRow::SetField(int index, uint32_t value)
{
    StoreAt(Block() + static_cast<std::size_t>(index) * kFieldBytes, value);
}

uint32_t PackedRow::End(uint32_t k) const
{
    if (Owned()) {
        return Load(Block() + (kHeadFields + k) * kFieldBytes);
    }
    return Narrow() ? LoadNarrow(Block() + (1 + k) * kNarrowBytes) : Load(Block() + (1 + k) * kFieldBytes);
}

const char* PackedRow::TagsAt() const
{
    return Block() + (1 + static_cast<std::size_t>(Count())) * (Narrow() ? kNarrowBytes : kFieldBytes);
}

char* PackedRow::Texts() const
{
    if (Owned()) {
        return Block() + (kHeadFields + Field(kCellCapacity)) * kFieldBytes;
    }
    return const_cast<char*>(TagsAt()) + Count();
}

TaggedCell PackedRow::Cell(uint32_t k) const
{
    const uint32_t start = k == 0 ? 0 : End(k - 1);
    const std::string_view text{Texts() + start, End(k) - start};
    if (Owned()) {
        return {{}, text};
    }
    return {TagOfCode(static_cast<TagCode>(TagsAt()[k])), text};
}

void PackedRow::TakeWhole(const PackedRow& from, uint32_t replaced, std::string_view text)
{
    const uint32_t count = from.Count();
    uint64_t total = 0;
    for (uint32_t i = 0; i < count; ++i) {
        total += i == replaced ? text.size() : from.Cell(i).size();
    }
    if (total > kMostBytes) {
        throw std::length_error("row too long");
    }
    std::unique_ptr<char[]> block(new char[(kHeadFields + static_cast<std::size_t>(count)) * kFieldBytes + total]);
    char* ends = block.get() + kHeadFields * kFieldBytes;
    char* texts = ends + static_cast<std::size_t>(count) * kFieldBytes;
    uint32_t used = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const TaggedCell cell = i == replaced ? TaggedCell{{}, text} : from.Cell(i);
        CopyText(texts + used, cell.tag);
        CopyText(texts + used + cell.tag.size(), cell.text);
        used += static_cast<uint32_t>(cell.size());
        StoreAt(ends + i * kFieldBytes, used);
    }
    Adopt(block.release(), kOwned);
    SetField(kCount, count);
    SetField(kCellCapacity, count);
    SetField(kUsed, used);
    SetField(kByteCapacity, used);
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
        used = Field(kUsed);
        std::memcpy(block.get() + kHeadFields * kFieldBytes, Block() + kHeadFields * kFieldBytes, count * kFieldBytes);
        std::memcpy(block.get() + (kHeadFields + cells) * kFieldBytes, Texts(), used);
    }
    Adopt(block.release(), kOwned);
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
        TakeWhole(*this, k, text);
        return;
    }
    if (Block() != nullptr && !Owned()) {
        TakeWhole(*this, kNone, {});  // a stored row grows in a block of its own
    }
    const uint64_t used = Block() != nullptr ? Field(kUsed) : 0;
    const uint64_t needed = used + text.size();
    if (needed > kMostBytes || k == std::numeric_limits<uint32_t>::max()) {
        throw std::length_error("row too long");
    }
    const uint64_t cellCapacity = Block() != nullptr ? Field(kCellCapacity) : 0;
    const uint64_t byteCapacity = Block() != nullptr ? Field(kByteCapacity) : 0;
    if (k >= cellCapacity || needed > byteCapacity) {
        // Room ahead, doubling: a row grown one cell at a time is copied a few times only.
        const uint64_t cells = std::max<uint64_t>(k + 1, std::min<uint64_t>(cellCapacity * 2, kMostBytes));
        Reserve(static_cast<uint32_t>(cells), std::max(needed, std::min(byteCapacity * 2, kMostBytes)));
    }
    char* ends = Block() + kHeadFields * kFieldBytes;
    for (uint32_t i = count; i < k; ++i) {
        StoreAt(ends + i * kFieldBytes, static_cast<uint32_t>(used));
    }
    CopyText(Texts() + used, text);
    StoreAt(ends + k * kFieldBytes, static_cast<uint32_t>(needed));
    SetField(kCount, k + 1);
    SetField(kUsed, static_cast<uint32_t>(needed));
}
