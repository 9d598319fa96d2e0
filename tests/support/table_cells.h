// table_cells.h - a search table's row as the texts of its cells, for comparing in tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "result/result_table.h"

using Cells = std::vector<std::string>;

/// The visible cells of a row, without the empty ones after its last stored cell.
inline Cells RowCells(const ResultTable& table, int32_t row)
{
    Cells cells;
    for (int32_t column = 0; column < table.ColumnCount(); ++column) {
        cells.push_back(table.GetCell(column, row));
    }
    while (!cells.empty() && cells.back().empty()) {
        cells.pop_back();
    }
    return cells;
}
