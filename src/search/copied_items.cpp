// copied_items.cpp - the copied table read from the shown result.
#include "search/copied_items.h"

#include "result/shown_result.h"
#include "search/tab_separated.h"

std::string CopiedItems(const ShownResult& shown, const std::vector<size_t>& items)
{
    std::vector<size_t> chosen = items;
    if (chosen.empty()) {
        chosen.resize(shown.ItemCount());
        for (size_t item = 0; item < chosen.size(); ++item) {
            chosen[item] = item;
        }
    }
    const std::vector<std::string> headings = shown.ShownHeadings();
    std::vector<std::vector<std::string>> rows;
    rows.reserve(chosen.size());
    for (const size_t item : chosen) {
        std::vector<std::string>& row = rows.emplace_back();
        for (size_t column = 0; column < headings.size(); ++column) {
            row.emplace_back(shown.ItemText(item, column));
        }
    }
    return TabSeparatedText(headings, rows);
}
