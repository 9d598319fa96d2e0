// export_bytes.h - the bytes the export writes for a table, obtained through ResultTable::WriteToFile.
#pragma once

#include <string>

class ResultTable;

/// Fills bytes with exactly what table.WriteToFile writes, by letting it write a file in a
/// private temporary folder and reading that back. False when no temporary file could be used.
bool ExportBytes(const ResultTable& table, std::string& bytes);
