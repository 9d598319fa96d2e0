// main.cpp - corvane-search: a command-line directory search for scripts, writing the same bytes
// as the window's result export (or its details text).
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/cli_options.h"
#include "cli/cli_search.h"
#include "directory/directory_query.h"

namespace {

/// The search Ctrl+C stops; set before the handler is installed.
DirectoryQuery* g_search = nullptr;

extern "C" void StopOnInterrupt(int)
{
    g_search->Stop();
}

/// Ctrl+C stops the search cleanly instead of ending the program where it stands; a second
/// Ctrl+C ends it the default way.
void StopSearchOnInterrupt(DirectoryQuery& query)
{
    g_search = &query;
#ifdef _WIN32
    std::signal(SIGINT, StopOnInterrupt);
#else
    struct sigaction action = {};
    action.sa_handler = StopOnInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
#endif
}

/// Writes bytes unchanged; false when the stream refused any of them.
bool WriteBytes(std::FILE* stream, const std::string& bytes)
{
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    return std::fflush(stream) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The export's CR LF line ends must reach standard output unchanged.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const CliParseResult parsed = ParseCliOptions(args);
    if (!parsed.ok) {
        WriteBytes(stderr, "corvane-search: " + parsed.error + "\nTry 'corvane-search --help'.\n");
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
