// cli_start_tls_test.cpp - how the built corvane-search upgrades a plain connection with StartTLS
// against a private server whose certificate comes from a test CA, and never goes on unencrypted.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli_test_fixture.h"
#include "test_directory.h"
#include "test_system.h"

namespace {

using namespace program_run;
using CliStartTlsTest = CliTest;

TEST_F(CliStartTlsTest, StartTlsUpgradesWithCertificateChecksAndNeverFallsBack)
{
    DirectoryServer starttls(DirectoryServer::Config::StartTls);
    DirectoryServer plain(DirectoryServer::Config::Normal);
    ASSERT_TRUE(starttls.Running()) << starttls.Error();
    ASSERT_TRUE(plain.Running()) << plain.Error();
    const std::string trusted = "LDAPTLS_CACERT=" + starttls.CaFile();
    const std::filesystem::path passwordFile = m_folder / "password";
    std::ofstream(passwordFile, std::ios::binary) << "corvane-admin\n";
    const Args search = {"-b", test_directory::kBaseDn, "--search-attribute", "sn", "-r", "telephoneNumber", "Smith"};
    const auto with = [&](Args args) {
        args.insert(args.end(), search.begin(), search.end());
        return args;
    };
    const std::string failed = "corvane-search: search failed: ";
    const std::string phones = "123, 456  \r\n789  \r\n";
    const struct {
        const char* name;
        Args args;
        Args environment;
        int exitCode;
        std::string out, errStart;
        bool trustShown = false;  // the case shows whether the certificate is trusted
    } cases[] = {
        {"trusted",
         with({"-H", "ldap://127.0.0.1:" + std::to_string(starttls.Port()), "-ZZ"}),
         {trusted},
         0,
         phones,
         ""},
        {"trusted, bound with a password file",
         with({"-H", "ldap://127.0.0.1:" + std::to_string(starttls.Port()), "-ZZ", "-x", "-D",
               "cn=admin,dc=corvane,dc=test", "-y", passwordFile.string()}),
         {trusted},
         0,
         phones,
         ""},
        {"a plain host and --start-tls",
         with({"--server", "127.0.0.1", "-p", std::to_string(starttls.Port()), "-Z"}),
         {trusted},
         0,
         phones,
         ""},
        // The test CA is none of the system's.
        {"untrusted",
         with({"-H", "ldap://127.0.0.1:" + std::to_string(starttls.Port()), "-Z"}),
         {},
         4,
         "",
         failed + "the secure connection (TLS) to 127.0.0.1:",
         true},
        {"a server without StartTLS",
         with({"-H", "ldap://127.0.0.1:" + std::to_string(plain.Port()), "-ZZ"}),
         {trusted},
         4,
         "",
         failed + "the server at 127.0.0.1:" + std::to_string(plain.Port()) + " refused the upgrade with StartTLS ("},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Wine accepts a certificate no trust store holds.
        if (kBuiltForWindows && c.trustShown) {
            continue;
        }
        const ProgramRun run = Run(c.args, c.environment);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err.rfind(c.errStart, 0), 0u) << run.err;
    }
}

}  // namespace
