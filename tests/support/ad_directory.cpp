// ad_directory.cpp - AdDirectory: reads the ports, the reader's password and a reason to skip from
// the folder of the running domain controller.
#include "ad_directory.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "host_path.h"

namespace {

/// The file's whole text; empty when it cannot be read.
std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int PortIn(const std::string& path)
{
    const int port = std::atoi(FileText(path).c_str());
    return (port > 0 && port < 65536) ? port : 0;
}

}  // namespace

AdDirectory::AdDirectory()
{
    const char* folder = std::getenv("CORVANE_AD_DIRECTORY");
    if (folder == nullptr || *folder == '\0') {
        m_error = "CORVANE_AD_DIRECTORY names no folder of a running Active Directory test directory";
        return;
    }
    m_folder = HostPath(folder);
    m_skipReason = FileText(m_folder + "/skip-reason");
    while (!m_skipReason.empty() && (m_skipReason.back() == '\n' || m_skipReason.back() == '\r')) {
        m_skipReason.pop_back();
    }
    m_port = PortIn(m_folder + "/port");
    m_ldapsPort = PortIn(m_folder + "/ldaps-port");
    m_gcPort = PortIn(m_folder + "/gc-port");
    m_gcsPort = PortIn(m_folder + "/gcs-port");
    m_readerPassword = FileText(m_folder + "/reader-password");
    if (m_port == 0 && m_skipReason.empty()) {
        m_error = "the Active Directory test directory in " + m_folder + " is not running";
    }
}
