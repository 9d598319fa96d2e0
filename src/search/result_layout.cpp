// result_layout.cpp - the layout of an answer by attribute name, and the export table made from it.
#include "search/result_layout.h"

#include <algorithm>
#include <deque>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "directory/result_table.h"
#include "search/attribute_names.h"
#include "search/search_rules.h"
#include "search/work_limit.h"

namespace {

/// The columns of each attribute name met so far, found in constant time however many distinct
/// names an answer holds. Entries of one answer commonly name the same attributes in the same
/// order, so the name after the one met last is tried first, by a plain comparison.
class ColumnFinder {
public:
    explicit ColumnFinder(const std::vector<std::string>& columnNames)
    {
        for (std::size_t k = 0; k < columnNames.size(); ++k) {
            // An empty name asks for nothing and so matches nothing.
            if (!columnNames[k].empty()) {
                m_columnsOfKey[AttributeKey(columnNames[k])].push_back(k);
            }
        }
    }

    const std::vector<std::size_t>& Columns(std::string_view attribute)
    {
        const std::size_t guess = m_next < m_known.size() ? m_next : 0;
        if (guess < m_known.size() && m_known[guess].name == attribute) {
            m_next = guess + 1;
            return *m_known[guess].columns;
        }
        if (const auto found = m_index.find(attribute); found != m_index.end()) {
            m_next = found->second + 1;
            return *m_known[found->second].columns;
        }
        static const std::vector<std::size_t> kNoColumns;
        const auto columns = m_columnsOfKey.find(AttributeKey(attribute));
        Known& known = m_known.emplace_back(
            Known{std::string(attribute), columns != m_columnsOfKey.end() ? &columns->second : &kNoColumns});
        m_index.emplace(known.name, m_known.size() - 1);
        m_next = m_known.size();
        return *known.columns;
    }

private:
    struct Known {
        std::string name;
        const std::vector<std::size_t>* columns;
    };

    std::unordered_map<std::string, std::vector<std::size_t>> m_columnsOfKey;
    std::deque<Known> m_known;  ///< stays where it is when it grows, so m_index may view its names
    std::unordered_map<std::string_view, std::size_t> m_index;
    std::size_t m_next = 0;  ///< the name expected next: the one after the name met last
};

}  // namespace

int32_t StoredCellCount(const ResultTable& table, int32_t row)
{
    // The cells of a row have no gaps: a cell is stored exactly below the row's count, so the
    // count is where the first missing cell is, found by halving.
    int32_t low = 0;
    int32_t high = table.ColumnCount();
    while (low < high) {
        const int32_t middle = low + (high - low) / 2;
        if (table.CellLength(middle, row) >= 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

bool PlaceValues(const ResultTable& table, const QueryChoice& choice, const ValuePlacer& place, WorkLimit& limit)
{
    const std::size_t columnCount = static_cast<std::size_t>(choice.columnCount());
    std::vector<std::string> columnNames = choice.attributes;
    columnNames.resize(columnCount);
    ColumnFinder finder(columnNames);

    const int32_t rowCount = table.RowCount();
    for (int32_t r = 0; r < rowCount; ++r) {
        // Cells are read by their tag; an entry cell whose name happens to hold a tag's text is
        // not one. Only the row's own cells are read, however wide the widest entry is.
        const std::vector<std::size_t>* columns = nullptr;
        const int32_t cellCount = StoredCellCount(table, r);
        for (int32_t c = 1; c < cellCount; ++c) {
            if (limit.Reached()) {
                return false;
            }
            const TaggedCell cell = table.CellView(c, r);
            if (cell.tag == kAttributeTag) {
                columns = &finder.Columns(cell.text);
            } else if (cell.tag == kValueTag && columns != nullptr) {
                for (const std::size_t k : *columns) {
                    if (!place(static_cast<std::size_t>(r), k, c, cell.text)) {
                        return true;
                    }
                }
            }
        }
    }
    return true;
}

void PlaceValues(const ResultTable& table, const QueryChoice& choice, const ValuePlacer& place)
{
    WorkLimit none;
    PlaceValues(table, choice, place, none);
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
