// export_text.cpp - the ";"-separated export with quoted cells.
#include "search/export_text.h"

#include "directory/result_table.h"

void AppendExportCell(std::string& bytes, std::string_view cell)
{
    if (cell.find_first_of(";\"\r\n") == std::string_view::npos) {
        bytes.append(cell);
        return;
    }
    bytes.push_back('"');
    for (const char c : cell) {
        if (c == '"') {
            bytes.push_back('"');
        }
        bytes.push_back(c);
    }
    bytes.push_back('"');
}

std::string ExportCell(std::string_view cell)
{
    std::string quoted;
    AppendExportCell(quoted, cell);
    return quoted;
}

std::string ExportText(const ResultTable& table)
{
    std::string bytes;
    const int32_t rows = table.RowCount();
    const int32_t columns = table.ColumnCount();
    for (int32_t row = 0; row < rows; ++row) {
        for (int32_t column = 0; column < columns; ++column) {
            const TaggedCell cell = table.CellView(column, row);
            AppendExportCell(bytes, cell.tag.empty() ? cell.text : std::string_view(cell.Whole()));
            if (column != columns - 1) {
                bytes += table.Separator();
            }
        }
        bytes += kExportLineEnd;
    }
    return bytes;
}
