// bench_result_layout.cpp - the layout of a 1000-entry answer by attribute name against the layout by
// position it replaced: runs the search once against a private test directory, then times both
// layouts (result rows and export table) and the search itself, and prints the medians and ratios.
//
//   bench_result_layout [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "directory/directory_query.h"
#include "directory/result_table.h"
#include "directory_server.h"
#include "search/search_rules.h"
#include "test_directory.h"

namespace {

/// The reference: every value cell in order, value k of a row into column k, whatever its attribute.
std::vector<ResultRow> RowsByPosition(const ResultTable& table)
{
    std::vector<ResultRow> rows;
    rows.reserve(static_cast<std::size_t>(table.RowCount()));
    for (int32_t r = 0; r < table.RowCount(); ++r) {
        ResultRow& row = rows.emplace_back();
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

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
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
    const double byPosition = MedianNanoseconds(
        runs, [&] { sink += MakeExportTable(RowsByPosition(table), choice.columnCount()).RowCount(); });
    const double byName = MedianNanoseconds(
        runs, [&] { sink += MakeExportTable(ResultRows(table, choice), choice.columnCount()).RowCount(); });

    std::printf("1000-entry search, result attributes %s, medians of %d runs (%zu rows laid out)\n",
                input.resultAttribute.c_str(), runs, sink);
    std::printf("search (query and sort):      %8.3f ms\n", searchTime / 1e6);
    std::printf("layout by position:           %8.3f ms\n", byPosition / 1e6);
    std::printf("layout by name:               %8.3f ms\n", byName / 1e6);
    std::printf("ratio name/position, layout:  %8.3f\n", byName / byPosition);
    std::printf("ratio name/position, search and layout: %.3f (goal: at most 1.10)\n",
                (searchTime + byName) / (searchTime + byPosition));
    return 0;
}
