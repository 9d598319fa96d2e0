// fuzz_directory_answer.cpp - fuzzes the answer path of a search: the input is a directory
// server's answer (bind response, entries, references, results), played on a socket pair in the
// pieces the input's first bytes choose, through the client library, the answer guard, the entry
// reader, the pages of the search and the result table, then laid out and written in every form
// the program makes of a result: the export lines, the details text, LDIF, the copied table and
// corvane-search's output.
//
// Input: flags, limits, a piece plan (count, then one size byte per piece), then the answer.
//   flags bits 0-2: 0-3 the window's search, 4 corvane-search (csv), 5 (ldif), 6 (--details),
//                   7 (--list-bases); bits 3-4 the result attribute field; bit 5 a bind name;
//                   bit 6 swap; bit 7 the details of every attribute ("*,+") instead of the default list
//   limits bits 0-2: the entry cap; bits 3-4: the answer bound
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_search.h"
#include "directory/directory_query.h"
#include "directory/password.h"
#include "directory/query_failure.h"
#include "result/result_table.h"
#include "ldif_reader.h"
#include "output_checks.h"
#include "scripted_answer.h"
#include "search/copied_items.h"
#include "search/details_text.h"
#include "search/entry_photos.h"
#include "search/export_text.h"
#include "search/ldif_export.h"
#include "search/ldif_text.h"
#include "result/result_layout.h"
#include "search/search_rules.h"
#include "result/shown_result.h"
#include "result/work_limit.h"
#include "storage/connection_profile.h"

namespace {

/// Longer than any input takes: a search that waits for it has ignored the server's close.
constexpr int32_t kTimeLimitSeconds = 60;
/// Piece boundaries are cycled through the plan up to this many pieces; the rest goes at once.
constexpr std::size_t kMostPieces = 32;

constexpr const char* kResultFields[] = {"cn", "cn,mail,jpegPhoto", "*", "CN,cn;binary,"};
constexpr uint32_t kCaps[] = {1, 2, 3, 5, 10, 55, 1000, 1000000};
constexpr std::uint64_t kBounds[] = {DirectoryQuery::kDefaultAnswerBoundBytes, 200, 1000, 5000};

#define REQUIRE(condition)                                                                               \
    do {                                                                                                 \
        if (!(condition)) {                                                                              \
            std::fprintf(stderr, "fuzz_directory_answer: %s failed at line %d\n", #condition, __LINE__); \
            std::abort();                                                                                \
        }                                                                                                \
    } while (false)

struct Plan {
    unsigned run = 0;
    std::string resultField;
    bool bind = false;
    bool swap = false;
    bool everyDetail = false;
    uint32_t cap = 1000;
    std::uint64_t bound = DirectoryQuery::kDefaultAnswerBoundBytes;
    std::vector<std::size_t> pieces;
    std::string_view answer;
};

std::optional<Plan> ReadPlan(const uint8_t* data, std::size_t size)
{
    if (size < 3) {
        return std::nullopt;
    }
    Plan plan;
    plan.run = data[0] & 7;
    plan.resultField = kResultFields[(data[0] >> 3) & 3];
    plan.bind = (data[0] & 0x20) != 0;
    plan.swap = (data[0] & 0x40) != 0;
    plan.everyDetail = (data[0] & 0x80) != 0;
    plan.cap = kCaps[data[1] & 7];
    plan.bound = kBounds[(data[1] >> 3) & 3];
    const std::size_t count = data[2] & 15;
    if (size < 3 + count) {
        return std::nullopt;
    }
    for (std::size_t k = 0; count > 0 && k < kMostPieces; ++k) {
        plan.pieces.push_back(static_cast<std::size_t>(data[3 + k % count]) + 1);
    }
    plan.answer = std::string_view(reinterpret_cast<const char*>(data) + 3 + count, size - 3 - count);
    return plan;
}

SearchFields Fields(const Plan& plan)
{
    SearchFields fields;
    fields.server = "directory.test";
    fields.baseDn = "dc=corvane,dc=test";
    fields.searchAttribute = "cn";
    fields.resultAttribute = plan.resultField;
    fields.searchString = "a";
    return fields;
}

/// The bytes of every stored cell of the table.
std::uint64_t BytesOf(const ResultTable& table)
{
    std::uint64_t bytes = 0;
    for (int32_t row = 0; row < table.RowCount(); ++row) {
        for (int32_t column = 0; column < table.ColumnCount() && !RowEnded(table, column, row); ++column) {
            bytes += table.CellView(column, row).text.size();
        }
    }
    return bytes;
}

/// LDIF as the export writes it: ASCII, lines folded within 76 bytes, read back to exactly the
/// values of entries, byte for byte, binary ones included.
void CheckLdif(const std::string& ldif, const std::vector<LdifEntry>& entries)
{
    std::size_t lineStart = 0;
    for (std::size_t at = 0; at < ldif.size(); ++at) {
        REQUIRE(static_cast<unsigned char>(ldif[at]) < 0x80);
        if (ldif[at] == '\n') {
            REQUIRE(at - lineStart <= 76);
            lineStart = at + 1;
        }
    }
    const std::optional<std::vector<LdifRecord>> records = ReadLdif(ldif);
    REQUIRE(records.has_value());
    REQUIRE(records->size() == entries.size());
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const LdifRecord& record = (*records)[e];
        REQUIRE(record.dn == entries[e].dn);
        std::size_t next = 0;
        for (const LdifEntry::Attribute& attribute : entries[e].attributes) {
            for (const std::string& value : attribute.values) {
                REQUIRE(next < record.values.size());
                REQUIRE(record.values[next].first == attribute.name);
                REQUIRE(record.values[next].second == value);
                ++next;
            }
        }
        REQUIRE(next == record.values.size());
    }
}

/// The entries the LDIF export holds: each shown entry by its DN, the values of each column under
/// the column's name (blanks around it dropped), columns of no value, no name or a name that is no
/// LDIF attribute name left out.
std::vector<LdifEntry> ShownEntries(const ShownResult& shown)
{
    const std::size_t columns = shown.ColumnCount();
    std::vector<std::vector<std::string>> values(shown.EntryCount() * columns);
    shown.EachValue(
        [&](uint32_t row, std::size_t k, std::string_view value) { values[row * columns + k].emplace_back(value); });
    std::vector<LdifEntry> entries;
    for (std::size_t at = 0; at < shown.EntryCount(); ++at) {
        const uint32_t row = shown.EntryRow(at);
        LdifEntry& entry = entries.emplace_back();
        entry.dn = shown.RowDn(row);
        for (std::size_t k = 0; k < columns; ++k) {
            const std::string& name = shown.Headings()[k];
            const std::size_t first = name.find_first_not_of(' ');
            if (first == std::string::npos || values[row * columns + k].empty()) {
                continue;
            }
            // A name LDIF cannot hold is left out, with a comment line the reader skips.
            std::string trimmed = name.substr(first, name.find_last_not_of(' ') - first + 1);
            if (IsLdifAttributeName(trimmed)) {
                entry.attributes.push_back({std::move(trimmed), values[row * columns + k]});
            }
        }
    }
    return entries;
}

/// The window's search: every output made of its result.
void RunWindowSearch(const Plan& plan)
{
    const SearchInput input = [&] {
        SearchInput made = MakeSearchInput(Fields(plan));
        made.maxEntries = plan.cap;
        return made;
    }();
    const QueryChoice choice = ChooseQuery(input, plan.swap);
    DirectoryQuery query;
    query.SetAnswerBound(plan.bound);
    if (plan.bind) {
        query.SetBind("cn=reader,dc=corvane,dc=test", Password("secret"));
    }
    ResultTable table;
    SearchOutcome outcome;
    {
        ScriptedAnswer answer(plan.answer, plan.pieces);
        outcome = RunSearch(query, input, choice, SearchValue(input, plan.swap), table, kTimeLimitSeconds);
    }
    if (outcome.failed) {
        // A failure's text is shown in one message line, whatever the server said.
        REQUIRE(!outcome.failureReason.empty());
        REQUIRE(HasOnlyControls(outcome.failureReason, ""));
        REQUIRE(IsWellFormedUtf8(outcome.failureReason));
        REQUIRE(table.RowCount() == 0);
        return;
    }
    REQUIRE(outcome.failureReason.empty());
    // What the search keeps is bounded by the answer bound, whatever the server claims.
    REQUIRE(BytesOf(table) <= plan.bound);

    const DetailSlots slots = plan.everyDetail ? SlotsFromList({"*", "+"}) : DefaultDetailSlots();
    const std::vector<std::string> names = DetailNames(slots);
    const std::string details = DetailsText(table, names, std::nullopt);
    WorkLimit unlimited;
    const std::optional<std::string> escaped =
        DetailsText(table, names, std::nullopt, DetailsForm::ControlsEscaped, unlimited);
    REQUIRE(escaped.has_value());
    REQUIRE(HasOnlyControls(*escaped, "\r\n"));

    ShownResult shown;
    shown.Set(std::move(table), choice);
    const std::string exported = ExportText(shown);
    CheckLdif(LdifExport(shown), ShownEntries(shown));

    // The copied table: a heading line and one line per item, each cell in its place.
    const std::string copied = CopiedItems(shown, {});
    const std::size_t itemCount = shown.ItemCount();
    std::size_t lines = 0;
    std::size_t tabs = 0;
    for (const char c : copied) {
        lines += c == '\n' ? 1 : 0;
        tabs += c == '\t' ? 1 : 0;
        REQUIRE(c != '\r');
    }
    REQUIRE(lines == itemCount + 1);
    REQUIRE(tabs == lines * (shown.Headings().size() - 1));

    // Values, names and DNs are shown in a readable form whatever their bytes: every output is UTF-8.
    REQUIRE(IsWellFormedUtf8(exported));
    REQUIRE(IsWellFormedUtf8(details));
    REQUIRE(IsWellFormedUtf8(*escaped));
    REQUIRE(IsWellFormedUtf8(copied));
    for (const std::string& heading : shown.ShownHeadings()) {
        REQUIRE(IsWellFormedUtf8(heading));
    }
    for (std::size_t entry = 0; entry < shown.EntryCount(); ++entry) {
        REQUIRE(IsWellFormedUtf8(PhotoCaption(shown.RowDn(shown.EntryRow(entry)))));
    }
}

/// corvane-search: its exit status, its messages and its output.
void RunCommandLine(const Plan& plan)
{
    CliOptions options;
    const SearchFields fields = Fields(plan);
    options.server = fields.server;
    options.baseDn = fields.baseDn;
    options.searchAttribute = fields.searchAttribute;
    options.resultAttribute = fields.resultAttribute;
    options.searchString = fields.searchString;
    options.entryCap = plan.cap;
    options.timeLimit = kTimeLimitSeconds;
    options.swap = plan.swap;
    options.format = plan.run == 5 ? "ldif" : "csv";
    options.details = plan.run == 6;
    options.listBases = plan.run == 7;
    if (plan.everyDetail) {
        options.detailAttributes = "*,+";
    }
    DirectoryQuery query;
    query.SetAnswerBound(plan.bound);
    CliOutcome outcome;
    {
        ScriptedAnswer answer(plan.answer, plan.pieces);
        outcome = RunCliSearch(options, query, kTimeLimitSeconds);
    }
    REQUIRE(outcome.exitCode == kExitFound || outcome.exitCode == kExitNoResult ||
            outcome.exitCode == kExitSearchFailed);
    // Every message is one line of its own, naming the program, whatever the server sent.
    std::string_view messages = outcome.standardError;
    REQUIRE(HasOnlyControls(messages, "\n"));
    REQUIRE(IsWellFormedUtf8(messages));
    while (!messages.empty()) {
        REQUIRE(messages.starts_with("corvane-search: "));
        const std::size_t end = messages.find('\n');
        REQUIRE(end != std::string_view::npos);
        messages.remove_prefix(end + 1);
    }
    REQUIRE(outcome.exitCode == kExitFound || outcome.standardOutput.empty());
    if (options.details) {
        REQUIRE(HasOnlyControls(outcome.standardOutput, "\r\n"));
        REQUIRE(IsWellFormedUtf8(outcome.standardOutput));
    } else if (options.listBases) {
        REQUIRE(HasOnlyControls(outcome.standardOutput, "\n"));
        REQUIRE(IsWellFormedUtf8(outcome.standardOutput));
    } else if (*options.format == "csv") {
        REQUIRE(IsWellFormedUtf8(outcome.standardOutput));
    } else if (*options.format == "ldif" && outcome.exitCode == kExitFound) {
        REQUIRE(ReadLdif(outcome.standardOutput).has_value());
        for (const char c : outcome.standardOutput) {
            REQUIRE(static_cast<unsigned char>(c) < 0x80);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::optional<Plan> plan = ReadPlan(data, size);
    if (!plan) {
        return 0;
    }
    if (plan->run < 4) {
        RunWindowSearch(*plan);
    } else {
        RunCommandLine(*plan);
    }
    return 0;
}
