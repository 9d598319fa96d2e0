// program_run.cpp - starting corvane-search with posix_spawn and collecting its outcome.
#include "program_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <fstream>
#include <algorithm>

extern char** environ;

namespace program_run {

pid_t StartProgram(const Args& args, const std::filesystem::path& folder, const Args& environment,
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
    Args variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        // Neither the test's TLS settings nor its client configuration reach the program.
        const std::string text = *variable;
        if (text.rfind("LDAPTLS_", 0) != 0 && text.rfind("LDAPCONF=", 0) != 0 && text.rfind("LDAPRC=", 0) != 0 &&
            text.rfind("LDAPURI=", 0) != 0 && text.rfind("LDAPBASE=", 0) != 0 && text.rfind("LDAPNOINIT=", 0) != 0) {
            variables.push_back(*variable);
        }
    }
    variables.insert(variables.end(), environment.begin(), environment.end());
    // The machine's ldap.conf stays out unless a test names a configuration of its own.
    if (std::none_of(environment.begin(), environment.end(),
                     [](const std::string& item) { return item.rfind("LDAPCONF=", 0) == 0; })) {
        variables.push_back("LDAPCONF=/dev/null");
    }
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

ProgramRun FinishProgram(pid_t pid, const std::filesystem::path& folder)
{
    ProgramRun run;
    int status = 0;
    if (pid > 0) {
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
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
