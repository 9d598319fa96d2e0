// program_run_win.cpp - starting corvane-search.exe with CreateProcessW and collecting its outcome.
#include "program_run.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "host_path.h"
#include "storage/wide_text.h"

namespace program_run {

namespace {

/// One argument quoted so that the program's command-line split gives it back unchanged:
/// backslashes count only before a quote, where they are doubled and the quote escaped.
std::wstring Quoted(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t character : argument) {
        if (character == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(character == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted += character;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

/// The environment block: "NAME=value" items, each NUL-ended, and a closing NUL.
std::wstring EnvironmentBlock(const Args& environment)
{
    Args inherited;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* item = strings; item != nullptr && *item != L'\0'; item += wcslen(item) + 1) {
        inherited.push_back(Utf8Text(item));
    }
    FreeEnvironmentStringsW(strings);
    std::wstring block;
    for (const std::string& item : RunEnvironment(inherited, environment)) {
        block += WideText(item);
        block += L'\0';
    }
    return block + L'\0';
}

/// A file handle the program inherits: read from an existing file, or written from empty.
HANDLE InheritedFile(const std::filesystem::path& path, bool writing)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.wstring().c_str(), writing ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, writing ? CREATE_ALWAYS : OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

Process StartProgram(const Args& args, const std::filesystem::path& folder, const Args& environment,
                     const std::filesystem::path& input)
{
    const std::wstring program = WideText(HostPath(CORVANE_SEARCH_BINARY));
    std::wstring commandLine = Quoted(program);
    for (const std::string& argument : args) {
        commandLine += L" " + Quoted(WideText(argument));
    }
    std::wstring block = EnvironmentBlock(environment);
    const HANDLE files[3] = {InheritedFile(input.empty() ? std::filesystem::path(L"NUL") : input, false),
                             InheritedFile(folder / "stdout", true), InheritedFile(folder / "stderr", true)};
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = files[0];
    startup.hStdOutput = files[1];
    startup.hStdError = files[2];
    PROCESS_INFORMATION started{};
    const bool ok =
        std::none_of(std::begin(files), std::end(files), [](HANDLE file) { return file == INVALID_HANDLE_VALUE; }) &&
        CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                       block.data(), nullptr, &startup, &started);
    for (const HANDLE file : files) {
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
    }
    if (!ok) {
        return 0;
    }
    CloseHandle(started.hThread);
    return reinterpret_cast<Process>(started.hProcess);
}

ProgramRun FinishProgram(Process process, const std::filesystem::path& folder)
{
    ProgramRun run;
    if (process != 0) {
        const HANDLE handle = reinterpret_cast<HANDLE>(process);
        DWORD code = 0;
        if (WaitForSingleObject(handle, INFINITE) == WAIT_OBJECT_0 && GetExitCodeProcess(handle, &code)) {
            run.exitCode = static_cast<int>(code);
        }
        CloseHandle(handle);
    }
    run.out = FileBytes(folder / "stdout");
    // Standard error is the runtime's text stream, whose line ends are CR LF: read back as text.
    for (const char byte : FileBytes(folder / "stderr")) {
        if (byte != '\r') {
            run.err += byte;
        }
    }
    return run;
}

}  // namespace program_run
