// main.cpp - corvane-search: a command-line directory search for scripts, writing the same bytes
// as the window's result export (or its details text).
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_search.h"
#include "cli/console.h"
#include "directory/directory_query.h"
#include "directory/query_failure.h"
#include "platform/command_line.h"

namespace {

/// Writes bytes unchanged; false when the stream refused any of them.
bool WriteBytes(std::FILE* stream, const std::string& bytes)
{
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    return std::fflush(stream) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv)
{
    UseBinaryStandardOutput();
    const std::vector<std::string> args = CommandArguments(argc, argv);
    const CliParseResult parsed = ParseCliOptions(args);
    if (!parsed.ok) {
        // The error may quote an argument: it stays one line whatever the argument holds.
        WriteBytes(stderr,
                   "corvane-search: " + EscapeControlCharacters(parsed.error) + "\nTry 'corvane-search --help'.\n");
        return kExitUsage;
    }
    if (parsed.options.help) {
        return WriteBytes(stdout, UsageText()) ? kExitFound : kExitCannotWrite;
    }
    DirectoryQuery query;
    StopSearchOnInterrupt(query);
    const CliOutcome outcome = RunCliSearch(parsed.options, query);
    WriteBytes(stderr, outcome.standardError);
    if (!WriteBytes(stdout, outcome.standardOutput)) {
        WriteBytes(stderr, "corvane-search: cannot write to standard output\n");
        return kExitCannotWrite;
    }
    return outcome.exitCode;
}
