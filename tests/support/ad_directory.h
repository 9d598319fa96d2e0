// ad_directory.h - the Active Directory test directory a CTest fixture started for the test program.
#pragma once

#include <string>

/**
 * The domain controller started by directory-server's "ad" configuration in the folder the
 * environment variable CORVANE_AD_DIRECTORY names (as the fixture of tests/ad does). Running()
 * when it answers; otherwise SkipReason() says why Samba cannot run here (tests skip with it), or
 * Error() why the directory is missing.
 */
class AdDirectory {
public:
    AdDirectory();

    bool Running() const { return m_port > 0; }
    /// The ports on 127.0.0.1: ldap:// with StartTLS, ldaps://, and the global catalog's two.
    int Port() const { return m_port; }
    int LdapsPort() const { return m_ldapsPort; }
    int GcPort() const { return m_gcPort; }
    int GcsPort() const { return m_gcsPort; }
    /// The test CA's certificate (PEM), of which the server's certificate for 127.0.0.1 comes.
    std::string CaFile() const { return m_folder + "/tls/ca.pem"; }
    const std::string& ReaderPassword() const { return m_readerPassword; }
    const std::string& SkipReason() const { return m_skipReason; }
    const std::string& Error() const { return m_error; }

private:
    std::string m_folder;
    int m_port = 0, m_ldapsPort = 0, m_gcPort = 0, m_gcsPort = 0;
    std::string m_readerPassword;
    std::string m_skipReason;
    std::string m_error;
};
