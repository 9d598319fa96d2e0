// directory_server.h - a private LDAP directory server for one test program, started and stopped
// through the directory-server script.
#pragma once

#include <string>

/**
 * Starts a private slapd with the test or demo data on 127.0.0.1 and a free port, in a fresh
 * temporary folder, and stops it (removing the folder) when destroyed.
 * When the environment variable CORVANE_DIRECTORY_SERVERS names a folder holding a server already
 * started for this configuration and data (in "<folder>/<config>-<data>", as the CTest fixture
 * made by corvane_directory_servers() does), that server is used instead and left running.
 * Check Running() before use; Error() says why it is not.
 */
class DirectoryServer {
public:
    /// Tls listens on ldaps:// only, with a certificate of a test CA made for the run (CaFile());
    /// StartTls listens on ldap:// and offers StartTLS with such a certificate.
    /// Login refuses anonymous searches and answers the reader of test_directory.h.
    enum class Config { Normal, NoBind, SizeLimit, Tls, StartTls, Login };
    /// Large holds the test data and as many generated people more (test_directory::kLargePeopleCount).
    enum class Data { Test, Demo, Large };

    explicit DirectoryServer(Config config = Config::Normal, Data data = Data::Test);
    ~DirectoryServer();
    DirectoryServer(const DirectoryServer&) = delete;
    DirectoryServer& operator=(const DirectoryServer&) = delete;

    /// True when the server answered when it was started (or found).
    bool Running() const { return m_port > 0; }
    /// The TCP port on 127.0.0.1; 0 when not running.
    int Port() const { return m_port; }
    /// The host to connect to: "127.0.0.1".
    static std::string Host() { return "127.0.0.1"; }
    /// "ldap://127.0.0.1:PORT/".
    std::string Url() const;
    /// The test CA's certificate (PEM) of the Tls configuration.
    std::string CaFile() const;
    /// Why the server is not running; empty when it is.
    const std::string& Error() const { return m_error; }

    /// The names the script uses: "normal", "nobind", "sizelimit", "tls", "starttls", "login" and "test", "demo",
    /// "large".
    static const char* ConfigName(Config config);
    static const char* DataName(Data data);

private:
    bool Attach(Config config, Data data);
    /// Starts a server of the program's own (POSIX only: on Windows the servers are started for it).
    void Start(Config config, Data data);
    /// The port a server wrote; 0 when the text is none.
    static int ParsePort(const std::string& text);

    std::string m_folder;
    bool m_owned = false;
    int m_port = 0;
    std::string m_error;
};
