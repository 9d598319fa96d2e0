// program_run.h - runs the built corvane-search as a process, its output caught in files.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "file_bytes.h"

namespace program_run {

using Args = std::vector<std::string>;

/** How a run ended: its exit status (-1 when it did not exit normally) and its two outputs. */
struct ProgramRun {
    int exitCode = -1;
    std::string out, err;
};

/// Starts corvane-search with args, standard output and error going to files in folder and
/// standard input read from input (/dev/null when empty). The environment is the test's, without
/// the directory library's own LDAPTLS_ settings and client configuration, plus environment
/// ("NAME=value" items); LDAPCONF is /dev/null unless environment names one. Returns
/// the process id, 0 when it could not start.
pid_t StartProgram(const Args& args, const std::filesystem::path& folder, const Args& environment = {},
                   const std::filesystem::path& input = {});

/// Waits for the process started in folder and reads its outputs.
ProgramRun FinishProgram(pid_t pid, const std::filesystem::path& folder);

/// Starts and finishes.
inline ProgramRun RunProgram(const Args& args, const std::filesystem::path& folder, const Args& environment = {},
                             const std::filesystem::path& input = {})
{
    return FinishProgram(StartProgram(args, folder, environment, input), folder);
}

}  // namespace program_run
