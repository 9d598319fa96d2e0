// console_posix.cpp - the console on POSIX: stdout takes bytes as they are, and
// SIGINT stops the search once.
#include <signal.h>

#include "cli/console.h"
#include "directory/directory_query.h"

namespace {

/// The search Ctrl+C stops; set before the handler is installed.
DirectoryQuery* g_search = nullptr;

extern "C" void StopOnInterrupt(int)
{
    g_search->Stop();
}

}  // namespace

void UseBinaryStandardOutput() {}

bool WriteText(std::FILE* stream, const std::string& bytes)
{
    // A terminal takes UTF-8 as it is.
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    return std::fflush(stream) == 0 && ok;
}

void StopSearchOnInterrupt(DirectoryQuery& query)
{
    g_search = &query;
    struct sigaction action = {};
    action.sa_handler = StopOnInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}
