// ad_bind_search_test.cpp - searches of the Active Directory test directory bound as its users
// write their names (user@realm, DOMAIN\user, a DN), over StartTLS and over ldaps://, through
// DirectoryQuery and the built corvane-search; every answer of thousands of entries is as long as
// the one ldapsearch gets with the same bind.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ad_directory.h"
#include "directory/directory_query.h"
#include "program_run.h"
#include "result/result_table.h"
#include "temp_folder.h"
#include "test_ad_directory.h"

namespace {

namespace tad = test_ad_directory;

/// Trusts the test CA of the directory's run. Done before main: the client library reads
/// LDAPTLS_CACERT once, when it first starts.
const bool kCaTrusted = [] {
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

const std::vector<Bind> kBinds = {
    {"user@realm", tad::kReaderUpn},
    {"DOMAIN\\user", tad::kReaderNt4},
    {"DN", tad::kReaderDn},
};

struct Transport {
    const char* name;
    bool ldaps;  // ldaps://, else ldap:// upgraded with StartTLS
};

const Transport kTransports[] = {{"StartTLS", false}, {"ldaps://", true}};

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

    /// The entries ldapsearch finds below base with filter, bound as name over transport; -1 when it fails.
    int LdapsearchCount(const Bind& bind, const Transport& transport, const std::string& filter) const
    {
        const std::string command = "LDAPTLS_CACERT='" + s_directory->CaFile() +
                                    "' ldapsearch -LLL -x -o ldif-wrap=no" + (transport.ldaps ? "" : " -ZZ") + " -H '" +
                                    Url(transport) + "' -D '" + bind.name + "' -y '" + m_passwordFile + "' -b '" +
                                    tad::kBaseDn + "' -E pr=1000/noprompt '" + filter + "' 1.1";
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) {
            return -1;
        }
        int entries = 0;
        char line[4096];
        while (std::fgets(line, sizeof line, pipe) != nullptr) {
            entries += std::string(line).rfind("dn:", 0) == 0 ? 1 : 0;
        }
        return pclose(pipe) == 0 ? entries : -1;
    }

    static inline AdDirectory* s_directory = nullptr;
    TempFolder m_temp;
    const std::string m_passwordFile = m_temp / "password";
};

TEST_F(AdSearch, DirectoryQueryFindsEveryPersonForEachFormOfTheBindName)
{
    const std::string filter = "(&(objectCategory=person)(objectClass=user))";
    for (const Transport& transport : kTransports) {
        for (const Bind& bind : kBinds) {
            SCOPED_TRACE(std::string(bind.form) + " over " + transport.name);
            DirectoryQuery query;
            const std::string host = transport.ldaps ? Url(transport) : "127.0.0.1";
            query.SetServer(host, transport.ldaps ? s_directory->LdapsPort() : s_directory->Port(), 3);
            query.SetStartTls(!transport.ldaps);
            query.SetLimits(120, 100000);
            query.SetBind(bind.name, Password(s_directory->ReaderPassword()));
            ResultTable table;
            ASSERT_TRUE(query.SearchWithFilter(tad::kBaseDn, filter, {"sAMAccountName", "displayName"}, table))
                << query.FailureReason();
            EXPECT_FALSE(query.Cut());
            EXPECT_GT(table.RowCount(), tad::kPeopleCount);
            EXPECT_EQ(table.RowCount(), LdapsearchCount(bind, transport, filter));
        }
    }
}

TEST_F(AdSearch, CorvaneSearchFindsEveryAccountForEachFormOfTheBindName)
{
    // One line for each entry: the account names hold no line breaks.
    const std::string trusted = "LDAPTLS_CACERT=" + s_directory->CaFile();
    for (const Transport& transport : kTransports) {
        for (const Bind& bind : kBinds) {
            SCOPED_TRACE(std::string(bind.form) + " over " + transport.name);
            program_run::Args args = {"-H",
                                      Url(transport),
                                      "-D",
                                      bind.name,
                                      "-y",
                                      m_passwordFile,
                                      "-b",
                                      tad::kBaseDn,
                                      "--search-attribute",
                                      "sAMAccountName",
                                      "-r",
                                      "sAMAccountName",
                                      "-z",
                                      "max",
                                      "-l",
                                      "120",
                                      "*"};
            if (!transport.ldaps) {
                args.insert(args.begin(), "-ZZ");
            }
            const program_run::ProgramRun run = program_run::RunProgram(args, m_temp.Path(), {trusted});
            ASSERT_EQ(run.exitCode, 0) << run.err;
            int lines = 0;
            for (std::size_t at = run.out.find('\n'); at != std::string::npos; at = run.out.find('\n', at + 1)) {
                ++lines;
            }
            EXPECT_GT(lines, tad::kPeopleCount);
            EXPECT_EQ(lines, LdapsearchCount(bind, transport, "(sAMAccountName=*)"));
        }
    }
}

}  // namespace
