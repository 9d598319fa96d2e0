// export_text.cpp - the ";"-separated export of a shown result, with quoted cells.
#include "search/export_text.h"

#include "result/shown_result.h"

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

std::string ExportText(const ShownResult& shown)
{
    std::string bytes;
    const size_t columns = shown.ColumnCount();
    for (size_t entry = 0; entry < shown.EntryCount(); ++entry) {
        const uint32_t row = shown.EntryRow(entry);
        for (size_t k = 0; k < columns; ++k) {
            AppendExportCell(bytes, shown.RowText(row, k));
            if (k + 1 != columns) {
                bytes += kExportSeparator;
            }
        }
        bytes += kExportLineEnd;
    }
    return bytes;
}
