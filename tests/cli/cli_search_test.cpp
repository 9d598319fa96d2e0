// cli_search_test.cpp - the built corvane-search against the private test directory: its output
// is byte for byte what the library's export and details text give for the same search, and its
// exit statuses and messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_search.h"
#include "directory/directory_query.h"
#include "result/result_table.h"
#include "cli_test_fixture.h"
#include "search/export_text.h"
#include "result/shown_result.h"
#include "search/details_text.h"
#include "search/search_rules.h"
#include "storage/connection_profile.h"
#include "test_directory.h"
#include "test_system.h"
#include "scripted_directory.h"
#include "unresponsive_listener.h"

namespace {

namespace fs = std::filesystem;

const std::string kSeparator = std::string(" \r\n ") + std::string(56, '-') + "\r\n";

class CliSearchTest : public CliTest {
protected:
    static void SetUpTestSuite()
    {
        s_server = new DirectoryServer();
        s_nobind = new DirectoryServer(DirectoryServer::Config::NoBind);
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        delete s_nobind;
    }

    void SetUp() override { ASSERT_TRUE(s_server->Running()) << s_server->Error(); }

    /// The options that reach the test server, followed by args.
    static Args Connected(const Args& args) { return CliTest::Connected(*s_server, test_directory::kBaseDn, args); }

    /// Runs the binary with args, its standard output and error caught in files.
    ProgramRun Execute(const Args& args) const { return Run(args); }

    SearchInput Input(const char* searchAttribute, const char* resultAttribute, const char* searchString,
                      const char* preselection = "") const
    {
        return {DirectoryServer::Host(),
                s_server->Port(),
                test_directory::kBaseDn,
                searchAttribute,
                resultAttribute,
                searchString,
                preselection};
    }

    /// What the window's export writes for the search, through the library.
    std::string LibraryExport(const SearchInput& input, bool swap) const
    {
        DirectoryQuery query;
        ResultTable table;
        const QueryChoice choice = ChooseQuery(input, swap);
        RunSearch(query, input, choice, SearchValue(input, swap), table);
        ShownResult shown;
        shown.Set(std::move(table), choice);
        return ExportText(shown);
    }

    static inline DirectoryServer* s_server = nullptr;
    static inline DirectoryServer* s_nobind = nullptr;
};

TEST_F(CliSearchTest, OutputIsTheExportOfTheSameSearch)
{
    const struct {
        SearchInput input;  // search attribute, result attribute, search string, preselection
        bool swap;
        std::size_t lines;  // 0: not counted
        std::string err = "";
    } cases[] = {
        {Input("sn", "telephoneNumber", "Smith"), false, 2},
        {Input("telephoneNumber", "cn,mail", "+49 89 1234 00"), false, 91},
        {Input("telephoneNumber", "cn,mail,", "1234 00", "+49 89 "), false, 91},
        {Input("telephoneNumber", "cn,mail", "Smith", "ignored"), true, 2},
        // The entry cap cuts the 1500 people: said on standard error, still a success.
        {Input("uid", "cn", "p"), false, 1000, "corvane-search: 1000 entries shown; the directory holds more\n"},
        {Input("uid", "description,title", "p004"), false, 10},
        {Input("sn", "l,description,title", "M\xC3\xBC"), false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input.searchString);
        Args args = {"--search-attribute", c.input.searchAttribute, "-r", c.input.resultAttribute,
                     c.input.searchString};
        if (!c.input.preselection.empty()) {
            args.insert(args.begin(), "--preselection=" + c.input.preselection);
        }
        if (c.swap) {
            args.insert(args.begin(), "--swap");
        }
        const ProgramRun run = Execute(Connected(args));
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, LibraryExport(c.input, c.swap));
        std::size_t lines = 0;
        for (std::size_t at = run.out.find("  \r\n"); at != std::string::npos; at = run.out.find("  \r\n", at + 1)) {
            ++lines;
        }
        EXPECT_TRUE(c.lines == 0 || lines == c.lines) << lines;
    }
    // Several values share their cell, entries sorted by name; an empty name is a column of its own
    // and a star the user typed is the wildcard the search adds.
    const std::string phones = "123, 456  \r\n789  \r\n";
    EXPECT_EQ(Execute(Connected({"--search-attribute", "sn", "-r", "telephoneNumber", "Smith"})).out, phones);
    EXPECT_EQ(Execute(Connected({"--search-attribute", "sn", "-r", "telephoneNumber", "Smi*"})).out, phones);
    EXPECT_EQ(Execute(Connected({"--search-attribute", "sn", "-r", ",telephoneNumber", "Smith"})).out,
              ";123, 456  \r\n;789  \r\n");
}

TEST_F(CliSearchTest, ExitStatusesAndMessagesWithNothingOnStandardOutput)
{
    const std::string missing = (m_folder / "missing").string();
    const std::string huge = (m_folder / "huge.cvl").string(), notes = (m_folder / "notes.txt").string();
    std::ofstream(huge, std::ios::binary) << "";
    fs::resize_file(huge, 65 * 1024 * 1024);
    std::ofstream(notes, std::ios::binary) << "Call Smith\r\nabout the budget\r\n";
    const std::string nobind = std::to_string(s_nobind->Port());
    const std::string failed = "corvane-search: search failed: ";
    const auto usage = [](const std::string& error) {
        return "corvane-search: " + error + "\nTry 'corvane-search --help'.\n";
    };
    const struct {
        bool connect;
        Args args;
        int exitCode;
        std::string err;
    } cases[] = {
        {true, {"--search-attribute", "sn", "Zzz"}, 1, "corvane-search: No result found for 'Zzz*'\n"},
        {true,
         {"--search-attribute", "sn", "--preselection", "%s%n", "Zzz"},
         1,
         "corvane-search: No result found for '%s%nZzz*'\n"},
        {true, {"--search-attribute", "sn", "--details", "Zzz"}, 1, "corvane-search: No result found for 'Zzz*'\n"},
        // A failed search is said as one, whatever failed.
        {false,
         {"--server", "127.0.0.1", "-p", "1", "-b", "dc=x", "Smith"},
         4,
         failed + "cannot connect to 127.0.0.1:1 (Connection refused)\n"},
        {false,
         {"--server", "127.0.0.1", "-p", nobind, "-b", "dc=x", "Smith"},
         4,
         failed + "the server refused the anonymous bind (Inappropriate authentication: anonymous bind disallowed) - "
                  "the server wants a bind name: give one with -D\n"},
        {true, {"--search-attribute", "s(n", "--details", "ab"}, 4, failed + "Bad search filter\n"},
        {true, {"--search-attribute", "sn", "--details", "a(b"}, 1, "corvane-search: No result found for 'a(b*'\n"},
        {true,
         {"--search-attribute", "sn", "-b", "ou=nowhere,dc=corvane,dc=test", "Smith"},
         4,
         failed + "No such object\n"},
        // The input checks, in their order.
        {false, {}, 2, "corvane-search: No search string selected.\n"},
        {false, {"--server", "", "-b", "", ""}, 2, "corvane-search: No search string selected.\n"},
        {false, {"-b", "dc=x", "Smith"}, 2, "corvane-search: No LDAP server selected.\n"},
        {false,
         {"--server", "h", "--search-attribute", "", "Smith"},
         2,
         "corvane-search: No search attribute selected.\n"},
        {false, {"--server", "h", "-r", "", "Smith"}, 2, "corvane-search: No distinguished name selected.\n"},
        {false,
         {"--server", "h", "-b", "dc=x", "-r", "", "Smith"},
         2,
         "corvane-search: No result attribute selected.\n"},
        {false, {"--profile", missing + ".cvl", "Smith"}, 2, "corvane-search: Cannot read file!\n"},
        {false, {"--profile", huge, "Smith"}, 2, "corvane-search: Cannot read file!\n"},
        {false, {"--profile", notes, "Smith"}, 2, "corvane-search: Cannot read file!\n"},
        {false, {"-p", "99999", "Smith"}, 2, usage("the port is not a number from 0 to 65535")},
        {false, {"--bogus", "Smith"}, 2, usage("unknown option '--bogus'")},
        {false, {"Smith", "--server"}, 2, usage("option '--server' needs a value")},
        {false, {"Smith", "Jones"}, 2, usage("more than one search string given")},
        {true,
         {"--output", missing + "/out.csv", "Smith"},
         3,
         "corvane-search: Cannot create file! " + missing + "/out.csv: No such file or directory\n"},
        {true,
         {"--output", m_folder.string(), "Smith"},
         3,
         "corvane-search: Cannot create file! " + m_folder.string() + ": Is a directory\n"},
        {true,
         {"--details", "--output", missing + "/out.txt", "Smith"},
         3,
         "corvane-search: Cannot create file! " + missing + "/out.txt: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.err);
        // WLDAP32 reports a closed port at the bind, with a text of its own.
        if (kBuiltForWindows && c.err.ends_with("(Connection refused)\n")) {
            continue;
        }
        const ProgramRun run = Execute(c.connect ? Connected(c.args) : c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.err);
    }
    const ProgramRun help = Execute({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out, UsageText());
    EXPECT_EQ(help.out.rfind("Usage: corvane-search", 0), 0u);
    EXPECT_EQ(help.err, "");
}

TEST_F(CliSearchTest, AServersOwnLimitIsSaidAsTheServers)
{
    // An administrative limit, and a size limit below the entry cap, end the answer after 3 entries.
    for (const int code : {11, 4}) {
        ScriptedDirectory server(ScriptedDirectory::Answer{0, code, "limit"}, 3);
        ASSERT_TRUE(server.Running());
        const ProgramRun run = Run({"--server", "127.0.0.1", "-p", std::to_string(server.Port()), "-b", "dc=x", "P"});
        EXPECT_EQ(run.exitCode, 0) << code;
        EXPECT_EQ(run.err, "corvane-search: the server's limit ended the answer after 3 entries\n") << code;
    }
}

TEST_F(CliSearchTest, AnEmptyBaseSearchesTheForestOfAGlobalCatalogOnly)
{
    // On a global catalog's ports the search is made (whatever answers there); elsewhere the empty
    // base is refused before anything is sent.
    const struct {
        std::string server;
        int exitCode;
    } cases[] = {
        {"ldap://127.0.0.1:3268", 4},
        {"ldaps://127.0.0.1:3269", 4},
        {"ldap://127.0.0.1:389", 2},
    };
    for (const auto& c : cases) {
        const ProgramRun run = Run({"-H", c.server, "-b", "", "-l", "5", "Smith"});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.server << ": " << run.err;
        EXPECT_EQ(run.err.find("No distinguished name selected."), c.exitCode == 2 ? 16u : std::string::npos)
            << run.err;
    }
}

TEST_F(CliSearchTest, OutputFileWrittenThroughTheExport)
{
    const fs::path file = m_folder / "out.csv";
    std::ofstream(file, std::ios::binary) << "earlier run";
    const ProgramRun run =
        Execute(Connected({"--output", file.string(), "--search-attribute", "sn", "-r", "telephoneNumber", "Smith"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(FileBytes(file), "123, 456  \r\n789  \r\n");

    // A failed search leaves the file of the run before as it was.
    EXPECT_EQ(Execute(Connected({"--output", file.string(), "--search-attribute", "sn", "-b", "ou=nowhere", "Smith"}))
                  .exitCode,
              4);
    EXPECT_EQ(FileBytes(file), "123, 456  \r\n789  \r\n");
    // Nothing found: the file is emptied, as the export of such a search would leave it.
    EXPECT_EQ(Execute(Connected({"--output", file.string(), "--search-attribute", "sn", "Zzz"})).exitCode, 1);
    EXPECT_EQ(FileBytes(file), "");

    const fs::path details = m_folder / "details.txt";
    const ProgramRun text = Execute(Connected(
        {"--output", details.string(), "--details", "--detail-attributes", "cn", "--search-attribute", "sn", "Smith"}));
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(FileBytes(details), "dn: " + std::string(test_directory::kSmithDn) + "\r\ncn: Smith\r\n" + kSeparator +
                                      "dn: " + test_directory::kSmithersDn + "\r\ncn: Smithers\r\n" + kSeparator);
}

TEST_F(CliSearchTest, ProfileGivesDefaultsAndOptionsOverrideIt)
{
    ConnectionProfile profile;
    profile.server = DirectoryServer::Host();
    profile.port = std::to_string(s_server->Port());
    profile.baseDn = test_directory::kFixturesDn;
    profile.searchAttribute = "sn";
    profile.resultAttribute = "mail";
    profile.detailAttributes = SlotsFromList({"telephoneNumber"});
    const std::string file = (m_folder / "fixtures.cvl").string();
    ASSERT_TRUE(WriteProfile(file, profile));

    const struct {
        Args args;
        int exitCode;
        std::string out;
    } cases[] = {
        {{"--profile", file, "Smith"}, 0, "  \r\nsmithers@corvane.test  \r\n"},
        {{"-r", "telephoneNumber", "--profile", file, "Smith"}, 0, "123, 456  \r\n789  \r\n"},
        {{"--profile", file, "-r", "telephoneNumber", "--preselection", "Smithe", "r"}, 0, "789  \r\n"},
        {{"--profile", file, "--details", "Smith"},
         0,
         "dn: " + std::string(test_directory::kSmithDn) + "\r\ntelephoneNumber: 123\r\ntelephoneNumber: 456\r\n" +
             kSeparator + "dn: " + test_directory::kSmithersDn + "\r\ntelephoneNumber: 789\r\n" + kSeparator},
        {{"--profile", file, "-p", "1", "Smith"}, 4, ""},
        {{"--profile", file, "--server", "", "Smith"}, 2, ""},
    };
    for (const auto& c : cases) {
        const ProgramRun run = Execute(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args[1] << " " << run.err;
        EXPECT_EQ(run.out, c.out) << c.args[1];
    }

    // A profile's port beyond 16 bits fails the search instead of reaching another port.
    profile.port = "99999";
    ASSERT_TRUE(WriteProfile(file, profile));
    const ProgramRun wide = Execute({"--profile", file, "Smith"});
    EXPECT_EQ(wide.exitCode, 4);
    EXPECT_EQ(wide.err, "corvane-search: search failed: port 99999 is outside 0 to 65535\n");
}

TEST_F(CliSearchTest, LatinOneLegacyProfileSendsTheBytesTheWindowSends)
{
    // A legacy profile made on Windows: preselection "Mü" in Latin-1, lines ended by CR CR LF.
    const std::string file = (m_folder / "legacy.cvl").string();
    std::ofstream(file, std::ios::binary) << test_directory::kFixturesDn << "\r\r\nM\xfc\r\r\n"
                                          << DirectoryServer::Host() << "\r\r\n"
                                          << s_server->Port() << "\r\r\nsn\r\r\nl\r\r\n";
    const ProgramRun run = Execute({"--profile", file, "ll"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "M\xC3\xBCnchen  \r\n");
}

TEST_F(CliSearchTest, NoAnswerWithinTheTimeLimitIsAFailedSearch)
{
    UnresponsiveListener listener;
    ASSERT_TRUE(listener.Running());
    const CliParseResult parsed =
        ParseCliOptions({"--server", "127.0.0.1", "-p", std::to_string(listener.Port()), "-b", "dc=x", "Smith"});
    ASSERT_TRUE(parsed.ok);
    DirectoryQuery query;
    const CliOutcome outcome = RunCliSearch(parsed.options, query, 1);
    EXPECT_EQ(outcome.exitCode, kExitSearchFailed);
    EXPECT_EQ(outcome.standardError, "corvane-search: search failed: no answer within 1 second\n");
    EXPECT_EQ(outcome.standardOutput, "");
}

TEST_F(CliSearchTest, DetailsAreTheDetailsTextOfAllEntries)
{
    const std::string kSmith = "dn: " + std::string(test_directory::kSmithDn) + "\r\n";
    const std::string kSmithers = "dn: " + std::string(test_directory::kSmithersDn) + "\r\n";
    const struct {
        Args args;
        std::string out;
    } cases[] = {
        {{"--details", "--detail-attributes", "telephoneNumber,cn", "--search-attribute", "sn", "Smith"},
         kSmith + "telephoneNumber: 123\r\ntelephoneNumber: 456\r\ncn: Smith\r\n" + kSeparator + kSmithers +
             "telephoneNumber: 789\r\ncn: Smithers\r\n" + kSeparator},
        // Swapped, the details filter on cn, not on the result attribute.
        {{"--swap", "--details", "--detail-attributes", "cn", "-r", "mail", "Smith"},
         kSmith + "cn: Smith\r\n" + kSeparator + kSmithers + "cn: Smithers\r\n" + kSeparator},
    };
    for (const auto& c : cases) {
        const ProgramRun run = Execute(Connected(c.args));
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, c.out) << c.args[0];
    }
    const ProgramRun defaults =
        Execute(Connected({"--details", "--search-attribute", "telephoneNumber", "+49 89 1234 00"}));
    EXPECT_EQ(defaults.exitCode, 0) << defaults.err;
    DirectoryQuery query;
    ResultTable table;
    RunDetailsQuery(query, Input("telephoneNumber", "cn", "+49 89 1234 00"), false, DefaultDetailSlots(), table);
    EXPECT_EQ(defaults.out, DetailsText(table, DetailNames(DefaultDetailSlots()), std::nullopt));
}

}  // namespace
