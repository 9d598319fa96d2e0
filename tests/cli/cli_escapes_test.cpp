// cli_escapes_test.cpp - corvane-search against the escapes branch of the test directory:
// search strings that hold filter characters, several search attributes, the server's base DNs,
// and labelled details with "*" and "+"; and a server's control characters, which reach no
// terminal raw.
#include <gtest/gtest.h>

#include <string>

#include "cli_test_fixture.h"
#include "scripted_directory.h"
#include "test_directory.h"

namespace {

class CliEscapesTest : public CliServerTest<DirectoryServer::Config::Normal> {
protected:
    /// "uid," 300 times: 1200 bytes of search attributes that match nothing here.
    static std::string ManyUids()
    {
        std::string names;
        for (int n = 0; n < 300; ++n) {
            names += "uid,";
        }
        return names;
    }

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
        // A field of the command line is taken whole, far beyond the window's 1023 bytes.
        {{"--search-attribute", ManyUids() + "cn", "-r", "cn", "Schulz (IT)"}, "Schulz (IT)  \r\n"},
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

TEST_F(CliEscapesTest, ControlCharactersOfTheServerNeverReachTheTerminalRaw)
{
    ScriptedDirectory server(ScriptedDirectory::Script::ControlEntry);
    ASSERT_TRUE(server.Running());
    const Args reach = {
        "-H", "ldap://127.0.0.1:" + std::to_string(server.Port()), "-b", "dc=corvane,dc=test", "--search-attribute",
        "cn"};
    const std::string separator = std::string(" \r\n ") + std::string(56, '-') + "\r\n";
    const struct {
        Args args;
        std::string out;
    } cases[] = {
        // One base DN a line; no bell, no cleared screen.
        {{"--list-bases"}, "dc=one\\x0d\\x0adc=two\ndc=bell\\x07\\x1b[2J\n"},
        {{"--details", "--detail-attributes", "cn", "x"},
         "dn: cn=two\\x0alines,dc=corvane,dc=test\r\ncn: two\\x0d\\x0alines\\x1b[31m\r\n" + separator},
        // The export keeps its format: a cell with a line break is quoted, as a spreadsheet reads it.
        {{"-r", "cn", "x"}, "\"two\r\nlines\x1b[31m\"  \r\n"},
    };
    for (const auto& c : cases) {
        Args args = reach;
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProgramRun run = Run(args);
        EXPECT_EQ(run.exitCode, 0) << c.args[0] << run.err;
        EXPECT_EQ(run.out, c.out) << c.args[0];
    }
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
