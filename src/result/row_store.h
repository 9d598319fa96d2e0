// row_store.h - the memory of a table's rows stored whole: large pieces handed out one after
// another, so a row costs only its bytes, and freed together with the table.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

/**
 * Hands out blocks that stay where they are until the store is destroyed. A copy is an empty
 * store: the rows of a copied table own their blocks.
 */
class RowStore {
public:
    RowStore() = default;
    RowStore(const RowStore&) {}
    /// Frees every block: the rows that took them must go too.
    RowStore& operator=(const RowStore& other)
    {
        if (this == &other) {
            return *this;
        }
        m_pieces.clear();
        m_next = nullptr;
        m_left = 0;
        return *this;
    }
    RowStore(RowStore&&) noexcept = default;
    RowStore& operator=(RowStore&&) noexcept = default;

    /// A block of bytes, aligned for 32-bit numbers. Throws std::bad_alloc.
    char* Allocate(std::size_t bytes);

private:
    std::vector<std::unique_ptr<char[]>> m_pieces;
    char* m_next = nullptr;
    std::size_t m_left = 0;
};
