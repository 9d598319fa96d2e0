// cli_escapes_test.cpp - corvane-search against the escapes branch of the test directory:
// search strings that hold filter characters, several search attributes, the server's base DNs,
// and labelled details with "*" and "+".
#include <gtest/gtest.h>

#include <string>

#include "cli_test_fixture.h"
#include "test_directory.h"

namespace {

class CliEscapesTest : public CliServerTest<DirectoryServer::Config::Normal> {
protected:
    ProgramRun Search(const Args& args, const char* base = test_directory::kEscapesDn) const
    {
        return RunBelow(base, args);
    }
};

TEST_F(CliEscapesTest, SearchStringsFindWhatWasTypedOverAnyOfTheAttributes)
{
    const struct {
        Args args;
        std::string out;  // "" : nothing found
    } cases[] = {
        {{"--search-attribute", "cn", "-r", "cn", "Schulz (IT)"}, "Schulz (IT)  \r\n"},
        {{"--search-attribute", "cn", "-r", "cn", "Back\\sl"}, "Back\\slash  \r\n"},
        {{"--search-attribute", "cn", "-r", "cn", "Star*Na"},
         "Star*Name  \r\nStarry Name  \r\n"},                                // "*" stays a wildcard
        {{"--search-attribute", "cn", "-r", "cn", "*)(objectClass=*"}, ""},  // cannot widen the filter
        {{"--search-attribute", "cn", "-r", "cn", "--preselection", "Schulz (", "IT"}, "Schulz (IT)  \r\n"},
        {{"--search-attribute", "cn,mail", "-r", "cn", "schulz.it@"}, "Schulz (IT)  \r\n"},
        {{"--search-attribute", "mail, sn", "-r", "cn", "Schulz"}, "Schulz (IT)  \r\nSchulz IT  \r\n"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = Search(c.args);
        EXPECT_EQ(run.exitCode, c.out.empty() ? 1 : 0) << c.args.back() << run.err;
        EXPECT_EQ(run.out, c.out) << c.args.back();
    }
    const ProgramRun none = Search({"--search-attribute", "cn", "Schulz (XY)"});
    EXPECT_EQ(none.err, "corvane-search: No result found for 'Schulz (XY)*'\n");
}

TEST_F(CliEscapesTest, BaseDnsFromTheRootEntry)
{
    const ProgramRun run = Search({"--list-bases"}, "");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, std::string(test_directory::kBaseDn) + "\n");
    const ProgramRun noServer = Run({"--list-bases", "--server", ""});
    EXPECT_EQ(noServer.exitCode, 2);
}

TEST_F(CliEscapesTest, DetailsLabelledWithUserAndOperationalAttributes)
{
    const ProgramRun run =
        Search({"--details", "--detail-attributes", "mail,*,+", "--search-attribute", "cn", "Schulz (IT)"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string& text = run.out;
    EXPECT_TRUE(text.starts_with("dn: cn=Schulz ")) << text;
    // The list's order: mail first, then the user attributes without mail, then the operational ones.
    const std::size_t mail = text.find("\r\nmail: schulz.it@corvane.test\r\n");
    const std::size_t cn = text.find("\r\ncn: Schulz (IT)\r\n");
    const std::size_t objectClass = text.find("\r\nobjectClass: inetOrgPerson\r\n");
    const std::size_t uuid = text.find("\r\nentryUUID: ");
    const std::size_t created = text.find("\r\ncreateTimestamp: ");
    ASSERT_NE(uuid, std::string::npos) << text;
    ASSERT_NE(created, std::string::npos) << text;
    EXPECT_LT(mail, cn);
    EXPECT_LT(cn, uuid);
    EXPECT_LT(objectClass, uuid);
    EXPECT_EQ(text.find("mail: ", mail + 3), std::string::npos);
    EXPECT_TRUE(text.ends_with(" --------------------------------------------------------\r\n"));
}

}  // namespace
