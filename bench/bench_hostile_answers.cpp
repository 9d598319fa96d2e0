// bench_hostile_answers.cpp - time and peak memory of a search against answers built to hurt: one
// entry of 100,000 attributes, and entries of 100 MiB values without end (held by the answer
// bound of 256 MiB). Each search runs in a child process of its own, so the peak resident size
// is that search's alone.
//
//   build/release/bench/bench_hostile_answers
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "directory/directory_query.h"
#include "result/result_table.h"
#include "scripted_directory.h"

namespace {

using Script = ScriptedDirectory::Script;

/// Runs one search in a child against a server of this process; prints its time and peak.
void Measure(const char* name, Script script, int count, std::size_t valueBytes)
{
    ScriptedDirectory server(script, count, valueBytes);
    if (!server.Running()) {
        std::printf("%-34s no server\n", name);
        return;
    }
    std::fflush(stdout);  // the child must not print this process's pending output again
    const pid_t child = fork();
    if (child == 0) {
        const auto start = std::chrono::steady_clock::now();
        DirectoryQuery query;
        query.SetServer("127.0.0.1", server.Port(), 3);
        query.SetLimits(100, 1000);
        ResultTable table;
        const bool found = query.SearchForAttributes("dc=corvane,dc=test", "cn", "*", {}, table);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("%-34s %.2f s: %s, %d rows, %d columns%s %s\n", name, took.count(), found ? "found" : "failed",
                    table.RowCount(), table.ColumnCount(), query.Cut() ? ", cut" : "", query.FailureReason().c_str());
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    std::printf("%-34s peak %ld MiB resident, %.2f s processor\n", "", usage.ru_maxrss / 1024,
                static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                    static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6);
}

}  // namespace

int main()
{
    Measure("one entry of 100,000 attributes", Script::ManyAttributes, 100000, 0);
    Measure("values of 100 MiB without end", Script::EndlessEntries, 0, 100u * 1024u * 1024u);
    return 0;
}
