// cli_read_back_test.cpp - corvane-search against the escapes branch of the test directory:
// search strings that hold filter characters, several search attributes, the server's base DNs,
// labelled details with "*" and "+", and exports read back by other programs' readers.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "directory_server.h"
#include "program_run.h"
#include "test_directory.h"

namespace {

namespace fs = std::filesystem;
using namespace program_run;

/// The standard output of a shell command and whether it exited with 0.
std::pair<bool, std::string> Capture(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return {false, out};
    }
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, got);
    }
    return {pclose(pipe) == 0, out};
}

class CliReadBackTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_server = new DirectoryServer(); }
    static void TearDownTestSuite() { delete s_server; }

    void SetUp() override
    {
        ASSERT_TRUE(s_server->Running()) << s_server->Error();
        m_folder = fs::path(::testing::TempDir()) /
                   (std::string("cli_read_back_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                    "_" + std::to_string(getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    ProgramRun Search(const Args& args, const char* base = test_directory::kEscapesDn) const
    {
        Args all = {"--server", DirectoryServer::Host(), "-p", std::to_string(s_server->Port()), "-b", base};
        all.insert(all.end(), args.begin(), args.end());
        return RunProgram(all, m_folder);
    }

    static inline DirectoryServer* s_server = nullptr;
    fs::path m_folder;
};

TEST_F(CliReadBackTest, SearchStringsFindWhatWasTypedOverAnyOfTheAttributes)
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

TEST_F(CliReadBackTest, BaseDnsFromTheRootEntry)
{
    const ProgramRun run = Search({"--list-bases"}, "");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, std::string(test_directory::kBaseDn) + "\n");
    const ProgramRun noServer = RunProgram({"--list-bases", "--server", ""}, m_folder);
    EXPECT_EQ(noServer.exitCode, 2);
}

TEST_F(CliReadBackTest, DetailsLabelledWithUserAndOperationalAttributes)
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

TEST_F(CliReadBackTest, ExportReadsBackCellForCell)
{
    const fs::path file = m_folder / "export.csv";
    ASSERT_EQ(
        Search({"--output", file.string(), "--search-attribute", "sn", "-r", "cn,description", "Schulz"}).exitCode, 0);
    // Every line ends with two blanks, read as part of its last cell.
    const auto [ok, cells] = Capture(
        "python3 -c 'import csv,sys\n"
        "for row in csv.reader(open(sys.argv[1], newline=\"\", encoding=\"utf-8\"), delimiter=\";\"):\n"
        "    print(repr(row))' " +
        file.string());
    EXPECT_TRUE(ok);
    EXPECT_EQ(cells, "['Schulz (IT)', '  ']\n['Schulz IT', 'Line one\\r\\nsays \"hi\"; done\\nend  ']\n");

    const fs::path umlauts = m_folder / "umlauts.csv";
    ASSERT_EQ(
        Search({"--output", umlauts.string(), "--search-attribute", "sn", "-r", "cn,description", "M\xC3\xBCller"},
               test_directory::kFixturesDn)
            .exitCode,
        0);
    EXPECT_EQ(FileBytes(umlauts), "M\xC3\xBCller J\xC3\xBCrgen;\"Zimmer 3; 2. Stock\"  \r\n");
}

TEST_F(CliReadBackTest, LdifReadsBackWithTheDirectoryTools)
{
    const fs::path file = m_folder / "export.ldif";
    const struct {
        const char* base;
        const char* value;  // a value the reader shows
    } cases[] = {{test_directory::kEscapesDn, "\tSchulz (IT)\n"},
                 {test_directory::kFixturesDn, "\tZimmer 3; 2. Stock\n"}};
    for (const auto& c : cases) {
        ASSERT_EQ(Search({"--format", "ldif", "--output", file.string(), "--search-attribute", "cn", "-r",
                          "cn,description,jpegPhoto,mail", "*"},
                         c.base)
                      .exitCode,
                  0);
        const auto [ok, shown] = Capture("ldapadd -n -v -f " + file.string() + " 2>&1");
        EXPECT_TRUE(ok) << shown;
        EXPECT_NE(shown.find(c.value), std::string::npos) << shown;
    }
    EXPECT_NE(FileBytes(file).find("\n# jpegPhoto: <binary, 6 bytes>\n"), std::string::npos);
}

}  // namespace
