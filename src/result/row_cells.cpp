// row_cells.cpp - RowCells: a row's cells in one buffer.
#include "result/row_cells.h"

#include <limits>
#include <new>

void RowCells::Add(std::string_view tag, std::string_view text)
{
    const TagCode code = CodeOfTag(tag);
    const std::string_view kept = code == TagCode::None ? tag : std::string_view();
    if (text.size() + kept.size() > std::numeric_limits<uint32_t>::max() - m_bytes.size()) {
        throw std::bad_alloc();  // a search that cannot keep an entry fails as when memory runs out
    }
    m_bytes.append(kept).append(text);
    m_ends.push_back(static_cast<uint32_t>(m_bytes.size()));
    m_tags.push_back(code);
}
