// search_rules.cpp - the search workflow's rules without a window: input checks, port, search
// value, choice of query, the no-result message and running the search.
#include "search/search_rules.h"

#include <algorithm>
#include <string_view>

#include "directory/directory_query.h"
#include "directory/query_failure.h"
#include "directory/server_address.h"
#include "result/readable_text.h"
#include "result/result_table.h"
#include "localisation/text_keys.h"
#include "search/filter_value.h"
#include "search/naming_contexts.h"
#include "search/search_filter.h"
#include "result/shown_result.h"
#include "result/work_limit.h"
#include "storage/connection_profile.h"
#include "storage/decimal_text.h"

namespace {

InputCheckFailure Failure(SearchField field, const char* key)
{
    return InputCheckFailure{field, key, EnglishDefault(key)};
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
    return MakeWholeSearchInput(SearchFields{CutToField(fields.server), CutToField(fields.port),
                                             CutToField(fields.baseDn), CutToField(fields.searchAttribute),
                                             CutToField(fields.resultAttribute), CutToField(fields.searchString),
                                             CutToField(fields.preselection)});
}

SearchInput MakeWholeSearchInput(const SearchFields& fields)
{
    SearchInput input;
    input.server = fields.server;
    input.port = ParsePort(fields.port);
    input.baseDn = fields.baseDn;
    input.searchAttribute = fields.searchAttribute;
    input.resultAttribute = fields.resultAttribute;
    input.searchString = fields.searchString;
    input.preselection = fields.preselection;
    return input;
}

std::string SearchValue(const SearchInput& input, bool swap)
{
    const std::string joined =
        (input.preselection.empty() || swap ? std::string() : input.preselection) + input.searchString + "*";
    // "**" is no wildcard the directory accepts: a run of them means what one means.
    std::string value;
    value.reserve(joined.size());
    for (const char c : joined) {
        if (c != '*' || value.empty() || value.back() != '*') {
            value.push_back(c);
        }
    }
    return value;
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

SearchOutcome TooLargeForMemory()
{
    SearchOutcome outcome;
    outcome.failed = true;
    outcome.failureReason = DescribeTooLargeForMemory();
    return outcome;
}

SearchOutcome OutcomeOf(const DirectoryQuery& query, bool succeeded)
{
    SearchOutcome outcome;
    outcome.failed = !succeeded;
    if (outcome.failed) {
        // A server's own text is part of the reason: it is shown readable whatever its bytes.
        outcome.failureReason = ReadableText(query.FailureReason());
    }
    outcome.cut = succeeded && query.Cut();
    outcome.stopped = succeeded && query.Stopped();
    outcome.answeredBy = succeeded ? query.AnsweredBy() : std::string();
    outcome.bindRefused = !succeeded && query.BindRefused();
    outcome.needsBind = !succeeded && query.NeedsBind();
    outcome.needsSecureBind = !succeeded && query.NeedsSecureBind();
    outcome.serverLimited = outcome.cut && !outcome.stopped && query.ServerLimited();
    return outcome;
}

SearchInput WithConnection(SearchInput input, const ConnectionOptions& options)
{
    input.startTls = options.startTls;
    input.signIn = options.signIn;
    input.maxEntries = options.entryCap != 0 ? std::min(options.entryCap, kSearchLargestCap) : kSearchMaxEntries;
    return input;
}

SearchOutcome RunSearch(DirectoryQuery& query, const SearchInput& input, const QueryChoice& choice,
                        const std::string& searchValue, ResultTable& table, int32_t timeLimitSeconds)
{
    query.SetServer(input.server, input.port, 3);
    query.SetStartTls(input.startTls);
    query.SetLimits(timeLimitSeconds, input.maxEntries);
    // The value is escaped here, at the last step, so everything before works on what was typed.
    const std::string filter = AttributeFilter(choice.filterAttribute, EscapeFilterValue(searchValue));
    std::vector<std::string> asked = choice.attributes;
    if (!choice.severalAttributes && !asked.empty() && asked.front().empty()) {
        asked.clear();  // one empty name asks for every attribute
    }
    const bool succeeded = query.SearchWithFilter(input.baseDn, filter, asked, table);
    table.SortRows(0, -1, -1);
    return OutcomeOf(query, succeeded);
}

WorkLimit LimitOfSearch(const DirectoryQuery& query, int32_t timeLimitSeconds)
{
    // A stop that ended the search itself has had its effect: what had arrived is laid out.
    return WorkLimit([&query] { return query.StopRaised() && !query.Stopped(); }, timeLimitSeconds);
}

SearchOutcome EndedByLimit(const WorkLimit& limit)
{
    SearchOutcome outcome;
    if (limit.Ended() == WorkLimit::End::TimedOut) {
        outcome.failed = true;
        outcome.failureReason = DescribeFailure(QueryStep::Search, kTimedOutCode, {}, 0, limit.TimeLimitSeconds());
    } else {
        outcome.stopped = true;
        outcome.cut = true;
    }
    return outcome;
}

SearchOutcome SearchAndLayOut(DirectoryQuery& query, const SearchInput& input, const QueryChoice& choice,
                              const std::string& searchValue, ShownResult& shown, int32_t timeLimitSeconds)
{
    WorkLimit limit = LimitOfSearch(query, timeLimitSeconds);
    ResultTable table;
    const SearchOutcome outcome = RunSearch(query, input, choice, searchValue, table, timeLimitSeconds);
    if (!outcome.failed && shown.Set(std::move(table), choice, limit)) {
        return outcome;
    }
    shown.Set(ResultTable(), choice);  // the columns of the choice, without entries
    return outcome.failed ? outcome : EndedByLimit(limit);
}

bool OnGlobalCatalogPort(const std::string& server, int32_t port)
{
    const std::optional<std::vector<ServerEndpoint>> endpoints = ParseServerField(server, port);
    return endpoints && !endpoints->empty() &&
           std::all_of(endpoints->begin(), endpoints->end(), [](const ServerEndpoint& endpoint) {
               return endpoint.port == kGlobalCatalogPort || endpoint.port == kGlobalCatalogSecurePort;
           });
}

SearchOutcome ReadBaseDns(DirectoryQuery& query, const SearchInput& input, std::vector<std::string>& bases,
                          int32_t timeLimitSeconds, bool* globalCatalog)
{
    query.SetServer(input.server, input.port, 3);
    query.SetStartTls(input.startTls);
    query.SetLimits(timeLimitSeconds, input.maxEntries);
    ResultTable rootEntry;
    const bool succeeded = query.ReadRootEntry(NamingContextAttributes(), rootEntry);
    bases = succeeded ? NamingContexts(rootEntry) : std::vector<std::string>();
    if (globalCatalog != nullptr) {
        *globalCatalog = succeeded && NamesGlobalCatalog(rootEntry);
    }
    // Shown and searched from alike: a name in bytes that are not UTF-8 in its readable form, whose
    // "\XX" is how a DN's string form writes a byte, so the base still names its entry.
    for (std::string& base : bases) {
        if (!IsUtf8(base)) {
            base = ReadableText(base);
        }
    }
    return OutcomeOf(query, succeeded);
}
