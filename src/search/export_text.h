// export_text.h - the ";"-separated export of a result table, its cells quoted where needed.
#pragma once

#include <string>
#include <string_view>

class ResultTable;

/// cell as the export writes it: in double quotes, each inner double quote doubled, when it holds
/// ";", a double quote, CR or LF (so a spreadsheet reads it as one cell); otherwise unchanged.
std::string ExportCell(std::string_view cell);
/// Appends ExportCell(cell) to bytes.
void AppendExportCell(std::string& bytes, std::string_view cell);

/// What ends every line of the export.
inline constexpr std::string_view kExportLineEnd = "  \r\n";

/// The export of table: its declared rows and columns, cells (ExportCell) joined by ";", each
/// line ended by two blanks and CR LF; no rows give no bytes.
std::string ExportText(const ResultTable& table);
