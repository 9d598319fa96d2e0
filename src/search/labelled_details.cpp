// labelled_details.cpp - the details text of an answer, labelled and in the order of the detail list.
#include "search/labelled_details.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "directory/result_table.h"
#include "search/attribute_names.h"
#include "search/result_layout.h"

const char* const kDetailsSeparator = " \r\n --------------------------------------------------------\r\n";

namespace {

/// The operational attributes of the usual directory servers (keys as AttributeKey gives them).
/// Needed only to tell them from user attributes when the list asks for both "*" and "+": the
/// answer then mixes them. One left out here still shows, under "*" instead of "+".
constexpr std::array<std::string_view, 30> kOperational{"createtimestamp",
                                                        "modifytimestamp",
                                                        "creatorsname",
                                                        "modifiersname",
                                                        "subschemasubentry",
                                                        "structuralobjectclass",
                                                        "governingstructurerule",
                                                        "hassubordinates",
                                                        "numsubordinates",
                                                        "subordinatecount",
                                                        "entrydn",
                                                        "entryuuid",
                                                        "entrycsn",
                                                        "contextcsn",
                                                        "entryttl",
                                                        "pwdchangedtime",
                                                        "pwdaccountlockedtime",
                                                        "pwdfailuretime",
                                                        "pwdhistory",
                                                        "pwdgraceusetime",
                                                        "pwdreset",
                                                        "pwdpolicysubentry",
                                                        "memberof",
                                                        "ismemberof",
                                                        "collectiveattributesubentries",
                                                        "administrativerole",
                                                        "nsuniqueid",
                                                        "entryid",
                                                        "parentid",
                                                        "aci"};

bool IsOperational(const std::string& key)
{
    return std::find(kOperational.begin(), kOperational.end(), key) != kOperational.end();
}

/// One attribute of an entry: its name as the server gave it and its values.
struct Attribute {
    std::string_view name;
    std::string key;
    std::vector<std::string_view> values;
};

std::vector<Attribute> AttributesOf(const ResultTable& table, int32_t row)
{
    std::vector<Attribute> attributes;
    const int32_t cellCount = table.ColumnCount();
    for (int32_t c = 1; c < cellCount; ++c) {
        const TaggedCell cell = table.CellView(c, row);
        if (cell.tag == kAttributeTag) {
            attributes.push_back(Attribute{cell.text, AttributeKey(cell.text), {}});
        } else if (cell.tag == kValueTag && !attributes.empty()) {
            attributes.back().values.push_back(cell.text);
        }
    }
    return attributes;
}

void AppendLine(std::string& text, std::string_view name, std::string_view value)
{
    text.append(name);
    text.append(": ");
    text.append(value);
    text.append("\r\n");
}

}  // namespace

std::string DetailsText(const ResultTable& table, const std::vector<std::string>& detailNames,
                        const std::optional<std::set<std::string>>& shownDns)
{
    std::vector<std::string> keys;
    bool allUser = false;
    bool allOperational = false;
    for (const std::string& name : detailNames) {
        allUser = allUser || name == "*";
        allOperational = allOperational || name == "+";
        keys.push_back(name == "*" || name == "+" ? std::string() : AttributeKey(name));
    }
    const auto named = [&keys](const std::string& key) {
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    };
    // What "*" or "+" stands for: with only one of them, whatever the server added to the names.
    const auto inGroup = [&](const Attribute& attribute, bool operationalGroup) {
        if (named(attribute.key)) {
            return false;
        }
        if (allUser && allOperational) {
            return IsOperational(attribute.key) == operationalGroup;
        }
        return true;
    };

    std::string text;
    const int32_t rowCount = table.RowCount();
    for (int32_t r = 0; r < rowCount; ++r) {
        const std::string_view dn = EntryDn(table, r);
        // Entries are chosen by their distinguished name, not by their position, because entries
        // without a shown value have no list item and would shift every position.
        if (shownDns.has_value() && shownDns->count(std::string(dn)) == 0) {
            continue;
        }
        AppendLine(text, "dn", dn);
        const std::vector<Attribute> attributes = AttributesOf(table, r);
        for (std::size_t k = 0; k < detailNames.size(); ++k) {
            const std::string& name = detailNames[k];
            const bool group = name == "*" || name == "+";
            for (const Attribute& attribute : attributes) {
                const bool shown =
                    group ? inGroup(attribute, name == "+") : (!keys[k].empty() && attribute.key == keys[k]);
                if (!shown) {
                    continue;
                }
                for (const std::string_view value : attribute.values) {
                    AppendLine(text, group ? attribute.name : std::string_view(name), value);
                }
            }
        }
        text.append(kDetailsSeparator);
    }
    return text;
}
