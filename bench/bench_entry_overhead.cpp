// bench_entry_overhead.cpp - what one entry of an answer costs the search engine, from its bytes
// arriving to its row in the table: a loopback server sends a whole answer of 1000 entries in one
// write, and the time of a search of 0 entries is taken off that of 1000. Prints the medians and
// the cost per entry.
//
//   build/release/bench/bench_entry_overhead [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "directory/directory_query.h"
#include "result/result_table.h"
#include "scripted_directory.h"

namespace {

constexpr int kEntries = 1000;

double SearchSeconds(int port)
{
    DirectoryQuery query;
    query.SetServer("127.0.0.1", port, 3);
    query.SetLimits(100, 1000);
    ResultTable table;
    const auto start = std::chrono::steady_clock::now();
    const bool found = query.SearchForAttribute("dc=corvane,dc=test", "cn", "*", "cn", table);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!found) {
        std::fprintf(stderr, "bench_entry_overhead: search failed: %s\n", query.FailureReason().c_str());
        std::exit(1);
    }
    return took.count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    ScriptedDirectory empty(ScriptedDirectory::Script::FixedEntries, 0);
    ScriptedDirectory full(ScriptedDirectory::Script::FixedEntries, kEntries);
    if (!empty.Running() || !full.Running()) {
        std::fprintf(stderr, "bench_entry_overhead: cannot listen on 127.0.0.1\n");
        return 1;
    }
    SearchSeconds(empty.Port());
    SearchSeconds(full.Port());
    std::vector<double> none, thousand;
    for (int run = 0; run < runs; ++run) {
        none.push_back(SearchSeconds(empty.Port()));
        thousand.push_back(SearchSeconds(full.Port()));
    }
    const double perEntry = (Median(thousand) - Median(none)) / kEntries;
    std::printf("runs:                      %d of each\n", runs);
    std::printf("search of 0 entries:       %.3f ms (median)\n", Median(none) * 1e3);
    std::printf("search of %d entries:    %.3f ms (median)\n", kEntries, Median(thousand) * 1e3);
    std::printf("first entry to table:      %.3f us per entry (goal: under 2 us)\n", perEntry * 1e6);
    return 0;
}
