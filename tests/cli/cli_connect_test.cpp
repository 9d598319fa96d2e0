// cli_connect_test.cpp - how the built corvane-search takes its server and base from the client
// library's configured defaults.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli_test_fixture.h"
#include "test_directory.h"

namespace {

namespace fs = std::filesystem;
using namespace program_run;

class CliConnectTest : public CliTest {};

const char* const kPhones = "123, 456  \r\n789  \r\n";

TEST_F(CliConnectTest, TheClientConfigurationGivesServerAndBase)
{
    DirectoryServer server(DirectoryServer::Config::Normal);
    ASSERT_TRUE(server.Running()) << server.Error();
    const fs::path config = m_folder / "ldap.conf";
    std::ofstream(config, std::ios::binary)
        << "URI ldap://127.0.0.1:" << server.Port() << "\nBASE " << test_directory::kBaseDn << "\n";
    const Args search = {"--search-attribute", "sn", "-r", "telephoneNumber", "Smith"};
    const Args configured = {"LDAPCONF=" + config.string()};
    const ProgramRun run = Run(search, configured);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, kPhones);
    // The command line wins over the configuration.
    Args elsewhere = search;
    elsewhere.insert(elsewhere.begin(), {"-b", "ou=nowhere,dc=corvane,dc=test"});
    EXPECT_EQ(Run(elsewhere, configured).exitCode, 4);
    // Without a configuration no server is chosen for the user.
    const ProgramRun none = Run(search);
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_EQ(none.err, "corvane-search: No LDAP server selected.\n");
}

}  // namespace
