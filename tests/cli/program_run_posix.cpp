// program_run_posix.cpp - starting corvane-search with posix_spawn and collecting its outcome.
#include "program_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

namespace program_run {

Process StartProgram(const Args& args, const std::filesystem::path& folder, const Args& environment,
                     const std::filesystem::path& input)
{
    const std::filesystem::path out = folder / "stdout", err = folder / "stderr";
    const std::filesystem::path in = input.empty() ? std::filesystem::path("/dev/null") : input;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    Args texts = {CORVANE_SEARCH_BINARY};
    texts.insert(texts.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    Args inherited;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        inherited.push_back(*variable);
    }
    Args variables = RunEnvironment(inherited, environment);
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, CORVANE_SEARCH_BINARY, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : 0;
}

ProgramRun FinishProgram(Process process, const std::filesystem::path& folder)
{
    ProgramRun run;
    int status = 0;
    if (process > 0) {
        while (waitpid(static_cast<pid_t>(process), &status, 0) < 0 && errno == EINTR) {
        }
        if (WIFEXITED(status)) {
            run.exitCode = WEXITSTATUS(status);
        }
    }
    run.out = FileBytes(folder / "stdout");
    run.err = FileBytes(folder / "stderr");
    return run;
}

}  // namespace program_run
