// directory_server.cpp - DirectoryServer: runs the directory-server script and reads its port.
#include "directory_server.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

int ParsePort(const std::string& text)
{
    const int port = std::atoi(text.c_str());
    return (port > 0 && port < 65536) ? port : 0;
}

}  // namespace

const char* DirectoryServer::ConfigName(Config config)
{
    switch (config) {
        case Config::NoBind:
            return "nobind";
        case Config::SizeLimit:
            return "sizelimit";
        case Config::Tls:
            return "tls";
        case Config::StartTls:
            return "starttls";
        case Config::Login:
            return "login";
        case Config::Normal:
            break;
    }
    return "normal";
}

const char* DirectoryServer::DataName(Data data)
{
    return data == Data::Demo ? "demo" : "test";
}

DirectoryServer::DirectoryServer(Config config, Data data)
{
    if (!Attach(config, data)) {
        Start(config, data);
    }
}

bool DirectoryServer::Attach(Config config, Data data)
{
    const char* shared = std::getenv("CORVANE_DIRECTORY_SERVERS");
    if (shared == nullptr || *shared == '\0') {
        return false;
    }
    const std::string folder = std::string(shared) + "/" + ConfigName(config) + "-" + DataName(data);
    std::ifstream portFile(folder + "/port", std::ios::binary);
    std::string text;
    if (!portFile || !std::getline(portFile, text)) {
        return false;
    }
    m_port = ParsePort(text);
    m_folder = folder;
    return m_port > 0;
}

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

std::string DirectoryServer::Url() const
{
    return "ldap://" + Host() + ":" + std::to_string(m_port) + "/";
}

std::string DirectoryServer::CaFile() const
{
    return m_folder + "/tls/ca.pem";
}
