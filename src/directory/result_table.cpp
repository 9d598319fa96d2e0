// result_table.cpp - ResultTable: stored cells, declared counts, access guard, row sort and writer.
#include "directory/result_table.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

#include "storage/file_utils.h"

namespace {

/// The letters A to Z folded to a to z; every other byte unchanged.
unsigned char FoldByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

const std::string kEmptyText;

}  // namespace

int ResultTable::CompareKeys(const std::string& a, const std::string& b)
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

const std::string* ResultTable::StoredCell(int32_t column, int32_t row) const
{
    if (column < 0 || row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) {
        return nullptr;
    }
    const auto& cells = m_rows[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(column) >= cells.size()) {
        return nullptr;
    }
    return &cells[static_cast<std::size_t>(column)];
}

bool ResultTable::Visible(int32_t column, int32_t row) const
{
    return column >= 0 && row >= 0 && column <= m_lastColumn && row <= m_lastRow;
}

bool ResultTable::SetCell(int32_t column, int32_t row, std::string text)
{
    if (column < 0 || row < 0) {
        return false;
    }
    if (!TakeWriteHold()) {
        return false;
    }
    bool stored = true;
    try {
        const auto rowIndex = static_cast<std::size_t>(row);
        const auto columnIndex = static_cast<std::size_t>(column);
        if (rowIndex < m_rows.size()) {
            auto& cells = m_rows[rowIndex];
            if (columnIndex >= cells.size()) {
                cells.resize(columnIndex + 1);
            }
            cells[columnIndex] = std::move(text);
        } else {
            // Every appended row holds column + 1 cells, so the text lands exactly at (column, row).
            while (m_rows.size() <= rowIndex) {
                m_rows.emplace_back(columnIndex + 1);
            }
            m_rows[rowIndex][columnIndex] = std::move(text);
        }
    } catch (const std::bad_alloc&) {
        stored = false;
    } catch (const std::length_error&) {
        stored = false;
    }
    ReleaseWriteHold();
    return stored;
}

std::string ResultTable::GetCell(int32_t column, int32_t row) const
{
    if (!TakeReadHold()) {
        return std::string();
    }
    std::string text;
    if (Visible(column, row)) {
        if (const std::string* cell = StoredCell(column, row)) {
            text = *cell;
        }
    }
    ReleaseReadHold();
    return text;
}

std::string_view ResultTable::CellView(int32_t column, int32_t row) const
{
    if (!Visible(column, row)) {
        return {};
    }
    const std::string* cell = StoredCell(column, row);
    return cell != nullptr ? std::string_view(*cell) : std::string_view();
}

int32_t ResultTable::CellLength(int32_t column, int32_t row) const
{
    if (!Visible(column, row)) {
        return -1;
    }
    const std::string* cell = StoredCell(column, row);
    if (cell == nullptr) {
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
        const std::string* cell = StoredCell(column, row);
        if (cell != nullptr && cell->size() < bufferSize) {
            std::memcpy(buffer, cell->data(), cell->size());
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
    if (m_rows[static_cast<std::size_t>(row)].empty()) {
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
    auto keyOf = [this, column](int32_t row) -> const std::string& {
        const std::string* cell = StoredCell(column, row);
        return cell != nullptr ? *cell : kEmptyText;
    };
    // Recurses into the smaller side and loops on the larger, so the depth stays logarithmic.
    while (first < last) {
        const int32_t middle = first + (last - first) / 2;
        const std::string pivot = keyOf(middle);
        int32_t low = first;
        int32_t scan = first;
        int32_t high = last;
        while (scan <= high) {
            if (CompareKeys(keyOf(high), pivot) > 0) {
                --high;
                continue;
            }
            std::swap(m_rows[static_cast<std::size_t>(scan)], m_rows[static_cast<std::size_t>(high)]);
            const int order = CompareKeys(keyOf(scan), pivot);
            if (order < 0) {
                std::swap(m_rows[static_cast<std::size_t>(low)], m_rows[static_cast<std::size_t>(scan)]);
                ++low;
                ++scan;
            } else if (order == 0) {
                ++scan;
            }
        }
        // Now first..low-1 are smaller, low..high equal, high+1..last greater than the pivot.
        if (low - first < last - high) {
            Sort(column, first, low - 1);
            first = high + 1;
        } else {
            Sort(column, high + 1, last);
            last = low - 1;
        }
    }
}

bool ResultTable::WriteToFile(const std::string& path) const
{
    if (path.empty()) {
        return false;
    }
    return WriteFileReplacing(path, SeparatedText());
}

std::string ResultTable::SeparatedText() const
{
    std::string bytes;
    if (!TakeReadHold()) {
        return bytes;
    }
    const int32_t rows = RowCount();
    const int32_t columns = ColumnCount();
    for (int32_t row = 0; row < rows; ++row) {
        for (int32_t column = 0; column < columns; ++column) {
            // Inside the declared counts a stored cell is what GetCell gives; a missing one is empty.
            if (const std::string* cell = StoredCell(column, row)) {
                bytes += *cell;
            }
            if (column != columns - 1) {
                bytes += m_separator;
            }
        }
        bytes += "  \r\n";
    }
    ReleaseReadHold();
    return bytes;
}
