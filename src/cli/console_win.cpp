// console_win.cpp - the console on Windows: stdout in binary mode, text to a console through the
// wide console call, and the console's Ctrl+C (or Ctrl+Break) stopping the search once.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "cli/console.h"
#include "directory/directory_query.h"
#include "storage/wide_text.h"

namespace {

DirectoryQuery* g_search = nullptr;
std::atomic<bool> g_stopped{false};

BOOL WINAPI StopOnInterrupt(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    // The first one stops the search; a second one is left to the default, which ends the program.
    if (g_stopped.exchange(true)) {
        return FALSE;
    }
    g_search->Stop();
    return TRUE;
}

}  // namespace

bool WriteText(std::FILE* stream, const std::string& bytes)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
        // A file or a pipe gets the bytes the POSIX build writes.
        const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
        return std::fflush(stream) == 0 && ok;
    }
    // The console's code page (850, 437, ...) would show UTF-8 bytes as other characters.
    std::fflush(stream);
    const std::wstring wide = WideText(bytes);
    // A console takes a limited amount of text in one call.
    constexpr std::size_t kPiece = 8192;
    for (std::size_t at = 0; at < wide.size();) {
        std::size_t length = std::min(kPiece, wide.size() - at);
        if (length > 1 && IS_HIGH_SURROGATE(wide[at + length - 1])) {
            --length;  // a character's two halves go together
        }
        DWORD written = 0;
        if (!WriteConsoleW(handle, wide.data() + at, static_cast<DWORD>(length), &written, nullptr) || written == 0) {
            return false;
        }
        at += written;
    }
    return true;
}

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
