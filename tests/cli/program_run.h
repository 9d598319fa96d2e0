// program_run.h - runs the built corvane-search as a process, its output caught in files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "file_bytes.h"

namespace program_run {

using Args = std::vector<std::string>;

/// A started process: its id on POSIX, its handle on Windows; 0 when it did not start.
using Process = std::intptr_t;

/** How a run ended: its exit status (-1 when it did not exit normally) and its two outputs. */
struct ProgramRun {
    int exitCode = -1;
    std::string out, err;
};

/// Starts corvane-search with args, standard output and error going to files in folder and
/// standard input read from input (the null device when empty). The environment is the test's,
/// without the directory library's own LDAPTLS_ settings and client configuration, plus
/// environment ("NAME=value" items); LDAPCONF is /dev/null unless environment names one.
Process StartProgram(const Args& args, const std::filesystem::path& folder, const Args& environment = {},
                     const std::filesystem::path& input = {});

/// Waits for the process started in folder and reads its outputs.
ProgramRun FinishProgram(Process process, const std::filesystem::path& folder);

/// Starts and finishes.
inline ProgramRun RunProgram(const Args& args, const std::filesystem::path& folder, const Args& environment = {},
                             const std::filesystem::path& input = {})
{
    return FinishProgram(StartProgram(args, folder, environment, input), folder);
}

/// The environment of a run: inherited ("NAME=value" items) as StartProgram describes it, plus environment.
Args RunEnvironment(const Args& inherited, const Args& environment);

}  // namespace program_run
