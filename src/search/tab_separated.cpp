// tab_separated.cpp - rows as tab-separated lines.
#include "search/tab_separated.h"

namespace {

void AppendLine(std::string& text, const std::vector<std::string>& cells)
{
    for (std::size_t k = 0; k < cells.size(); ++k) {
        if (k > 0) {
            text.push_back('\t');
        }
        for (const char c : cells[k]) {
            text.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
        }
    }
    text.push_back('\n');
}

}  // namespace

std::string TabSeparatedText(const std::vector<std::string>& headings,
                             const std::vector<std::vector<std::string>>& rows)
{
    std::string text;
    AppendLine(text, headings);
    for (const std::vector<std::string>& row : rows) {
        AppendLine(text, row);
    }
    return text;
}
