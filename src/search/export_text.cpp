// export_text.cpp - the ";"-separated export with quoted cells.
#include "search/export_text.h"

#include "directory/result_table.h"

std::string ExportCell(std::string_view cell)
{
    if (cell.find_first_of(";\"\r\n") == std::string_view::npos) {
        return std::string(cell);
    }
    std::string quoted = "\"";
    for (const char c : cell) {
        if (c == '"') {
            quoted.push_back('"');
        }
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

std::string ExportText(const ResultTable& table)
{
    std::string bytes;
    const int32_t rows = table.RowCount();
    const int32_t columns = table.ColumnCount();
    for (int32_t row = 0; row < rows; ++row) {
        for (int32_t column = 0; column < columns; ++column) {
            bytes += ExportCell(table.CellView(column, row));
            if (column != columns - 1) {
                bytes += table.Separator();
            }
        }
        bytes += "  \r\n";
    }
    return bytes;
}
