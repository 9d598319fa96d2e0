// cli_search.cpp - one run of corvane-search, built only from the search rules the window uses.
#include "cli/cli_search.h"

#include "cli/password_input.h"

#include <chrono>
#include <future>
#include <optional>
#include <thread>
#include <vector>

#include "directory/client_defaults.h"
#include "directory/directory_query.h"
#include "directory/query_failure.h"
#include "result/result_table.h"
#include "directory/server_address.h"
#include "localisation/text_keys.h"
#include "platform/text_codec.h"
#include "search/details_text.h"
#include "search/export_text.h"
#include "search/ldif_export.h"
#include "search/search_rules.h"
#include "result/shown_result.h"
#include "storage/connection_profile.h"
#include "storage/file_utils.h"

namespace {

/// The defaults as after "New settings", with the start-up detail list.
ConnectionProfile StartingProfile()
{
    ConnectionProfile profile;
    profile.detailAttributes = DefaultDetailSlots();
    return profile;
}

void Override(const std::optional<std::string>& given, std::string& field)
{
    if (given.has_value()) {
        field = *given;
    }
}

/// Every message of the program names it first and is one line: control characters of the texts
/// it quotes (a server's, a file name) are shown as "\xNN".
std::string Message(const std::string& text)
{
    return "corvane-search: " + EscapeControlCharacters(text) + "\n";
}

CliOutcome Fail(int exitCode, const std::string& message)
{
    CliOutcome outcome;
    outcome.exitCode = exitCode;
    outcome.standardError = Message(message);
    return outcome;
}

/// A field's text as the window's field holds it once shown, so the directory gets the same bytes
/// from both: taken whole when the command line gave it, cut to the field's limit as the window
/// cuts it when it came from a profile or the client configuration.
std::string FieldText(const std::optional<std::string>& given, const std::string& text)
{
    return given.has_value() ? AsUtf8(text) : CutToBytes(AsUtf8(text), kFieldLimit);
}

/// The results of one search or details query, before anything is written.
struct QueryResult {
    SearchOutcome outcome;
    int32_t entries = 0;
    std::string bytes;  ///< export lines or details text
};

QueryResult RunQuery(DirectoryQuery& query, const CliOptions& options, const SearchInput& input,
                     const DetailSlots& detailAttributes, int timeLimitSeconds)
{
    QueryResult result;
    if (options.listBases) {
        std::vector<std::string> bases;
        result.outcome = ReadBaseDns(query, input, bases, timeLimitSeconds);
        // One base DN a line, whatever the server's names hold.
        for (const std::string& base : bases) {
            result.bytes += EscapeControlCharacters(base) + "\n";
        }
        result.entries = static_cast<int32_t>(bases.size());
        return result;
    }
    if (options.details) {
        // A server's text reaches a terminal here: its control characters are written escaped.
        DetailsAnswer answer = DetailsQueryAndText(query, input, options.swap, detailAttributes, std::nullopt,
                                                   DetailsForm::ControlsEscaped, timeLimitSeconds);
        result.outcome = answer.outcome;
        result.bytes = std::move(answer.text);
        result.entries = answer.entries;
        return result;
    }
    const QueryChoice choice = ChooseQuery(input, options.swap);
    // The answer is laid out in place, as the window shows it, and written from there; the stop
    // and the time limit reach the layout as they reach the search.
    ShownResult shown;
    result.outcome = SearchAndLayOut(query, input, choice, SearchValue(input, options.swap), shown, timeLimitSeconds);
    result.entries = static_cast<int32_t>(shown.EntryCount());
    result.bytes = options.format == "ldif" ? LdifExport(shown) : ExportText(shown);
    return result;
}

/// RunQuery on a thread of its own, waited for no longer than the time limit and a moment more:
/// nullopt when the query has not returned by then, as when a call of the client library never
/// returns. The thread is then left to itself, holding all it works on but query, which the caller
/// keeps until the program ends. No time limit (0) waits for the query's end.
std::optional<QueryResult> RunQueryWithin(DirectoryQuery& query, const CliOptions& options, const SearchInput& input,
                                          const DetailSlots& detailAttributes, int timeLimitSeconds)
{
    // Time for a query whose own time limit ended it to say so itself.
    constexpr std::chrono::milliseconds kGrace{500};
    auto task = std::make_shared<std::packaged_task<QueryResult()>>(
        [&query, options, input, detailAttributes, timeLimitSeconds] {
            return RunQuery(query, options, input, detailAttributes, timeLimitSeconds);
        });
    std::future<QueryResult> result = task->get_future();
    std::thread worker([task] { (*task)(); });
    if (timeLimitSeconds > 0 &&
        result.wait_for(std::chrono::seconds(timeLimitSeconds) + kGrace) != std::future_status::ready) {
        worker.detach();
        return std::nullopt;
    }
    worker.join();
    return result.get();
}

/// The input checks of a run: those of a search, or only the server when the base DNs are listed.
/// An empty base DN passes on a global catalog's port, where it searches the whole forest.
std::optional<InputCheckFailure> CheckFields(const CliOptions& options, const SearchFields& fields)
{
    if (!options.listBases) {
        SearchFields checked = fields;
        if (checked.baseDn.empty() && OnGlobalCatalogPort(fields.server, ParsePort(fields.port))) {
            checked.baseDn.assign(1, '-');
        }
        return CheckSearchFields(checked);
    }
    SearchFields server;
    server.server = fields.server;
    server.searchString = server.searchAttribute = server.baseDn = server.resultAttribute = "-";
    return CheckSearchFields(server);
}

}  // namespace

CliOutcome RunCliSearch(const CliOptions& options, DirectoryQuery& query, int timeLimitSeconds)
{
    ConnectionProfile profile = StartingProfile();
    // A profile is read whole or not at all: a file that is no profile changes nothing.
    ProfileFields found;
    if (options.profile.has_value() && ReadProfile(*options.profile, profile, found) == ProfileReadResult::Unreadable) {
        return Fail(kExitUsage, EnglishText(keys::kFileError));
    }
    // Options given on the command line win over the profile, whatever their order.
    Override(options.server, profile.server);
    Override(options.port, profile.port);
    Override(options.baseDn, profile.baseDn);
    Override(options.searchAttribute, profile.searchAttribute);
    Override(options.resultAttribute, profile.resultAttribute);
    Override(options.preselection, profile.preselection);
    Override(options.bindUser, profile.bindUser);
    // What neither the command line nor the profile names comes from the client configuration.
    if (profile.server.empty() || profile.baseDn.empty()) {
        const ClientDefaults defaults = ReadClientDefaults();
        if (profile.server.empty() && !options.server.has_value()) {
            profile.server = defaults.uris;
        }
        if (profile.baseDn.empty() && !options.baseDn.has_value()) {
            profile.baseDn = defaults.base;
        }
    }
    // A server named by the DN of its domain ("ldap:///dc=corp,dc=example") searches below that DN
    // unless a base is given.
    if (profile.baseDn.empty() && !options.baseDn.has_value()) {
        const auto endpoints = ParseServerField(profile.server, ParsePort(profile.port));
        if (endpoints && endpoints->size() == 1) {
            profile.baseDn = endpoints->front().baseDn;
        }
    }
    if (options.detailAttributes.has_value()) {
        profile.detailAttributes = SlotsFromList(DetailAttributeNames(*options.detailAttributes));
    }

    SearchFields fields;
    fields.server = FieldText(options.server, profile.server);
    fields.port = FieldText(options.port, profile.port);
    fields.baseDn = FieldText(options.baseDn, profile.baseDn);
    fields.searchAttribute = FieldText(options.searchAttribute, profile.searchAttribute);
    fields.resultAttribute = FieldText(options.resultAttribute, profile.resultAttribute);
    fields.searchString = FieldText(options.searchString, options.searchString);
    fields.preselection = FieldText(options.preselection, profile.preselection);
    if (const std::optional<InputCheckFailure> failure = CheckFields(options, fields)) {
        return Fail(kExitUsage, failure->englishDefault);
    }
    SearchInput input = MakeWholeSearchInput(fields);
    input.startTls = options.startTls || profile.startTls;
    input.maxEntries = options.entryCap.value_or(profile.entryCap != 0 ? profile.entryCap : kSearchMaxEntries);
    if (options.timeLimit.has_value()) {
        timeLimitSeconds = *options.timeLimit;
    }

    // -Y GSSAPI signs in with the ticket; without it the profile's sign-in, where a bind name on
    // the command line means its password.
    SignIn signIn = options.bindUser.has_value() ? SignIn::Password : profile.signIn;
    if (options.saslMechanism.has_value()) {
        signIn = SignIn::Kerberos;
    }
    input.signIn = signIn;
    query.SetSignIn(signIn);
    // A bind name wants its password, asked for only once the fields have passed their checks.
    const std::string bindUser =
        signIn == SignIn::Password ? FieldText(options.bindUser, profile.bindUser) : std::string();
    // After a failed ldaps:// server the next, plain one would get the password unencrypted.
    if (!bindUser.empty() && MixesSecureAndPlain(input.server, input.port, input.startTls)) {
        return Fail(kExitUsage, DescribeMixedSecurity(input.server));
    }
    if (!bindUser.empty()) {
        PasswordInput password;
        if (options.passwordFile.has_value()) {
            password = ReadPasswordFile(*options.passwordFile);
        } else if (CanPromptForPassword()) {
            password = PromptForPassword(bindUser);
        } else {
            password.error = options.promptPassword
                                 ? "-W asks for the password on a terminal, and there is none; use -y FILE"
                                 : "a bind name needs a password: give -y FILE (- for standard input), "
                                   "or run on a terminal to be asked for it";
        }
        if (password.status == PasswordInput::Status::Interrupted) {
            CliOutcome stopped;
            stopped.exitCode = kExitStopped;
            return stopped;
        }
        if (password.status == PasswordInput::Status::Failed) {
            return Fail(kExitUsage, password.error);
        }
        query.SetBind(bindUser, password.password);
    }

    std::optional<QueryResult> within =
        RunQueryWithin(query, options, input, profile.detailAttributes, timeLimitSeconds);
    if (!within) {
        CliOutcome late = Fail(kExitSearchFailed, "search failed: " + DescribeFailure(QueryStep::Search, kTimedOutCode,
                                                                                      {}, 0, timeLimitSeconds));
        late.searchLeftRunning = true;
        return late;
    }
    QueryResult& result = *within;
    // A stopped search writes nothing at all: a script must not take part of an answer for all of it.
    // A stop that came while the output was made counts too.
    if (result.outcome.stopped || query.StopRaised()) {
        CliOutcome stopped;
        stopped.exitCode = kExitStopped;
        return stopped;
    }
    // A failed search writes nothing, so an output file of an earlier run stays as it was.
    if (result.outcome.failed) {
        return Fail(
            kExitSearchFailed,
            "search failed: " + result.outcome.failureReason +
                (result.outcome.needsBind         ? " - the server wants a bind name: give one with -D"
                 : result.outcome.needsSecureBind ? " - the server wants the bind on a secure connection: use -ZZ "
                                                    "(StartTLS) or an ldaps:// address"
                                                  : ""));
    }
    // A file named by -o is written even when nothing was found (then empty), as the window's
    // export of such a search would, so a script never reads an earlier run's result.
    CliOutcome outcome;
    // "-" is standard output, as for the password file.
    if (options.output.has_value() && *options.output != "-") {
        if (!WriteFileReplacing(*options.output, result.bytes)) {
            return Fail(kExitCannotWrite,
                        EnglishText(keys::kFileCreateError) + " " + WriteFailureDetails(*options.output));
        }
    } else if (result.entries > 0) {
        outcome.standardOutput = std::move(result.bytes);
    }
    if (result.entries == 0) {
        outcome.exitCode = kExitNoResult;
        outcome.standardError = Message(
            options.listBases ? std::string("the server names no base DN")
                              : FillPlaceholder(EnglishText(keys::kNoResult), SearchValue(input, options.swap)));
    } else if (result.outcome.serverLimited) {
        outcome.standardError =
            Message("the server's limit ended the answer after " + std::to_string(result.entries) + " entries");
    } else if (result.outcome.cut) {
        outcome.standardError = Message(std::to_string(result.entries) + " entries shown; the directory holds more");
    }
    return outcome;
}
