// main.cpp - corvane-search: a command-line directory search for scripts, writing the same bytes
// as the window's result export (or its details text).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_search.h"
#include "cli/console.h"
#include "directory/client_defaults.h"
#include "directory/directory_query.h"
#include "directory/query_failure.h"
#include "platform/command_line.h"

int main(int argc, char** argv)
{
    UseBinaryStandardOutput();
    const std::vector<std::string> args = CommandArguments(argc, argv);
    const CliParseResult parsed = ParseCliOptions(args);
    if (!parsed.ok) {
        // The error may quote an argument: it stays one line whatever the argument holds.
        WriteText(stderr,
                  "corvane-search: " + EscapeControlCharacters(parsed.error) + "\nTry 'corvane-search --help'.\n");
        return kExitUsage;
    }
    if (parsed.options.help) {
        return WriteText(stdout, UsageText()) ? kExitFound : kExitCannotWrite;
    }
    // Only a sign-in with the ticket needs the SASL mechanisms; a profile may ask for it too.
    if (!parsed.options.saslMechanism.has_value() && !parsed.options.profile.has_value()) {
        LeaveSaslMechanismsUnloaded();
    }
    DirectoryQuery query;
    StopSearchOnInterrupt(query);
    const CliOutcome outcome = RunCliSearch(parsed.options, query);
    WriteText(stderr, outcome.standardError);
    if (!WriteText(stdout, outcome.standardOutput)) {
        WriteText(stderr, "corvane-search: cannot write to standard output\n");
        return kExitCannotWrite;
    }
    if (outcome.searchLeftRunning) {
        // The search still inside the client library uses query: end here, before it goes away.
        std::_Exit(outcome.exitCode);
    }
    return outcome.exitCode;
}
