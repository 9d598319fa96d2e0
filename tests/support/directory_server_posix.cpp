// directory_server_posix.cpp - DirectoryServer on POSIX: starts and stops its own server by
// running the directory-server script.
#include "directory_server.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#ifndef CORVANE_DIRECTORY_SERVER_SCRIPT
#error "CORVANE_DIRECTORY_SERVER_SCRIPT must name the directory-server script"
#endif

namespace {

/// Runs the script with arguments (no shell); returns its exit status and fills out with its
/// standard output. Its standard error goes to ours, so a failure shows in the test's log.
int RunScript(const std::vector<std::string>& arguments, std::string& out)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return -1;
    }
    std::vector<std::string> texts{CORVANE_DIRECTORY_SERVER_SCRIPT};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child < 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        return -1;
    }
    if (child == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        int devNull = open("/dev/null", O_RDONLY);
        if (devNull >= 0) {
            dup2(devNull, STDIN_FILENO);
            close(devNull);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    char buffer[256];
    for (;;) {
        const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
        if (got > 0) {
            out.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    close(pipeFds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

void DirectoryServer::Start(Config config, Data data)
{
    std::error_code error;
    std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    if (error) {
        temp = "/tmp";
    }
    std::string pattern = (temp / "corvane-directory-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        m_error = "cannot create a temporary folder for the directory server";
        return;
    }
    m_folder = pattern;
    m_owned = true;
    std::string out;
    const int status = RunScript({"start", m_folder, "--config", ConfigName(config), "--data", DataName(data)}, out);
    m_port = status == 0 ? ParsePort(out) : 0;
    if (m_port == 0) {
        m_error = "the directory server did not start (exit status " + std::to_string(status) + ")";
    }
}

DirectoryServer::~DirectoryServer()
{
    if (!m_owned) {
        return;
    }
    std::string out;
    RunScript({"stop", m_folder}, out);
    std::error_code error;
    std::filesystem::remove_all(m_folder, error);
}
