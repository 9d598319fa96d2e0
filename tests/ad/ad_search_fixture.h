// ad_search_fixture.h - the Active Directory suite's fixture: the directory the CTest fixture
// started, the reader's password in a file of the test's own, the test CA trusted, and the bind
// forms and transports the tests go through.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "ad_directory.h"
#include "temp_folder.h"
#include "test_ad_directory.h"

namespace ad_suite {

namespace tad = test_ad_directory;

/// Trusts the test CA of the directory's run. Done before main: the client library reads
/// LDAPTLS_CACERT once, when it first starts.
inline const bool kCaTrusted = [] {
    const char* folder = std::getenv("CORVANE_AD_DIRECTORY");
    if (folder == nullptr || *folder == '\0' || std::getenv("LDAPTLS_CACERT") != nullptr) {
        return false;
    }
    static std::string setting = "LDAPTLS_CACERT=" + std::string(folder) + "/tls/ca.pem";
    return putenv(setting.data()) == 0;
}();

struct Bind {
    const char* form;
    std::string name;
};

inline const std::vector<Bind> kBinds = {
    {"user@realm", tad::kReaderUpn},
    {"DOMAIN\\user", tad::kReaderNt4},
    {"DN", tad::kReaderDn},
};

struct Transport {
    const char* name;
    bool ldaps;  // ldaps://, else ldap:// upgraded with StartTLS
};

inline const Transport kTransports[] = {{"StartTLS", false}, {"ldaps://", true}};

class AdSearch : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_directory = new AdDirectory; }
    static void TearDownTestSuite()
    {
        delete s_directory;
        s_directory = nullptr;
    }
    void SetUp() override
    {
        if (!s_directory->SkipReason().empty()) {
            GTEST_SKIP() << s_directory->SkipReason();
        }
        ASSERT_TRUE(s_directory->Running()) << s_directory->Error();
        std::ofstream(m_passwordFile, std::ios::binary) << s_directory->ReaderPassword();
        std::filesystem::permissions(m_passwordFile,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    }

    static std::string Url(const Transport& transport)
    {
        const int port = transport.ldaps ? s_directory->LdapsPort() : s_directory->Port();
        return std::string(transport.ldaps ? "ldaps" : "ldap") + "://127.0.0.1:" + std::to_string(port);
    }

    /// The command that runs ldapsearch below base with filter for attributes, bound as the reader
    /// in bind's form over transport, its LDIF unfolded and all pages read.
    std::string Ldapsearch(const Bind& bind, const Transport& transport, const std::string& base,
                           const std::string& filter, const std::string& attributes) const
    {
        return "LDAPTLS_CACERT='" + s_directory->CaFile() + "' ldapsearch -LLL -x -o ldif-wrap=no" +
               (transport.ldaps ? "" : " -ZZ") + " -H '" + Url(transport) + "' -D '" + bind.name + "' -y '" +
               m_passwordFile + "' -b '" + base + "' -E pr=1000/noprompt '" + filter + "' " + attributes;
    }

    /// Runs command through the shell: whether it succeeded, and its standard output.
    static std::pair<bool, std::string> Capture(const std::string& command)
    {
        std::string out;
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) {
            return {false, out};
        }
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            out.append(buffer, got);
        }
        return {pclose(pipe) == 0, out};
    }

    /// The entries ldapsearch finds below the domain with filter, bound as name over transport; -1 when it fails.
    int LdapsearchCount(const Bind& bind, const Transport& transport, const std::string& filter) const
    {
        const auto [ok, out] = Capture(Ldapsearch(bind, transport, tad::kBaseDn, filter, "1.1"));
        const std::string lines = "\n" + out;
        int entries = 0;
        for (std::size_t at = lines.find("\ndn:"); at != std::string::npos; at = lines.find("\ndn:", at + 1)) {
            ++entries;
        }
        return ok ? entries : -1;
    }

    static inline AdDirectory* s_directory = nullptr;
    TempFolder m_temp;
    const std::string m_passwordFile = m_temp / "password";
};

}  // namespace ad_suite
