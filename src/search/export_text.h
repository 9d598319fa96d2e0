// export_text.h - the ";"-separated export of a search's shown result, its cells quoted where needed.
#pragma once

#include <string>
#include <string_view>

class ShownResult;

/// cell as the export writes it: in double quotes, each inner double quote doubled, when it holds
/// ";", a double quote, CR or LF (so a spreadsheet reads it as one cell); otherwise unchanged.
std::string ExportCell(std::string_view cell);
/// Appends ExportCell(cell) to bytes.
void AppendExportCell(std::string& bytes, std::string_view cell);

/// What stands between two cells of a line of the export.
inline constexpr std::string_view kExportSeparator = ";";
/// What ends every line of the export.
inline constexpr std::string_view kExportLineEnd = "  \r\n";

/// The export of a search: one line per entry (with or without list item) in the shown order,
/// each column's laid-out text (ExportCell; an edited label is the list's alone) joined by ";",
/// each line ended by two blanks and CR LF; no entries give no bytes.
std::string ExportText(const ShownResult& shown);
