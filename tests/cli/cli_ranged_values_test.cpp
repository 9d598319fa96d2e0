// cli_ranged_values_test.cpp - corvane-search against a server that answers as a domain controller
// does (the private directory behind a relay that hands out a large attribute a range at a time):
// the ;-separated lines and the LDIF hold every value, the LDIF under the plain name.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli_test_fixture.h"
#include "domain_controller_relay.h"
#include "test_directory.h"

namespace {

namespace td = test_directory;

class CliRangedValuesTest : public CliTest {
protected:
    static void SetUpTestSuite()
    {
        s_server = new DirectoryServer(DirectoryServer::Config::Normal, DirectoryServer::Data::Large);
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->Running()) << s_server->Error(); }

    static inline DirectoryServer* s_server = nullptr;
};

/// Member n of the large group.
std::string Member(int n)
{
    char member[64];
    std::snprintf(member, sizeof member, "uid=b%06d,ou=people,dc=corvane,dc=test", n);
    return member;
}

TEST_F(CliRangedValuesTest, EveryValueInTheLinesAndTheLdif)
{
    DomainControllerRelay relay(DirectoryServer::Host(), s_server->Port());
    ASSERT_TRUE(relay.Running());
    const Args search = {"--server",
                         DirectoryServer::Host(),
                         "-p",
                         std::to_string(relay.Port()),
                         "-b",
                         td::kGroupsDn,
                         "--search-attribute",
                         "cn",
                         "-r",
                         "member",
                         "Large"};
    for (const bool asLdif : {false, true}) {
        Args args = search;
        if (asLdif) {
            args.insert(args.end() - 1, {"--format", "ldif"});
        }
        const ProgramRun run = Run(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        // Every member in order, each on a line of its own under the plain name in the LDIF.
        std::size_t at = 0;
        int found = 0;
        for (; found < td::kLargeGroupMembers; ++found) {
            const std::string value = (asLdif ? "\nmember: " : "") + Member(found) + (asLdif ? "\n" : "");
            at = run.out.find(value, at);
            if (at == std::string::npos) {
                break;
            }
        }
        EXPECT_EQ(found, td::kLargeGroupMembers) << asLdif;
        EXPECT_EQ(run.out.find(";range="), std::string::npos);
    }
    EXPECT_GE(relay.RangeRequests(), 2);
}

}  // namespace
