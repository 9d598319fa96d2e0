// table_of.h - a result table laid out as the queries write it, from the texts of its cells, for
// the unit tests of what reads such tables.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "result/result_table.h"

/// A table holding rows (column 0 the entry, then attribute and value cells, as the queries write
/// them), dimensioned as a search dimensions it: columns wide (the widest row when 0).
inline ResultTable TableOf(const std::vector<std::vector<std::string>>& rows, int32_t columns = 0)
{
    ResultTable table;
    std::size_t widest = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            table.SetCell(static_cast<int32_t>(c), static_cast<int32_t>(r), rows[r][c]);
        }
        widest = std::max(widest, rows[r].size());
    }
    table.SetDimensions(columns > 0 ? columns : static_cast<int32_t>(widest), static_cast<int32_t>(rows.size()));
    return table;
}
