// directory_server_win.cpp - DirectoryServer on Windows: the server script runs on the build
// machine, not under Windows, so only servers started for the program (CORVANE_DIRECTORY_SERVERS) are used.
#include "directory_server.h"

void DirectoryServer::Start(Config config, Data data)
{
    m_error = std::string("no ") + ConfigName(config) + "-" + DataName(data) +
              " server was started for this program in the folder named by CORVANE_DIRECTORY_SERVERS";
}

DirectoryServer::~DirectoryServer() = default;
