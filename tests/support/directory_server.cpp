// directory_server.cpp - DirectoryServer: the names of the configurations, and a server started
// for the whole test program found through CORVANE_DIRECTORY_SERVERS.
#include "directory_server.h"

#include <cstdlib>
#include <fstream>

#include "host_path.h"

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
    switch (data) {
        case Data::Demo:
            return "demo";
        case Data::Large:
            return "large";
        case Data::Test:
            break;
    }
    return "test";
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
    const std::string folder = HostPath(std::string(shared) + "/" + ConfigName(config) + "-" + DataName(data));
    std::ifstream portFile(folder + "/port", std::ios::binary);
    std::string text;
    if (!portFile || !std::getline(portFile, text)) {
        return false;
    }
    m_port = ParsePort(text);
    m_folder = folder;
    return m_port > 0;
}

std::string DirectoryServer::Url() const
{
    return "ldap://" + Host() + ":" + std::to_string(m_port) + "/";
}

std::string DirectoryServer::CaFile() const
{
    return m_folder + "/tls/ca.pem";
}

int DirectoryServer::ParsePort(const std::string& text)
{
    const int port = std::atoi(text.c_str());
    return (port > 0 && port < 65536) ? port : 0;
}
