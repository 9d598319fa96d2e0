// row_store.cpp - RowStore: blocks handed out of large pieces.
#include "result/row_store.h"

namespace {

/// The size of one piece: many rows of an ordinary answer, little left unused at the end.
constexpr std::size_t kPieceBytes = 256 * 1024;
constexpr std::size_t kAlignment = 4;

}  // namespace

char* RowStore::Allocate(std::size_t bytes)
{
    bytes = (bytes + kAlignment - 1) / kAlignment * kAlignment;
    if (bytes > m_left) {
        // A block larger than a piece gets a piece of its own; the current piece goes on.
        const bool own = bytes > kPieceBytes / 4;
        std::unique_ptr<char[]> piece(new char[own ? bytes : kPieceBytes]);
        char* start = piece.get();
        m_pieces.push_back(std::move(piece));
        if (own) {
            return start;
        }
        m_next = start;
        m_left = kPieceBytes;
    }
    char* block = m_next;
    m_next += bytes;
    m_left -= bytes;
    return block;
}
