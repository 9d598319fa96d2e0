// search_rules.cpp - the search workflow's rules without a window: input checks, port, search
// value, choice of query, the no-result message and the layout of an answer into result rows.
#include "search_window/search_rules.h"

#include <string_view>

#include "directory/directory_query.h"
#include "directory/result_table.h"
#include "localisation/text_keys.h"
#include "storage/connection_profile.h"
#include "storage/decimal_text.h"

namespace {

constexpr std::string_view kEntryTag = "<ENTRY>";
constexpr std::string_view kValueTag = "<VALUE>";

InputCheckFailure Failure(SearchField field, const char* key)
{
    const char* english = EnglishDefault(key);
    return InputCheckFailure{field, key, english != nullptr ? english : key};
}

std::string CutToField(const std::string& text)
{
    return text.size() > kFieldLimit ? text.substr(0, kFieldLimit) : text;
}

}  // namespace

std::optional<InputCheckFailure> CheckSearchFields(const SearchFields& fields)
{
    if (fields.searchString.empty()) {
        return Failure(SearchField::SearchString, keys::kNoSearchString);
    }
    if (fields.server.empty()) {
        return Failure(SearchField::Server, keys::kNoLDAPServer);
    }
    if (fields.searchAttribute.empty()) {
        return Failure(SearchField::SearchAttribute, keys::kNoSearchAttribute);
    }
    if (fields.baseDn.empty()) {
        return Failure(SearchField::BaseDn, keys::kNoDN);
    }
    if (fields.resultAttribute.empty()) {
        return Failure(SearchField::ResultAttribute, keys::kNoResultAttribute);
    }
    return std::nullopt;
}

int32_t ParsePort(const std::string& portText)
{
    return portText.empty() ? 389 : ParseDecimal(portText);
}

SearchInput MakeSearchInput(const SearchFields& fields)
{
    SearchInput input;
    input.server = CutToField(fields.server);
    input.port = ParsePort(CutToField(fields.port));
    input.baseDn = CutToField(fields.baseDn);
    input.searchAttribute = CutToField(fields.searchAttribute);
    input.resultAttribute = CutToField(fields.resultAttribute);
    input.searchString = CutToField(fields.searchString);
    input.preselection = CutToField(fields.preselection);
    return input;
}

std::string SearchValue(const SearchInput& input, bool swap)
{
    if (input.preselection.empty() || swap) {
        return input.searchString + "*";
    }
    return input.preselection + input.searchString + "*";
}

std::vector<std::string> SplitResultAttributes(const std::string& field)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = field.find(',', start);
        if (comma == std::string::npos) {
            // The text after the last comma is a name too, even when it is empty.
            names.push_back(field.substr(start));
            return names;
        }
        names.push_back(field.substr(start, comma - start));
        start = comma + 1;
    }
}

QueryChoice ChooseQuery(const SearchInput& input, bool swap)
{
    QueryChoice choice;
    if (swap) {
        choice.filterAttribute = input.resultAttribute.substr(0, input.resultAttribute.find(','));
        choice.attributes = {input.searchAttribute};
        choice.headings = {input.searchAttribute};
        return choice;
    }
    choice.filterAttribute = input.searchAttribute;
    if (input.resultAttribute.find(',') == std::string::npos) {
        choice.attributes = {input.resultAttribute};
        choice.headings = {input.resultAttribute};
        return choice;
    }
    choice.attributes = SplitResultAttributes(input.resultAttribute);
    choice.headings = choice.attributes;
    choice.severalAttributes = true;
    return choice;
}

std::string FillPlaceholder(const std::string& text, const std::string& value)
{
    const std::size_t at = text.find("%s");
    if (at == std::string::npos) {
        return text;
    }
    std::string filled;
    filled.reserve(text.size() + value.size());
    filled.append(text, 0, at);
    filled.append(value);
    filled.append(text, at + 2, std::string::npos);
    return filled;
}

void RunSearch(DirectoryQuery& query, const SearchInput& input, const QueryChoice& choice,
               const std::string& searchValue, ResultTable& table, int32_t timeLimitSeconds)
{
    query.SetServer(input.server, input.port, 3);
    query.SetLimits(timeLimitSeconds, kSearchMaxEntries);
    // The query's success flag is not used: a failed query shows as an answer without entries.
    if (choice.severalAttributes) {
        query.SearchForAttributes(input.baseDn, choice.filterAttribute, searchValue, choice.attributes, table);
    } else {
        const std::string asked = choice.attributes.empty() ? std::string() : choice.attributes.front();
        query.SearchForAttribute(input.baseDn, choice.filterAttribute, searchValue, asked, table);
    }
    table.SortRows(0, -1, -1);
}

std::vector<ResultRow> ResultRows(const ResultTable& table)
{
    std::vector<ResultRow> rows;
    const int32_t rowCount = table.RowCount();
    const int32_t columnCount = table.ColumnCount();
    rows.reserve(static_cast<std::size_t>(rowCount > 0 ? rowCount : 0));
    for (int32_t r = 0; r < rowCount; ++r) {
        ResultRow row;
        std::string_view entry = table.CellView(0, r);
        if (entry.starts_with(kEntryTag)) {
            entry.remove_prefix(kEntryTag.size());
        }
        row.dn = entry;
        // Only cells that begin with the value tag are values; an entry cell whose name happens
        // to contain the tag's text is not one.
        for (int32_t c = 0; c < columnCount; ++c) {
            const std::string_view cell = table.CellView(c, r);
            if (cell.starts_with(kValueTag)) {
                row.values.emplace_back(cell.substr(kValueTag.size()));
            }
        }
        rows.push_back(std::move(row));
    }
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
