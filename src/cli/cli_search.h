// cli_search.h - one run of corvane-search: profile and options into the search fields, the
// input checks, the search or details query, and the bytes and messages it produces.
#pragma once

#include <string>

#include "cli/cli_options.h"

class DirectoryQuery;

/// Exit statuses of corvane-search.
enum CliExit : int {
    kExitFound = 0,         ///< entries found and written
    kExitNoResult = 1,      ///< the search found no entry
    kExitUsage = 2,         ///< bad command line, unreadable profile or a failed input check
    kExitCannotWrite = 3,   ///< the output could not be written
    kExitSearchFailed = 4,  ///< the search failed: no connection, bind refused, time-out, the server's error
    kExitStopped = 130,     ///< stopped by Ctrl+C (SIGINT) before it ended; nothing written
};

/** What a run produced: its exit status, the bytes for standard output and the message text. */
struct CliOutcome {
    int exitCode = kExitFound;
    std::string standardOutput;  ///< export bytes or details text (empty when written to a file)
    std::string standardError;   ///< messages, each ended by a line end
    /// The search did not end within its time limit and still runs inside the client library,
    /// using the query: the program ends once the outcome is written, without waiting for it.
    bool searchLeftRunning = false;
};

/// Runs the search the options describe against the directory through query, which another
/// thread or a signal handler may Stop(); past its time limit the run ends with the time-out
/// failure whatever the query is doing (see CliOutcome::searchLeftRunning). timeLimitSeconds is the limit of the query
/// (the window's 100 s unless a caller needs less).
CliOutcome RunCliSearch(const CliOptions& options, DirectoryQuery& query, int timeLimitSeconds = 100);
