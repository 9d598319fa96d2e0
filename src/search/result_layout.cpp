// result_layout.cpp - the layout of an answer by attribute name, and the export table made from it.
#include "search/result_layout.h"

#include <algorithm>
#include <deque>
#include <string_view>
#include <utility>

#include "directory/result_table.h"
#include "search/attribute_names.h"
#include "search/search_rules.h"

namespace {

/// The columns of each attribute name met so far. Entries of one answer name their attributes
/// alike, so after the first few entries every name is found here by a plain comparison.
class ColumnFinder {
public:
    explicit ColumnFinder(const std::vector<std::string>& columnNames)
    {
        m_columnKeys.reserve(columnNames.size());
        for (const std::string& name : columnNames) {
            // An empty name asks for nothing and so matches nothing.
            m_columnKeys.push_back(name.empty() ? std::string() : AttributeKey(name));
        }
    }

    const std::vector<std::size_t>& Columns(std::string_view attribute)
    {
        for (const auto& [name, columns] : m_known) {
            if (name == attribute) {
                return columns;
            }
        }
        std::vector<std::size_t> columns;
        const std::string key = AttributeKey(attribute);
        for (std::size_t k = 0; k < m_columnKeys.size(); ++k) {
            if (!m_columnKeys[k].empty() && m_columnKeys[k] == key) {
                columns.push_back(k);
            }
        }
        return m_known.emplace_back(std::string(attribute), std::move(columns)).second;
    }

private:
    std::vector<std::string> m_columnKeys;
    std::deque<std::pair<std::string, std::vector<std::size_t>>> m_known;  ///< stays where it is when it grows
};

}  // namespace

void PlaceValues(const ResultTable& table, const QueryChoice& choice, const ValuePlacer& place)
{
    const std::size_t columnCount = static_cast<std::size_t>(choice.columnCount());
    std::vector<std::string> columnNames = choice.attributes;
    columnNames.resize(columnCount);
    ColumnFinder finder(columnNames);
    static const std::vector<std::size_t> kNoColumns;

    const int32_t rowCount = table.RowCount();
    const int32_t cellCount = table.ColumnCount();
    for (int32_t r = 0; r < rowCount; ++r) {
        // Cells are read by their tag; an entry cell whose name happens to hold a tag's text is
        // not one.
        const std::vector<std::size_t>* columns = &kNoColumns;
        for (int32_t c = 1; c < cellCount; ++c) {
            const TaggedCell cell = table.CellView(c, r);
            if (cell.tag == kAttributeTag) {
                columns = &finder.Columns(cell.text);
            } else if (cell.tag == kValueTag) {
                for (const std::size_t k : *columns) {
                    if (!place(static_cast<std::size_t>(r), k, c, cell.text)) {
                        return;
                    }
                }
            }
        }
    }
}

std::string_view EntryDn(const ResultTable& table, int32_t row)
{
    const TaggedCell entry = table.CellView(0, row);
    // Another tag is part of the name; the answer's own rows always start with the entry tag.
    const bool whole = entry.tag != kEntryTag && entry.tag.data() + entry.tag.size() == entry.text.data();
    return whole ? std::string_view(entry.tag.data(), entry.size()) : entry.text;
}

std::vector<ResultRow> ResultRows(const ResultTable& table, const QueryChoice& choice)
{
    const std::size_t columnCount = static_cast<std::size_t>(choice.columnCount());
    std::vector<ResultRow> rows(static_cast<std::size_t>(std::max(table.RowCount(), 0)));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        rows[r].dn = EntryDn(table, static_cast<int32_t>(r));
        rows[r].values.resize(columnCount);
        rows[r].valueLists.resize(columnCount);
    }
    PlaceValues(table, choice, [&rows](std::size_t r, std::size_t k, int32_t, std::string_view value) {
        ResultRow& row = rows[r];
        std::string& text = row.values[k];
        if (!row.valueLists[k].empty()) {
            text.append(kValueJoin);
        }
        text.append(value);
        row.valueLists[k].emplace_back(value);
        row.hasValue = true;
        return true;
    });
    return rows;
}

ResultTable MakeExportTable(const std::vector<ResultRow>& rows, int32_t columnCount)
{
    ResultTable table;
    table.SetDimensions(columnCount, static_cast<int32_t>(rows.size()));
    // Filled from the last row up: the first cell set creates every row below it in one go,
    // instead of the table growing by one row per entry. The cells end up the same.
    for (std::size_t r = rows.size(); r-- > 0;) {
        const std::vector<std::string>& values = rows[r].values;
        for (std::size_t k = 0; k < values.size(); ++k) {
            table.SetCell(static_cast<int32_t>(k), static_cast<int32_t>(r), values[k]);
        }
    }
    return table;
}

std::vector<LdifEntry> LdifEntries(const std::vector<ResultRow>& rows, const std::vector<std::string>& names)
{
    std::vector<LdifEntry> entries;
    entries.reserve(rows.size());
    for (const ResultRow& row : rows) {
        LdifEntry& entry = entries.emplace_back();
        entry.dn = row.dn;
        for (std::size_t k = 0; k < names.size() && k < row.valueLists.size(); ++k) {
            const std::size_t first = names[k].find_first_not_of(' ');
            if (first == std::string::npos || row.valueLists[k].empty()) {
                continue;
            }
            const std::string name = names[k].substr(first, names[k].find_last_not_of(' ') - first + 1);
            entry.attributes.push_back(LdifEntry::Attribute{name, row.valueLists[k]});
        }
    }
    return entries;
}
