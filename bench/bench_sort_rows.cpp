// bench_sort_rows.cpp - ResultTable::SortRows on 1,000 to 100,000 result rows with random,
// already sorted and all-equal keys, with the growth fitted against n log n per key kind.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "result/result_table.h"

namespace {

enum class Keys { Random, Sorted, AllEqual };

std::string EntryKey(int number)
{
    static const char* const surnames[] = {"adams", "Baker", "m\xC3\xBCller", "Nowak", "van Dijk", "Young"};
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", number);
    return std::string("<ENTRY>cn=") + surnames[number % 6] + " " + digits + ",ou=people,dc=corvane,dc=test";
}

/// A query-shaped table of rows rows: an entry cell, an attribute cell and a value cell each.
ResultTable MakeTable(int rows, Keys keys)
{
    std::vector<int> order(static_cast<std::size_t>(rows));
    std::iota(order.begin(), order.end(), 0);
    if (keys == Keys::Random) {
        std::mt19937 random(1640);
        std::shuffle(order.begin(), order.end(), random);
    }
    std::vector<std::string> entries;
    entries.reserve(order.size());
    for (int number : order) {
        entries.push_back(keys == Keys::AllEqual ? EntryKey(0) : EntryKey(number));
    }
    if (keys == Keys::Sorted) {
        std::sort(entries.begin(), entries.end(),
                  [](const std::string& a, const std::string& b) { return ResultTable::CompareKeys(a, b) < 0; });
    }
    ResultTable table;
    for (int row = 0; row < rows; ++row) {
        table.SetCell(0, row, entries[static_cast<std::size_t>(row)]);
        table.SetCell(1, row, "<ATTRIBUTE>telephoneNumber");
        table.SetCell(2, row, "<VALUE>+49 89 1234 " + std::to_string(row));
    }
    table.SetDimensions(3, rows);
    return table;
}

void SortRows(benchmark::State& state, Keys keys)
{
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        ResultTable table = MakeTable(rows, keys);
        state.ResumeTiming();
        benchmark::DoNotOptimize(table.SortRows(0, -1, -1));
        state.PauseTiming();
        table = ResultTable();  // freeing the rows is not part of the sort
        state.ResumeTiming();
    }
    state.SetComplexityN(rows);
}

}  // namespace

BENCHMARK_CAPTURE(SortRows, random, Keys::Random)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SortRows, sorted, Keys::Sorted)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SortRows, all_equal, Keys::AllEqual)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
