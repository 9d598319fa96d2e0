// console_win.cpp - the console on Windows: stdout in binary mode, and the console's Ctrl+C (or Ctrl+Break) stopping
// the search once.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>

#include "cli/console.h"
#include "directory/directory_query.h"

namespace {

DirectoryQuery* g_search = nullptr;
std::atomic<bool> g_stopped{false};

BOOL WINAPI StopOnInterrupt(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    // The first one stops the search; a second one is left to the default, which ends the program.
    if (g_stopped.exchange(true))
        return FALSE;
    g_search->Stop();
    return TRUE;
}

}  // namespace

void UseBinaryStandardOutput()
{
    // The export's CR LF line ends must reach standard output unchanged.
    _setmode(_fileno(stdout), _O_BINARY);
}

void StopSearchOnInterrupt(DirectoryQuery& query)
{
    g_search = &query;
    SetConsoleCtrlHandler(StopOnInterrupt, TRUE);
}
