// labelled_details.cpp - the details text of an answer, labelled and in the order of the detail list.
#include "search/labelled_details.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "directory/query_failure.h"
#include "result/binary_value.h"
#include "result/readable_text.h"
#include "result/result_table.h"
#include "result/attribute_names.h"
#include "result/result_layout.h"
#include "result/work_limit.h"

const char* const kDetailsSeparator = " \r\n --------------------------------------------------------\r\n";

namespace {

/// One attribute of an entry: its name as the server gave it, its key and where its values are.
struct Attribute {
    std::string_view name;
    std::string key;
    std::size_t firstValue = 0;  ///< the position of its first value's cell in the entry's value cells
    std::size_t valueCount = 0;
    bool named = false;  ///< the list names it (a name without key and a group name "" keys)
};

/// Appends text in form, readable (ReadableText) whatever its bytes: a name or a DN the server
/// sent in bytes that are not UTF-8 shows those bytes as "\XX".
void AppendText(std::string& text, std::string_view part, DetailsForm form)
{
    const bool utf8 = IsUtf8(part);
    if (form == DetailsForm::ControlsEscaped && HasControlCharacters(part)) {
        text.append(EscapeControlCharacters(utf8 ? std::string(part) : ReadableText(part)));
    } else if (utf8) {
        text.append(part);
    } else {
        AppendReadable(text, part);
    }
}

void AppendLine(std::string& text, std::string_view name, std::string_view value, DetailsForm form)
{
    AppendText(text, name, form);
    text.append(": ");
    AppendText(text, value, form);
    text.append("\r\n");
}

/// The detail list, read once for every entry: each name's key, and for each key the names
/// (positions in the list) that show it.
class DetailList {
public:
    DetailList(const std::vector<std::string>& names, DetailsForm form)
        : m_names(names), m_form(form), m_shown(names.size())
    {
        for (std::size_t k = 0; k < names.size(); ++k) {
            const bool group = IsGroup(k);
            m_allUser = m_allUser || names[k] == "*";
            m_allOperational = m_allOperational || names[k] == "+";
            std::string key = group ? std::string() : AttributeKey(names[k]);
            if (key.empty()) {
                m_emptyKeyNamed = true;  // a name that asks for nothing still counts as named
            } else {
                m_namesOfKey[std::move(key)].push_back(k);
            }
        }
    }

    bool IsGroup(std::size_t k) const { return m_names[k] == "*" || m_names[k] == "+"; }

    /// Appends the lines of one entry (row) of table: "dn: ..." and each value under the names
    /// that show it. False when limit ended it.
    bool AppendEntry(std::string& text, const ResultTable& table, int32_t row, std::string_view dn, WorkLimit& limit)
    {
        if (!ReadEntry(table, row, limit)) {
            return false;
        }
        AppendLine(text, "dn", dn, m_form);
        for (std::size_t k = 0; k < m_names.size(); ++k) {
            const bool group = IsGroup(k);
            if (!group) {
                for (const std::size_t a : m_shown[k]) {
                    if (!AppendValues(text, table, row, m_attributes[a], m_names[k], limit)) {
                        return false;
                    }
                }
                continue;
            }
            for (const Attribute& attribute : m_attributes) {
                if (InGroup(attribute, m_names[k] == "+") &&
                    !AppendValues(text, table, row, attribute, attribute.name, limit)) {
                    return false;
                }
            }
        }
        text.append(kDetailsSeparator);
        return true;
    }

private:
    /// Reads the attributes of a row and which names show each.
    bool ReadEntry(const ResultTable& table, int32_t row, WorkLimit& limit)
    {
        m_attributes.clear();
        m_valueCells.clear();
        for (std::vector<std::size_t>& shown : m_shown) {
            shown.clear();
        }
        const int32_t cellCount = table.ColumnCount();
        for (int32_t c = 1; c < cellCount; ++c) {
            if (limit.Reached()) {
                return false;
            }
            const TaggedCell cell = table.CellView(c, row);
            if (cell.tag == kAttributeTag) {
                Attribute& attribute =
                    m_attributes.emplace_back(Attribute{cell.text, AttributeKey(cell.text), m_valueCells.size()});
                attribute.named = attribute.key.empty() && m_emptyKeyNamed;
                if (const auto found = m_namesOfKey.find(attribute.key); found != m_namesOfKey.end()) {
                    attribute.named = true;
                    for (const std::size_t k : found->second) {
                        m_shown[k].push_back(m_attributes.size() - 1);
                    }
                }
            } else if (cell.tag == kValueTag && !m_attributes.empty()) {
                m_valueCells.push_back(c);
                ++m_attributes.back().valueCount;
            } else if (cell.tag.empty() && RowEnded(table, c, row)) {
                break;
            }
        }
        return true;
    }

    /// What "*" or "+" stands for: with only one of them, whatever the server added to the names.
    bool InGroup(const Attribute& attribute, bool operationalGroup) const
    {
        if (attribute.named) {
            return false;
        }
        if (m_allUser && m_allOperational) {
            return IsOperationalAttribute(attribute.key) == operationalGroup;
        }
        return true;
    }

    bool AppendValues(std::string& text, const ResultTable& table, int32_t row, const Attribute& attribute,
                      std::string_view label, WorkLimit& limit) const
    {
        for (std::size_t v = attribute.firstValue; v < attribute.firstValue + attribute.valueCount; ++v) {
            if (limit.Reached()) {
                return false;
            }
            const std::string_view value = table.CellView(m_valueCells[v], row).text;
            if (IsBinaryValue(attribute.name, value)) {
                AppendLine(text, label, ReadableBinary(attribute.name, value), m_form);
            } else {
                AppendLine(text, label, value, m_form);
            }
        }
        return true;
    }

    const std::vector<std::string>& m_names;
    DetailsForm m_form;
    std::unordered_map<std::string, std::vector<std::size_t>> m_namesOfKey;
    bool m_allUser = false;
    bool m_allOperational = false;
    bool m_emptyKeyNamed = false;
    std::vector<Attribute> m_attributes;            ///< of the entry read last
    std::vector<int32_t> m_valueCells;              ///< the cells of its values, attribute after attribute
    std::vector<std::vector<std::size_t>> m_shown;  ///< by detail name: the attributes it shows
};

}  // namespace

std::string DetailsText(const ResultTable& table, const std::vector<std::string>& detailNames,
                        const std::optional<std::set<std::string>>& shownDns)
{
    WorkLimit none;
    return DetailsText(table, detailNames, shownDns, DetailsForm::AsIs, none).value_or(std::string());
}

std::optional<std::string> DetailsText(const ResultTable& table, const std::vector<std::string>& detailNames,
                                       const std::optional<std::set<std::string>>& shownDns, DetailsForm form,
                                       WorkLimit& limit)
{
    DetailList list(detailNames, form);
    std::string text;
    const int32_t rowCount = table.RowCount();
    for (int32_t r = 0; r < rowCount; ++r) {
        const std::string_view dn = EntryDn(table, r);
        // Entries are chosen by their distinguished name, not by their position, because entries
        // without a shown value have no list item and would shift every position.
        if (shownDns.has_value() && shownDns->count(std::string(dn)) == 0) {
            continue;
        }
        if (!list.AppendEntry(text, table, r, dn, limit)) {
            return std::nullopt;
        }
    }
    return text;
}
