// tab_separated.h - rows as tab-separated text, the form a spreadsheet pastes as a table.
#pragma once

#include <string>
#include <vector>

/// A heading line, then one line per row; cells separated by tabs, lines ended by LF. A tab, CR
/// or LF inside a cell becomes a blank, so each cell stays in its place.
std::string TabSeparatedText(const std::vector<std::string>& headings,
                             const std::vector<std::vector<std::string>>& rows);
