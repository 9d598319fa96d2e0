// result_table.cpp - ResultTable: stored cells, declared counts, access guard and row sort.
#include "result/result_table.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

#include "result/row_cells.h"

namespace {

/// The letters A to Z folded to a to z; every other byte unchanged.
unsigned char FoldByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

}  // namespace

int ResultTable::CompareKeys(std::string_view a, std::string_view b)
{
    const std::size_t shorter = std::min(a.size(), b.size());
    const char* left = a.data();
    const char* right = b.data();
    std::size_t i = 0;
    while (i < shorter) {
        // Bytes that are equal raw are equal folded: skip them eight at a time and fold only
        // where the raw bytes differ (sort keys share long prefixes).
        while (i + 8 <= shorter) {
            uint64_t l = 0;
            uint64_t r = 0;
            std::memcpy(&l, left + i, 8);
            std::memcpy(&r, right + i, 8);
            if (l != r) {
                break;
            }
            i += 8;
        }
        while (i < shorter && left[i] == right[i]) {
            ++i;
        }
        if (i == shorter) {
            break;
        }
        const unsigned char l = FoldByte(left[i]);
        const unsigned char r = FoldByte(right[i]);
        if (l != r) {
            return l < r ? -1 : 1;
        }
        ++i;
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool ResultTable::TakeReadHold() const
{
    if (m_access == Access::Writing) {
        return false;
    }
    m_access = Access::Reading;
    ++m_readerCount;
    return true;
}

void ResultTable::ReleaseReadHold() const
{
    if (m_readerCount > 0) {
        --m_readerCount;
    }
    if (m_readerCount == 0) {
        m_access = Access::Free;
    }
}

bool ResultTable::TakeWriteHold()
{
    if (m_access != Access::Free) {
        return false;
    }
    m_access = Access::Writing;
    return true;
}

void ResultTable::ReleaseWriteHold()
{
    m_access = Access::Free;
    m_readerCount = 0;
}

std::optional<TaggedCell> ResultTable::StoredCell(int32_t column, int32_t row) const
{
    if (column < 0 || row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) {
        return std::nullopt;
    }
    const PackedRow& cells = m_rows[static_cast<std::size_t>(row)];
    if (static_cast<uint32_t>(column) >= cells.Count()) {
        return std::nullopt;
    }
    // A cell set whole shows its tag apart as a whole row's cell does.
    const TaggedCell cell = cells.Cell(static_cast<uint32_t>(column));
    return cell.tag.empty() ? TaggedCell::Split(cell.text) : cell;
}

bool ResultTable::Visible(int32_t column, int32_t row) const
{
    return column >= 0 && row >= 0 && column <= m_lastColumn && row <= m_lastRow;
}

bool ResultTable::Write(const std::function<void()>& write)
{
    if (!TakeWriteHold()) {
        return false;
    }
    bool stored = true;
    try {
        write();
    } catch (const std::bad_alloc&) {
        stored = false;
    } catch (const std::length_error&) {
        stored = false;
    }
    ReleaseWriteHold();
    return stored;
}

bool ResultTable::SetCell(int32_t column, int32_t row, std::string text)
{
    if (column < 0 || row < 0) {
        return false;
    }
    return Write([&] {
        const auto rowIndex = static_cast<std::size_t>(row);
        const auto columnIndex = static_cast<uint32_t>(column);
        // Every appended row holds column + 1 cells, so the text lands exactly at (column, row).
        while (m_rows.size() < rowIndex) {
            m_rows.emplace_back(columnIndex + 1);
        }
        if (rowIndex == m_rows.size()) {
            m_rows.emplace_back();
        }
        m_rows[rowIndex].Set(columnIndex, text);
    });
}

bool ResultTable::SetRow(int32_t row, const RowCells& cells)
{
    if (row < 0) {
        return false;
    }
    return Write([&] {
        PackedRow packed(cells, m_store);
        const auto rowIndex = static_cast<std::size_t>(row);
        if (rowIndex >= m_rows.size()) {
            m_rows.resize(rowIndex + 1);
        }
        m_rows[rowIndex] = std::move(packed);
    });
}

std::string ResultTable::GetCell(int32_t column, int32_t row) const
{
    if (!TakeReadHold()) {
        return std::string();
    }
    std::string text;
    if (Visible(column, row)) {
        if (const std::optional<TaggedCell> cell = StoredCell(column, row)) {
            text = cell->Whole();
        }
    }
    ReleaseReadHold();
    return text;
}

TaggedCell ResultTable::CellView(int32_t column, int32_t row) const
{
    if (!Visible(column, row)) {
        return {};
    }
    return StoredCell(column, row).value_or(TaggedCell());
}

int32_t ResultTable::CellLength(int32_t column, int32_t row) const
{
    if (!Visible(column, row)) {
        return -1;
    }
    const std::optional<TaggedCell> cell = StoredCell(column, row);
    if (!cell) {
        return -1;
    }
    const std::size_t most = static_cast<std::size_t>(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(std::min(cell->size(), most));
}

bool ResultTable::GetCellText(int32_t column, int32_t row, char* buffer, std::size_t bufferSize) const
{
    if (buffer == nullptr || bufferSize == 0) {
        return true;
    }
    buffer[0] = '\0';
    if (!TakeReadHold()) {
        return true;
    }
    if (Visible(column, row)) {
        const std::optional<TaggedCell> cell = StoredCell(column, row);
        if (cell && cell->size() < bufferSize) {
            char* end = std::copy(cell->tag.begin(), cell->tag.end(), buffer);
            std::copy(cell->text.begin(), cell->text.end(), end);
            buffer[cell->size()] = '\0';
        }
    }
    ReleaseReadHold();
    return true;
}

bool ResultTable::SetDimensions(int32_t columns, int32_t rows)
{
    if (rows < 0 || columns < 1) {
        return false;
    }
    if (!TakeWriteHold()) {
        return false;
    }
    m_lastColumn = columns - 1;
    m_lastRow = rows - 1;
    m_dimensioned = true;
    ReleaseWriteHold();
    return true;
}

void ResultTable::FirstDimensions(int32_t columns, int32_t rows)
{
    if (m_dimensioned || columns <= 0 || rows < 0) {
        return;
    }
    if (!TakeWriteHold()) {
        return;
    }
    m_lastColumn = columns - 1;
    if (rows > 0) {
        m_lastRow = rows - 1;
    }
    m_dimensioned = true;
    ReleaseWriteHold();
}

void ResultTable::AddRows(int32_t count)
{
    if (count <= 0 || !m_dimensioned) {
        return;
    }
    if (!TakeWriteHold()) {
        return;
    }
    // Saturates instead of wrapping the declared count around.
    const int32_t room = std::numeric_limits<int32_t>::max() - 1 - m_lastRow;
    m_lastRow += std::min(count, room);
    ReleaseWriteHold();
}

bool ResultTable::RemoveRow(int32_t row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) {
        return false;
    }
    if (m_rows[static_cast<std::size_t>(row)].Count() == 0) {
        return false;
    }
    if (!TakeWriteHold()) {
        return false;
    }
    m_rows.erase(m_rows.begin() + row);
    // Every removed row lowers the declared count, which never falls below 0 rows.
    if (m_lastRow >= 0) {
        --m_lastRow;
    }
    ReleaseWriteHold();
    return true;
}

bool ResultTable::SortRows(int32_t column, int32_t firstRow, int32_t lastRow)
{
    if (!TakeWriteHold()) {
        return false;
    }
    if (firstRow < 0 || firstRow > m_lastRow) {
        firstRow = 0;
    }
    if (lastRow < 0 || lastRow > m_lastRow) {
        lastRow = m_lastRow;
    }
    // Declared rows that were never stored have nothing to move: they stay where they are.
    const auto storedLast = static_cast<int64_t>(m_rows.size()) - 1;
    lastRow = static_cast<int32_t>(std::min<int64_t>(lastRow, storedLast));
    if (firstRow < lastRow) {
        Sort(column, firstRow, lastRow);
    }
    ReleaseWriteHold();
    return true;
}

void ResultTable::Sort(int32_t column, int32_t first, int32_t last)
{
    // Keys that all start with the same tag compare as the texts after it; otherwise (a table set
    // cell by cell with texts of every kind) the whole texts are compared.
    auto cellAt = [this, column](int32_t row) {
        return StoredCell(column, row).value_or(TaggedCell());
    };
    const std::string_view firstTag = cellAt(first).tag;
    bool sameTag = true;
    for (int32_t row = first + 1; row <= last && sameTag; ++row) {
        sameTag = cellAt(row).tag == firstTag;
    }
    std::vector<std::string> wholeKeys;
    if (!sameTag) {
        for (int32_t row = first; row <= last; ++row) {
            wholeKeys.push_back(cellAt(row).Whole());
        }
    }
    auto keyOf = [&](int32_t row) -> std::string_view {
        return sameTag ? cellAt(row).text : std::string_view(wholeKeys[static_cast<std::size_t>(row - first)]);
    };
    // Directories often hand entries out in the order they were added, which may be the order
    // sought: then there is nothing to move.
    bool ordered = true;
    for (int32_t row = first; row < last && ordered; ++row) {
        ordered = CompareKeys(keyOf(row), keyOf(row + 1)) <= 0;
    }
    if (ordered) {
        return;
    }
    // Keys of one answer share a long beginning ("uid=", the base DN's end is at the end):
    // each row is sorted by the eight folded bytes that follow what all keys share, as one number,
    // and only rows whose eight bytes are alike compare their whole keys.
    std::string_view shared = keyOf(first);
    for (int32_t row = first + 1; row <= last && !shared.empty(); ++row) {
        const std::string_view key = keyOf(row);
        const auto differs = std::mismatch(shared.begin(), shared.end(), key.begin(), key.end());
        shared = shared.substr(0, static_cast<std::size_t>(differs.first - shared.begin()));
    }
    struct Ordered {
        uint64_t head;
        int32_t row;
    };
    std::vector<Ordered> order;
    order.reserve(static_cast<std::size_t>(last - first + 1));
    for (int32_t row = first; row <= last; ++row) {
        const std::string_view key = keyOf(row);
        uint64_t head = 0;
        for (std::size_t i = shared.size(); i < shared.size() + 8; ++i) {
            head = (head << 8) | (i < key.size() ? FoldByte(key[i]) : 0u);
        }
        order.push_back({head, row});
    }
    std::sort(order.begin(), order.end(), [&](const Ordered& a, const Ordered& b) {
        if (a.head != b.head) {
            return a.head < b.head;
        }
        const int result = CompareKeys(keyOf(a.row), keyOf(b.row));
        return result != 0 ? result < 0 : a.row < b.row;
    });
    std::vector<PackedRow> sorted;
    sorted.reserve(order.size());
    for (const Ordered& ordered : order) {
        sorted.push_back(std::move(m_rows[static_cast<std::size_t>(ordered.row)]));
    }
    std::move(sorted.begin(), sorted.end(), m_rows.begin() + first);
}
