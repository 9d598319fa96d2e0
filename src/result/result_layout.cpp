// result_layout.cpp - the layout of an answer by attribute name.
#include "result/result_layout.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "result/result_table.h"
#include "result/attribute_names.h"
#include "result/result_columns.h"
#include "result/work_limit.h"

namespace {

/// The columns of each attribute name, found in constant time however many distinct names an
/// answer holds. Entries of one answer commonly name the same attributes in the same order, so
/// the names met first are kept, and the name after the one met last is tried first, by a plain
/// comparison. The names are viewed where they are, in the cells of the table walked, which
/// outlives the finder.
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
        const auto ofKey = m_columnsOfKey.find(AttributeKey(attribute));
        const std::vector<std::size_t>& columns = ofKey != m_columnsOfKey.end() ? ofKey->second : kNoColumns;
        // An answer's names beyond the first few thousand are found again by their key: kept, they
        // would cost far more memory and time than the answer's entries name in common.
        if (m_known.size() < kMostKnown) {
            m_index.emplace(attribute, m_known.size());
            m_known.push_back(Known{attribute, &columns});
        }
        m_next = m_known.size();
        return columns;
    }

private:
    static constexpr std::size_t kMostKnown = 4096;

    struct Known {
        std::string_view name;
        const std::vector<std::size_t>* columns;
    };

    std::unordered_map<std::string, std::vector<std::size_t>> m_columnsOfKey;
    std::vector<Known> m_known;                                 ///< in the order met
    std::unordered_map<std::string_view, std::size_t> m_index;  ///< the position of each name in m_known
    std::size_t m_next = 0;  ///< the name expected next: the one after the name met last
};

}  // namespace

bool PlaceValues(const ResultTable& table, const ResultColumns& columns, const ValuePlacer& place, WorkLimit& limit)
{
    const std::size_t columnCount = static_cast<std::size_t>(columns.columnCount());
    std::vector<std::string> columnNames = columns.attributes;
    columnNames.resize(columnCount);
    ColumnFinder finder(columnNames);

    const int32_t rowCount = table.RowCount();
    const int32_t cellCount = table.ColumnCount();
    for (int32_t r = 0; r < rowCount; ++r) {
        // Cells are read by their tag; an entry cell whose name happens to hold a tag's text is
        // not one.
        const std::vector<std::size_t>* columns = nullptr;
        std::string_view attribute;
        for (int32_t c = 1; c < cellCount; ++c) {
            if (limit.Reached()) {
                return false;
            }
            const TaggedCell cell = table.CellView(c, r);
            if (cell.tag == kAttributeTag) {
                columns = &finder.Columns(cell.text);
                attribute = cell.text;
            } else if (cell.tag == kValueTag && columns != nullptr) {
                for (const std::size_t k : *columns) {
                    if (!place(static_cast<std::size_t>(r), k, c, attribute, cell.text)) {
                        return true;
                    }
                }
            } else if (cell.tag.empty() && RowEnded(table, c, r)) {
                break;
            }
        }
    }
    return true;
}

bool IsAttributeGroup(std::string_view name)
{
    const std::size_t first = name.find_first_not_of(' ');
    const std::size_t last = name.find_last_not_of(' ');
    return first != std::string_view::npos && first == last && (name[first] == '*' || name[first] == '+');
}

std::optional<ResultColumns> ExpandAttributeGroups(const ResultTable& table, const ResultColumns& columns,
                                                   WorkLimit& limit)
{
    const std::size_t columnCount = static_cast<std::size_t>(columns.columnCount());
    std::vector<std::string> columnNames = columns.attributes;
    columnNames.resize(columnCount);
    bool userGroup = false;
    bool operationalGroup = false;
    std::unordered_set<std::string> named;  // keys of the names the columns ask for
    for (const std::string& name : columnNames) {
        if (IsAttributeGroup(name)) {
            (name.find('*') != std::string::npos ? userGroup : operationalGroup) = true;
        } else if (!name.empty()) {
            named.insert(AttributeKey(name));
        }
    }
    if (!userGroup && !operationalGroup) {
        return columns;
    }
    // The answer's names in the order met, by key, each headed by the first name met. Names already
    // met are known by their bytes, so that a key is made once per distinct name (up to a bound).
    std::vector<std::string> userNames;
    std::vector<std::string> operationalNames;
    std::unordered_set<std::string> keys;
    std::unordered_set<std::string_view> seen;
    constexpr std::size_t kMostSeen = 4096;
    for (int32_t r = 0; r < table.RowCount(); ++r) {
        for (int32_t c = 1; c < table.ColumnCount(); ++c) {
            if (limit.Reached()) {
                return std::nullopt;
            }
            const TaggedCell cell = table.CellView(c, r);
            if (cell.tag.empty() && RowEnded(table, c, r)) {
                break;
            }
            if (cell.tag != kAttributeTag || seen.count(cell.text) != 0) {
                continue;
            }
            if (seen.size() < kMostSeen) {
                seen.insert(cell.text);
            }
            std::string key = AttributeKey(cell.text);
            if (key.empty() || named.count(key) != 0 || !keys.insert(key).second) {
                continue;
            }
            const bool operational = userGroup && operationalGroup && IsOperationalAttribute(key);
            (operational ? operationalNames : userNames).emplace_back(cell.text.substr(0, cell.text.find(';')));
        }
    }
    if (operationalGroup && !userGroup) {
        std::swap(userNames, operationalNames);
    }
    ResultColumns expanded = columns;
    expanded.attributes.clear();
    expanded.headings.clear();
    for (std::size_t k = 0; k < columnCount; ++k) {
        if (!IsAttributeGroup(columnNames[k])) {
            expanded.attributes.push_back(columnNames[k]);
            expanded.headings.push_back(columns.headings[k]);
            continue;
        }
        // A group asked for twice is put in place once, where it is first asked for.
        std::vector<std::string>& names = columnNames[k].find('*') != std::string::npos ? userNames : operationalNames;
        expanded.attributes.insert(expanded.attributes.end(), names.begin(), names.end());
        expanded.headings.insert(expanded.headings.end(), names.begin(), names.end());
        names.clear();
    }
    if (expanded.headings.empty()) {
        return columns;
    }
    return expanded;
}

bool RowEnded(const ResultTable& table, int32_t cell, int32_t row)
{
    return table.CellLength(cell, row) < 0;
}

void PlaceValues(const ResultTable& table, const ResultColumns& columns, const ValuePlacer& place)
{
    WorkLimit none;
    PlaceValues(table, columns, place, none);
}

std::string_view EntryDn(const ResultTable& table, int32_t row)
{
    const TaggedCell entry = table.CellView(0, row);
    // Another tag is part of the name; the answer's own rows always start with the entry tag.
    const bool whole = entry.tag != kEntryTag && entry.tag.data() + entry.tag.size() == entry.text.data();
    return whole ? std::string_view(entry.tag.data(), entry.size()) : entry.text;
}
