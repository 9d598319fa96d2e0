// bench_result_layout.cpp - the layout of a 1000-entry answer by attribute name against the layout by
// position it replaced: runs the search once against a private test directory, then times both
// layouts (result rows and export table), the shown result the window and corvane-search lay out,
// and the search itself, and prints the medians and ratios. Then one entry of NAMES distinct
// attribute names from a scripted server (100,000 unless given): its layout, export, LDIF and
// details text, and how soon a stop raised during its layout ends it.
//
//   bench_result_layout [RUNS] [NAMES]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "directory/directory_query.h"
#include "result/result_table.h"
#include "directory_server.h"
#include "scripted_directory.h"
#include "search/details_text.h"
#include "search/export_text.h"
#include "search/ldif_export.h"
#include "result/result_layout.h"
#include "search/search_rules.h"
#include "result/shown_result.h"
#include "result/work_limit.h"
#include "test_directory.h"

namespace {

/** One entry's texts, one per column. */
struct Row {
    std::string dn;
    std::vector<std::string> values;
    bool hasValue = false;
};

/// The reference: every value cell in order, value k of a row into column k, whatever its attribute.
std::vector<Row> RowsByPosition(const ResultTable& table)
{
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(table.RowCount()));
    for (int32_t r = 0; r < table.RowCount(); ++r) {
        Row& row = rows.emplace_back();
        row.dn = table.CellView(0, r).text;
        for (int32_t c = 0; c < table.ColumnCount(); ++c) {
            const TaggedCell cell = table.CellView(c, r);
            if (cell.tag == kValueTag) {
                row.values.emplace_back(cell.text);
            }
        }
        row.hasValue = !row.values.empty();
    }
    return rows;
}

/// The layout by attribute name into the same rows: each value under the column of its name, several
/// values of a column joined.
std::vector<Row> RowsByName(const ResultTable& table, const QueryChoice& choice)
{
    std::vector<Row> rows(static_cast<std::size_t>(table.RowCount()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        rows[r].dn = EntryDn(table, static_cast<int32_t>(r));
        rows[r].values.resize(static_cast<std::size_t>(choice.columnCount()));
    }
    PlaceValues(table, choice,
                [&rows](std::size_t r, std::size_t k, int32_t, std::string_view, std::string_view value) {
                    std::string& text = rows[r].values[k];
                    if (rows[r].hasValue && !text.empty()) {
                        text.append(kValueJoin);
                    }
                    text.append(value);
                    rows[r].hasValue = true;
                    return true;
                });
    return rows;
}

/// Median nanoseconds of runs calls of work.
double MedianNanoseconds(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

/// One entry of names distinct attribute names: the layout of everything it goes to, and the stop.
int WideEntry(int names)
{
    ScriptedDirectory server(ScriptedDirectory::Script::ManyAttributes, names);
    if (!server.Running()) {
        std::fprintf(stderr, "bench_result_layout: no scripted server\n");
        return 1;
    }
    // cn and CN both go to the first column; mail goes nowhere.
    const SearchInput input{"127.0.0.1", server.Port(), test_directory::kBaseDn, "cn", "cn,mail", "x", ""};
    const QueryChoice choice = ChooseQuery(input, false);
    ResultTable table;
    DirectoryQuery query;
    RunSearch(query, input, choice, SearchValue(input, false), table);
    if (table.RowCount() != 1) {
        std::fprintf(stderr, "bench_result_layout: expected the wide entry, got %d rows\n", table.RowCount());
        return 1;
    }
    constexpr int kRuns = 5;
    const double copy = MedianNanoseconds(kRuns, [&] { ResultTable copied = table; });
    ShownResult shown;
    const double layout = MedianNanoseconds(kRuns, [&] { shown.Set(ResultTable(table), choice); }) - copy;
    const double csv = MedianNanoseconds(kRuns, [&] { ExportText(shown); });
    const double ldif = MedianNanoseconds(kRuns, [&] { LdifExport(shown); });
    const double allDetails = MedianNanoseconds(kRuns, [&] { DetailsText(table, {"cn", "*", "+"}, std::nullopt); });
    const double details =
        MedianNanoseconds(kRuns, [&] { DetailsText(table, DetailNames(DefaultDetailSlots()), std::nullopt); });

    // The stop: raised from this thread once the layout runs on another, as Escape or Ctrl+C do.
    std::vector<double> ends;
    int before = 0;
    for (int run = 0; run < kRuns; ++run) {
        std::atomic<bool> started{false};
        std::atomic<bool> stopped{false};
        std::atomic<bool> finished{false};
        bool laidOut = true;
        std::thread layoutThread([&] {
            WorkLimit limit([&stopped] { return stopped.load(); }, 0);
            ShownResult stoppedShown;
            started = true;
            laidOut = stoppedShown.Set(ResultTable(table), choice, limit);
            finished = true;
        });
        while (!started) {
            std::this_thread::yield();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(static_cast<int>(layout / 1e3 / 4)));
        const auto raised = std::chrono::steady_clock::now();
        stopped = true;
        while (!finished) {
            std::this_thread::yield();
        }
        ends.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - raised).count());
        layoutThread.join();
        before += laidOut ? 1 : 0;
    }
    std::sort(ends.begin(), ends.end());

    std::printf("\none entry of %d distinct attribute names (%d cells), result attributes %s, medians of %d runs\n",
                names, table.ColumnCount(), input.resultAttribute.c_str(), kRuns);
    std::printf("layout (ShownResult):         %8.3f ms (goal: under 1000 ms)\n", layout / 1e6);
    std::printf("export (CSV):                 %8.3f ms\n", csv / 1e6);
    std::printf("LDIF:                         %8.3f ms\n", ldif / 1e6);
    std::printf("details text cn,*,+:          %8.3f ms\n", allDetails / 1e6);
    std::printf("details text, default list:   %8.3f ms\n", details / 1e6);
    std::printf(
        "stop raised a quarter into the layout, ended after: %.3f ms median, %.3f ms most (goal: under 500 "
        "ms; %d of %d runs had ended before the stop)\n",
        ends[ends.size() / 2], ends.back(), before, kRuns);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const int names = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100000;
    DirectoryServer server;
    if (!server.Running()) {
        std::fprintf(stderr, "bench_result_layout: no directory server: %s\n", server.Error().c_str());
        return 1;
    }
    // uid p0 matches exactly 1000 people; the columns meet missing, repeated and aliased values.
    const SearchInput input{DirectoryServer::Host(),
                            server.Port(),
                            test_directory::kBaseDn,
                            "uid",
                            "cn,title,l,mail,telephoneNumber",
                            "p0",
                            ""};
    const QueryChoice choice = ChooseQuery(input, false);
    const std::string value = SearchValue(input, false);

    ResultTable table;
    const auto search = [&] {
        DirectoryQuery query;
        table = ResultTable();
        RunSearch(query, input, choice, value, table);
    };
    const double searchTime = MedianNanoseconds(std::max(1, runs / 10), search);
    if (table.RowCount() != 1000) {
        std::fprintf(stderr, "bench_result_layout: expected 1000 entries, got %d\n", table.RowCount());
        return 1;
    }

    std::size_t sink = 0;
    const double byPosition = MedianNanoseconds(runs, [&] { sink += RowsByPosition(table).size(); });
    const double byName = MedianNanoseconds(runs, [&] { sink += RowsByName(table, choice).size(); });

    // The shown result, as the window and corvane-search lay an answer out (the copy of the table it
    // takes is timed apart and left out).
    std::size_t entries = 0;
    const double copy = MedianNanoseconds(runs, [&] { entries += ResultTable(table).RowCount() > 0 ? 0 : 1; });
    const auto layOut = [&] {
        ShownResult result;
        result.Set(ResultTable(table), choice);
        entries += result.EntryCount();
    };
    const double shown = MedianNanoseconds(runs, layOut) - copy;

    std::printf("1000-entry search, result attributes %s, medians of %d runs (%zu rows laid out)\n",
                input.resultAttribute.c_str(), runs, sink);
    std::printf("search (query and sort):      %8.3f ms\n", searchTime / 1e6);
    std::printf("layout by position:           %8.3f ms\n", byPosition / 1e6);
    std::printf("layout by name:               %8.3f ms\n", byName / 1e6);
    std::printf("ratio name/position, layout:  %8.3f\n", byName / byPosition);
    std::printf("ratio name/position, search and layout: %.3f (goal: at most 1.10)\n",
                (searchTime + byName) / (searchTime + byPosition));
    std::printf("shown result (window, corvane-search): %.3f ms (%zu entries laid out)\n", shown / 1e6, entries);
    return WideEntry(names);
}
