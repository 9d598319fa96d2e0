// password_prompt_win.cpp - the password prompt on a Windows console (echo and line input off,
// the answer read through the wide console call and kept as UTF-8; Ctrl+C interrupts it) and the
// descriptor calls of the password reading (wide file names).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>

#include "cli/password_input.h"
#include "cli/password_line.h"
#include "directory/password.h"
#include "storage/native_path.h"

namespace {

std::atomic<bool> g_promptInterrupted{false};

BOOL WINAPI InterruptPrompt(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    g_promptInterrupted = true;
    // Ends the console read that waits for the answer.
    CancelIoEx(GetStdHandle(STD_INPUT_HANDLE), nullptr);
    return TRUE;
}

/// The console's echo off while it lives, and its mode back however the prompt ends.
class EchoOff {
public:
    explicit EchoOff(HANDLE console) : m_console(console)
    {
        g_promptInterrupted = false;
        SetConsoleCtrlHandler(InterruptPrompt, TRUE);
        m_saved = GetConsoleMode(console, &m_old) != 0;
        if (m_saved) {
            SetConsoleMode(console, (m_old & ~ENABLE_ECHO_INPUT) | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT);
        }
    }
    ~EchoOff()
    {
        if (m_saved) {
            SetConsoleMode(m_console, m_old);
        }
        SetConsoleCtrlHandler(InterruptPrompt, FALSE);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    HANDLE m_console;
    DWORD m_old = 0;
    bool m_saved = false;
};

void WriteConsoleText(const std::string& text)
{
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    const std::wstring wide = NativePath(text).wstring();
    if (!WriteConsoleW(error, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr)) {
        WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

}  // namespace

int OpenForReading(const std::string& path)
{
    return _wopen(NativePath(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

long ReadDescriptor(int fd, char* buffer, std::size_t size)
{
    return _read(fd, buffer, static_cast<unsigned>(size));
}

void CloseDescriptor(int fd)
{
    _close(fd);
}

bool CanPromptForPassword()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

PasswordInput PromptForPassword(const std::string& bindUser)
{
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring answer;
    bool read = false;
    {
        EchoOff echoOff(input);
        WriteConsoleText("Password for " + bindUser + ": ");
        wchar_t buffer[256];
        for (;;) {
            DWORD got = 0;
            if (!ReadConsoleW(input, buffer, 256, &got, nullptr) || g_promptInterrupted) {
                break;
            }
            answer.append(buffer, got);
            WipeBytes(buffer, sizeof buffer);
            if (got == 0 || answer.find(L'\n') != std::wstring::npos) {
                read = true;
                break;
            }
        }
    }
    // The Enter that ended the answer was not echoed.
    WriteConsoleText("\n");
    const std::size_t end = answer.find_first_of(L"\r\n");
    if (end != std::wstring::npos) {
        answer.resize(end);
    }
    std::string line;
    if (read && !g_promptInterrupted) {
        line = PathText(std::filesystem::path(answer));
    }
    WipeBytes(answer.data(), answer.size() * sizeof(wchar_t));
    if (g_promptInterrupted) {
        WipeString(line);
        PasswordInput interrupted;
        interrupted.status = PasswordInput::Status::Interrupted;
        return interrupted;
    }
    if (!read) {
        return PasswordFailed("cannot read the password from the terminal");
    }
    if (line.empty()) {
        return PasswordFailed("no password given for the bind name '" + bindUser + "'");
    }
    return PasswordTaken(line);
}
