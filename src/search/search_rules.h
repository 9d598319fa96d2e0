// search_rules.h - the search workflow's rules without a window: input checks, port, search
// value, choice of query, the no-result message, running the search and how it ended. The layout
// of an answer into result rows is the result model's (result/result_layout.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "result/result_columns.h"
#include "storage/sign_in.h"

class DirectoryQuery;
class ResultTable;
class ShownResult;
class WorkLimit;

/// The seven main-window field texts as typed (each cut to 1023 bytes when read).
struct SearchFields {
    std::string server;
    std::string port;
    std::string baseDn;
    std::string searchAttribute;
    std::string resultAttribute;
    std::string searchString;
    std::string preselection;
};

/// The checked fields handed to a search or a details query.
struct SearchInput {
    std::string server;
    int32_t port = 389;
    std::string baseDn;
    std::string searchAttribute;
    std::string resultAttribute;
    std::string searchString;
    std::string preselection;
    bool startTls = false;             ///< upgrade plain connections with StartTLS before the bind
    SignIn signIn = SignIn::Password;  ///< how the query signs in (Password: as the bind name says)
    uint32_t maxEntries = 1000;        ///< the entry cap, 1 to kSearchLargestCap
};

/** How the window's searches connect, from Options > Connection. */
struct ConnectionOptions {
    bool startTls = false;             ///< upgrade plain connections with StartTLS before the bind
    uint32_t entryCap = 0;             ///< the entry cap; 0 for the default kSearchMaxEntries
    SignIn signIn = SignIn::Password;  ///< Password: the bind name decides (none: anonymous)
};

/// The field an input check names.
enum class SearchField { SearchString, Server, SearchAttribute, BaseDn, ResultAttribute };

/// One failed input check: the field to focus and the message's text key and English default.
struct InputCheckFailure {
    SearchField field;
    const char* messageKey;
    const char* englishDefault;
};

/// Checks, in order, search string, server, search attribute, base DN, result attribute; the
/// first empty one fails (a field of blanks is not empty). nullopt when all pass.
std::optional<InputCheckFailure> CheckSearchFields(const SearchFields& fields);

/// Empty gives 389; otherwise the decimal number at the start (leading blanks, optional sign),
/// 0 when the text does not begin with a number.
int32_t ParsePort(const std::string& portText);

/// The checked input, each text cut to the window's field limit; only meaningful when
/// CheckSearchFields passed.
SearchInput MakeSearchInput(const SearchFields& fields);
/// As MakeSearchInput with every text taken whole, however long (the command line's fields).
SearchInput MakeWholeSearchInput(const SearchFields& fields);

/// The search value as typed (the filter gets it escaped, see EscapeFilterValue):
/// searchString + "*", or preselection + searchString + "*" when a preselection is given and
/// swap is off; a run of "*" counts as one, so "*" or "Smi*" stay the wildcards they are meant as.
std::string SearchValue(const SearchInput& input, bool swap);

/// The result attribute field split at commas, pieces untrimmed, a final empty piece kept
/// ("cn,mail," gives cn, mail and "").
std::vector<std::string> SplitResultAttributes(const std::string& field);

/// Which query a search runs, and the columns its answer is laid out in (the names asked for: one,
/// or the split list).
struct QueryChoice : ResultColumns {
    std::string filterAttribute;
    bool severalAttributes = false;  ///< SearchForAttributes rather than SearchForAttribute
};

/// swap: filter on the result attribute cut before its first comma, ask for the search attribute,
/// one column headed by the search attribute. Otherwise filter on the search attribute and ask
/// for the result attribute (one column headed by the whole field) or, when it holds commas,
/// for the split names (one column per name).
QueryChoice ChooseQuery(const SearchInput& input, bool swap);

/// Replaces the first "%s" of text by value as plain text (no other formatting).
std::string FillPlaceholder(const std::string& text, const std::string& value);

/// The entry limits every search of the program uses.
constexpr int32_t kSearchTimeLimitSeconds = 100;
constexpr uint32_t kSearchMaxEntries = 1000;
/// The largest entry cap a user may set.
constexpr uint32_t kSearchLargestCap = 1000000;

/// input with the connection options applied.
SearchInput WithConnection(SearchInput input, const ConnectionOptions& options);

/// How a search ended.
struct SearchOutcome {
    bool failed = false;           ///< no connection, bind refused, time-out, the server's error, bad port
    std::string failureReason;     ///< the reason, plain UTF-8 text, put after "Search failed: " (empty unless failed)
    bool cut = false;              ///< the entry cap, a server's limit answer or a stop cut the answer
    bool stopped = false;          ///< the user stopped the search; the entries that had arrived are kept
    bool bindRefused = false;      ///< failed because the server refused the bind name or its password
    bool needsBind = false;        ///< failed because the server wants a bind name instead of an anonymous bind
    bool needsSecureBind = false;  ///< failed because the server takes the bind only on a secure connection
    bool serverLimited = false;    ///< cut by the server's own limit, not by the entry cap
    std::string answeredBy;        ///< "host:port" of the server DNS named for the field's domain, else
};

/// The outcome of query's last search, given the success flag it returned.
SearchOutcome OutcomeOf(const DirectoryQuery& query, bool succeeded);
/// A search whose answer could not be laid out for want of memory: failed, "the answer is too
/// large for memory". The window stays and shows it like any other failure.
SearchOutcome TooLargeForMemory();

/// Configures query with server, port, StartTLS, version 3, the input's entry cap and the time limit (a bind name and
/// password set on query before stay), runs the chosen search into table and sorts the table's rows by distinguished
/// name (column 0, A-Z folded). A search that succeeded without entries is no failure: it leaves the table without
/// rows.
SearchOutcome RunSearch(DirectoryQuery& query, const SearchInput& input, const QueryChoice& choice,
                        const std::string& searchValue, ResultTable& table,
                        int32_t timeLimitSeconds = kSearchTimeLimitSeconds);

/// Runs the search (RunSearch) and lays its answer out into shown (ShownResult::Set), the search's
/// stop and time limit covering the layout too: a stop during the layout ends the search as a stop
/// during the search does, but with nothing laid out (see EndedByLimit); a time limit that runs
/// out fails it as one that got no answer in time. Unless the search succeeded (a stop that ended
/// the search itself included), shown holds the choice's columns without entries.
SearchOutcome SearchAndLayOut(DirectoryQuery& query, const SearchInput& input, const QueryChoice& choice,
                              const std::string& searchValue, ShownResult& shown,
                              int32_t timeLimitSeconds = kSearchTimeLimitSeconds);

/// The stop and the time limit of query's search, for the work on its answer: made before the
/// search starts, so the time limit counts from there. A stop raised once the search has ended
/// ends that work; a stop that ended the search itself does not (what had arrived is kept).
WorkLimit LimitOfSearch(const DirectoryQuery& query, int32_t timeLimitSeconds);

/// How a search whose answer was in hand ended when limit ended the work on it: stopped, its
/// answer counting as cut; or failed for want of time, with the text a search gets that had no
/// answer in time ("no answer within N seconds").
SearchOutcome EndedByLimit(const WorkLimit& limit);

/// Reads the base DNs the server of input names in its root entry (see NamingContexts), with
/// server, port and the bind set on query, within the time limit. bases is empty unless found;
/// each is in its readable form (ReadableText).
/// globalCatalog, when given, says whether the root entry names the server a global catalog.
SearchOutcome ReadBaseDns(DirectoryQuery& query, const SearchInput& input, std::vector<std::string>& bases,
                          int32_t timeLimitSeconds = kSearchTimeLimitSeconds, bool* globalCatalog = nullptr);

/// The ports of a global catalog, plain and over ldaps://: an empty base DN there searches the
/// whole forest.
inline constexpr int32_t kGlobalCatalogPort = 3268;
inline constexpr int32_t kGlobalCatalogSecurePort = 3269;
/// True when every server the server field names (a host taking port) listens on a global
/// catalog's port.
bool OnGlobalCatalogPort(const std::string& server, int32_t port);
