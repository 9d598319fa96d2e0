// ldif_export.cpp - the LDIF export read from the shown result.
#include "search/ldif_export.h"

#include <string_view>
#include <vector>

#include "search/ldif_text.h"
#include "result/shown_result.h"

std::string LdifExport(const ShownResult& shown)
{
    const std::vector<std::string>& names = shown.Headings();
    const size_t columns = shown.ColumnCount();
    // Each entry's values apart, by table row and column, read once in the server's order.
    std::vector<std::vector<std::string_view>> values(shown.EntryCount() * columns);
    shown.EachValue([&values, columns](uint32_t row, size_t column, std::string_view value) {
        values[row * columns + column].push_back(value);
    });
    std::vector<LdifEntry> entries;
    entries.reserve(shown.EntryCount());
    for (size_t at = 0; at < shown.EntryCount(); ++at) {
        const uint32_t row = shown.EntryRow(at);
        LdifEntry& entry = entries.emplace_back();
        entry.dn = shown.RowDn(row);
        for (size_t k = 0; k < columns && k < names.size(); ++k) {
            const std::vector<std::string_view>& column = values[row * columns + k];
            const size_t first = names[k].find_first_not_of(' ');
            if (first == std::string::npos || column.empty()) {
                continue;
            }
            const std::string name = names[k].substr(first, names[k].find_last_not_of(' ') - first + 1);
            entry.attributes.push_back(LdifEntry::Attribute{name, {column.begin(), column.end()}});
        }
    }
    return LdifText(entries);
}
