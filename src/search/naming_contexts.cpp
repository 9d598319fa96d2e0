// naming_contexts.cpp - the base DNs of a root entry.
#include "search/naming_contexts.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>
#include <unordered_set>

#include "result/result_table.h"
#include "result/attribute_names.h"

std::vector<std::string> NamingContextAttributes()
{
    return {"namingContexts", "defaultNamingContext", "isGlobalCatalogReady"};
}

bool NamesGlobalCatalog(const ResultTable& rootEntry)
{
    bool inFlag = false;
    for (int32_t c = 1; c < rootEntry.ColumnCount() && rootEntry.RowCount() > 0; ++c) {
        const TaggedCell cell = rootEntry.CellView(c, 0);
        if (cell.tag == kAttributeTag) {
            inFlag = AttributeKey(cell.text) == "isglobalcatalogready";
        } else if (cell.tag == kValueTag && inFlag && cell.text.size() == 4 &&
                   std::equal(cell.text.begin(), cell.text.end(), "true",
                              [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; })) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> NamingContexts(const ResultTable& rootEntry)
{
    std::vector<std::string> defaults;
    std::vector<std::string> contexts;
    std::vector<std::string>* into = nullptr;
    const int32_t cellCount = rootEntry.ColumnCount();
    for (int32_t c = 1; c < cellCount && rootEntry.RowCount() > 0; ++c) {
        const TaggedCell cell = rootEntry.CellView(c, 0);
        if (cell.tag == kAttributeTag) {
            const std::string key = AttributeKey(cell.text);
            into = key == "defaultnamingcontext" ? &defaults : key == "namingcontexts" ? &contexts : nullptr;
        } else if (cell.tag == kValueTag && into != nullptr) {
            into->emplace_back(cell.text);
        }
    }
    std::vector<std::string> bases;
    std::unordered_set<std::string> seen;
    defaults.insert(defaults.end(), std::make_move_iterator(contexts.begin()), std::make_move_iterator(contexts.end()));
    for (std::string& base : defaults) {
        if (!base.empty() && seen.insert(base).second) {
            bases.push_back(std::move(base));
        }
    }
    return bases;
}
