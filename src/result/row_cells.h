// row_cells.h - the cells of one table row gathered one after another, before the row is stored
// whole (ResultTable::SetRow).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "result/tagged_cell.h"

/**
 * A row's cells: the texts after their tags in one buffer, the end of each and each cell's tag as
 * a code. Kept across rows by its user, so that gathering a row costs no allocation once the
 * buffers have grown to the largest row.
 */
class RowCells {
public:
    void Clear()
    {
        m_bytes.clear();
        m_ends.clear();
        m_tags.clear();
    }
    /// Adds one cell holding tag followed by text; a tag other than the answer's three is kept as
    /// part of the text. Throws std::bad_alloc when memory runs out or the row's texts would pass 4 GiB.
    void Add(std::string_view tag, std::string_view text);

    uint32_t Count() const { return static_cast<uint32_t>(m_ends.size()); }
    /// The cells' texts (after their coded tags) one after another.
    std::string_view Bytes() const { return m_bytes; }
    /// Where each cell's text ends in Bytes().
    const std::vector<uint32_t>& Ends() const { return m_ends; }
    /// Each cell's tag.
    const std::vector<TagCode>& Tags() const { return m_tags; }
    /// Cell k (below Count()) as its tag and text.
    TaggedCell Cell(uint32_t k) const
    {
        const uint32_t from = k == 0 ? 0 : m_ends[k - 1];
        return TaggedCell{TagOfCode(m_tags[k]), std::string_view(m_bytes).substr(from, m_ends[k] - from)};
    }

private:
    std::string m_bytes;
    std::vector<uint32_t> m_ends;
    std::vector<TagCode> m_tags;
};
