// cli_search.cpp - one run of corvane-search, built only from the search rules the window uses.
#include "cli/cli_search.h"

#include <optional>
#include <vector>

#include "directory/directory_query.h"
#include "directory/result_table.h"
#include "localisation/text_keys.h"
#include "search_window/details_text.h"
#include "search_window/search_rules.h"
#include "storage/connection_profile.h"
#include "storage/file_utils.h"

namespace {

std::string English(const char* key)
{
    const char* text = EnglishDefault(key);
    return text != nullptr ? text : key;
}

/// The defaults as after "New settings", with the start-up detail list.
ConnectionProfile StartingProfile()
{
    ConnectionProfile profile;
    profile.detailAttributes = DefaultDetailSlots();
    return profile;
}

/// Takes the fields the reader found from read into base.
void TakeFound(const ConnectionProfile& read, const ProfileFields& found, ConnectionProfile& base)
{
    if (found.server) base.server = read.server;
    if (found.port) base.port = read.port;
    if (found.baseDn) base.baseDn = read.baseDn;
    if (found.preselection) base.preselection = read.preselection;
    if (found.searchAttribute) base.searchAttribute = read.searchAttribute;
    if (found.resultAttribute) base.resultAttribute = read.resultAttribute;
    if (found.detailAttributes) base.detailAttributes = read.detailAttributes;
}

void Override(const std::optional<std::string>& given, std::string& field)
{
    if (given.has_value()) {
        field = *given;
    }
}

std::vector<std::string> SplitAtCommas(const std::string& text)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t comma = text.find(','); comma != std::string::npos; comma = text.find(',', start)) {
        pieces.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

CliOutcome Fail(int exitCode, const std::string& message)
{
    CliOutcome outcome;
    outcome.exitCode = exitCode;
    outcome.standardError = message + "\n";
    return outcome;
}

}  // namespace

CliOutcome RunCliSearch(const CliOptions& options, int timeLimitSeconds)
{
    ConnectionProfile profile = StartingProfile();
    if (options.profile.has_value()) {
        ConnectionProfile read = profile;
        ProfileFields found;
        if (ReadProfile(*options.profile, read, found) == ProfileReadResult::Unreadable) {
            return Fail(kExitUsage, English(keys::kFileError));
        }
        TakeFound(read, found, profile);
    }
    // Options given on the command line win over the profile, whatever their order.
    Override(options.server, profile.server);
    Override(options.port, profile.port);
    Override(options.baseDn, profile.baseDn);
    Override(options.searchAttribute, profile.searchAttribute);
    Override(options.resultAttribute, profile.resultAttribute);
    Override(options.preselection, profile.preselection);
    if (options.detailAttributes.has_value()) {
        profile.detailAttributes = SlotsFromList(SplitAtCommas(*options.detailAttributes));
    }

    SearchFields fields;
    fields.server = profile.server;
    fields.port = profile.port;
    fields.baseDn = profile.baseDn;
    fields.searchAttribute = profile.searchAttribute;
    fields.resultAttribute = profile.resultAttribute;
    fields.searchString = options.searchString;
    fields.preselection = profile.preselection;
    if (const std::optional<InputCheckFailure> failure = CheckSearchFields(fields)) {
        return Fail(kExitUsage, failure->englishDefault);
    }
    const SearchInput input = MakeSearchInput(fields);
    const std::string value = SearchValue(input, options.swap);

    DirectoryQuery query;
    ResultTable table;
    CliOutcome outcome;
    bool written = true;
    if (options.details) {
        RunDetailsQuery(query, input, options.swap, profile.detailAttributes, table, timeLimitSeconds);
        std::string text = DetailsText(table, std::nullopt);
        if (options.output.has_value()) {
            written = WriteFileReplacing(*options.output, text);
        } else {
            outcome.standardOutput = std::move(text);
        }
    } else {
        const QueryChoice choice = ChooseQuery(input, options.swap);
        RunSearch(query, input, choice, value, table, timeLimitSeconds);
        const ResultTable exportTable = MakeExportTable(ResultRows(table, choice), choice.columnCount());
        if (options.output.has_value()) {
            written = exportTable.WriteToFile(*options.output);
        } else if (table.RowCount() > 0) {
            outcome.standardOutput = exportTable.SeparatedText();
        }
    }
    // A file named by -o is written even when nothing was found (then empty), as the window's
    // export of such a search would, so a script never reads an earlier run's result.
    if (!written) {
        return Fail(kExitCannotWrite, English(keys::kFileCreateError));
    }
    if (table.RowCount() == 0) {
        outcome.exitCode = kExitNoResult;
        outcome.standardOutput.clear();
        outcome.standardError = FillPlaceholder(English(keys::kNoResult), value) + "\n";
    }
    return outcome;
}
