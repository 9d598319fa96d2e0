// cli_search_test.cpp - the built corvane-search against the private test directory: its output
// is byte for byte what the library's export and details text give for the same search, and its
// exit statuses and messages.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "directory/directory_query.h"
#include "directory/result_table.h"
#include "directory_server.h"
#include "search_window/details_text.h"
#include "search_window/search_rules.h"
#include "storage/connection_profile.h"
#include "test_directory.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class CliSearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_server = new DirectoryServer(); }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_server->Running()) << s_server->Error();
        m_folder = fs::path(::testing::TempDir()) /
                   (std::string("cli_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    /// The options that reach the test server, followed by args.
    Args Connected(const Args& args) const
    {
        Args all = {"-s", DirectoryServer::Host(), "-p", std::to_string(s_server->Port()), "-b",
                    test_directory::kBaseDn};
        all.insert(all.end(), args.begin(), args.end());
        return all;
    }

    /// Runs the binary with args, its standard output and error caught in files.
    ProgramRun Execute(const Args& args) const
    {
        const fs::path out = m_folder / "stdout";
        const fs::path err = m_folder / "stderr";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::vector<std::string> texts = {CORVANE_SEARCH_BINARY};
        texts.insert(texts.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& text : texts) {
            argv.push_back(text.data());
        }
        argv.push_back(nullptr);
        ProgramRun run;
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, CORVANE_SEARCH_BINARY, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(spawned, 0);
        int status = 0;
        if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
            run.exitCode = WEXITSTATUS(status);
        }
        run.out = ReadBytes(out);
        run.err = ReadBytes(err);
        return run;
    }

    SearchInput Input(const std::string& searchAttribute, const std::string& resultAttribute,
                      const std::string& searchString, const std::string& preselection = "") const
    {
        SearchInput input;
        input.server = DirectoryServer::Host();
        input.port = s_server->Port();
        input.baseDn = test_directory::kBaseDn;
        input.searchAttribute = searchAttribute;
        input.resultAttribute = resultAttribute;
        input.searchString = searchString;
        input.preselection = preselection;
        return input;
    }

    /// What the window's export writes for the search, through the library.
    std::string LibraryExport(const SearchInput& input, bool swap) const
    {
        DirectoryQuery query;
        ResultTable table;
        const QueryChoice choice = ChooseQuery(input, swap);
        RunSearch(query, input, choice, SearchValue(input, swap), table);
        const fs::path file = m_folder / "library.csv";
        EXPECT_TRUE(MakeExportTable(ResultRows(table), choice.columnCount()).WriteToFile(file.string()));
        return ReadBytes(file);
    }

    std::string LibraryDetails(const SearchInput& input, bool swap, const DetailSlots& slots) const
    {
        DirectoryQuery query;
        ResultTable table;
        RunDetailsQuery(query, input, swap, slots, table);
        return DetailsText(table, std::nullopt);
    }

    static DirectoryServer* s_server;
    fs::path m_folder;
};

DirectoryServer* CliSearchTest::s_server = nullptr;

const std::string kSeparator = std::string(" \r\n ") + std::string(56, '-') + "\r\n";

TEST_F(CliSearchTest, OutputIsTheExportOfTheSameSearch)
{
    const struct {
        Args args;
        const char* searchAttribute;
        const char* resultAttribute;
        const char* searchString;
        const char* preselection;
        bool swap;
        std::size_t lines;
    } cases[] = {
        {{"-a", "sn", "-r", "telephoneNumber", "Smith"}, "sn", "telephoneNumber", "Smith", "", false, 2},
        {{"-a", "telephoneNumber", "-r", "cn,mail", "+49 89 1234 00"}, "telephoneNumber", "cn,mail",
         "+49 89 1234 00", "", false, 91},
        {{"--preselection=+49 89 ", "-a", "telephoneNumber", "-r", "cn,mail,", "1234 00"}, "telephoneNumber",
         "cn,mail,", "1234 00", "+49 89 ", false, 91},
        {{"-w", "-a", "telephoneNumber", "-r", "cn,mail", "-P", "ignored", "Smith"}, "telephoneNumber",
         "cn,mail", "Smith", "ignored", true, 2},
        {{"-a", "uid", "-r", "cn", "p"}, "uid", "cn", "p", "", false, 1000},
        {{"-a", "uid", "-r", "description,title", "p004"}, "uid", "description,title", "p004", "", false, 10},
        {{"-a", "sn", "-r", "l,description,title", "M\xC3\xBC"}, "sn", "l,description,title", "M\xC3\xBC", "",
         false, 0},
    };
    for (const auto& c : cases) {
        const ProgramRun run = Execute(Connected(c.args));
        const std::string expected =
            LibraryExport(Input(c.searchAttribute, c.resultAttribute, c.searchString, c.preselection), c.swap);
        EXPECT_EQ(run.exitCode, 0) << c.searchString << ": " << run.err;
        EXPECT_EQ(run.err, "") << c.searchString;
        EXPECT_EQ(run.out, expected) << c.searchString;
        if (c.lines > 0) {
            std::size_t lines = 0;
            for (std::size_t at = run.out.find("  \r\n"); at != std::string::npos; at = run.out.find("  \r\n", at + 1)) {
                ++lines;
            }
            EXPECT_EQ(lines, c.lines) << c.searchString;
        }
    }
    // One column shows each entry's first value only, entries sorted by name.
    EXPECT_EQ(Execute(Connected({"-a", "sn", "-r", "telephoneNumber", "Smith"})).out, "123  \r\n789  \r\n");
}

TEST_F(CliSearchTest, NoEntryGivesTheNoResultMessageAndStatus1)
{
    const struct {
        Args args;
        const char* message;
    } cases[] = {
        {{"-a", "sn", "Zzz"}, "No result found for 'Zzz*'\n"},
        {{"-a", "sn", "-P", "%s%n", "Zzz"}, "No result found for '%s%nZzz*'\n"},
        {{"-a", "sn", "-d", "Zzz"}, "No result found for 'Zzz*'\n"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = Execute(Connected(c.args));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.message);
    }
    // A server that is not there looks the same as a search without entries.
    const ProgramRun unreachable = Execute({"-s", "127.0.0.1", "-p", "1", "-b", "dc=x", "Smith"});
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_EQ(unreachable.err, "No result found for 'Smith*'\n");
}

TEST_F(CliSearchTest, InputChecksInTheirOrder)
{
    const struct {
        Args args;
        const char* message;
    } cases[] = {
        {{}, "No search string selected.\n"},
        {{"-s", "", "-b", "", ""}, "No search string selected.\n"},
        {{"-b", "dc=x", "Smith"}, "No LDAP server selected.\n"},
        {{"-s", "h", "-a", "", "Smith"}, "No search attribute selected.\n"},
        {{"-s", "h", "-r", "", "Smith"}, "No distinguished name selected.\n"},
        {{"-s", "h", "-b", "dc=x", "-r", "", "Smith"}, "No result attribute selected.\n"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = Execute(c.args);
        EXPECT_EQ(run.exitCode, 2) << c.message;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.message);
    }
}

TEST_F(CliSearchTest, OutputFileWrittenThroughTheExport)
{
    const fs::path file = m_folder / "out.csv";
    std::ofstream(file, std::ios::binary) << "earlier run";
    const ProgramRun run = Execute(Connected({"-o", file.string(), "-a", "sn", "-r", "telephoneNumber", "Smith"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadBytes(file), "123  \r\n789  \r\n");

    // Nothing found: the file is emptied, as the export of such a search would leave it.
    const ProgramRun none = Execute(Connected({"-o", file.string(), "-a", "sn", "Zzz"}));
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(ReadBytes(file), "");

    const fs::path details = m_folder / "details.txt";
    const ProgramRun text = Execute(Connected({"--output", details.string(), "-d", "-D", "cn", "-a", "sn", "Smith"}));
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(ReadBytes(details), "Smith\r\n" + kSeparator + "Smithers\r\n" + kSeparator);

    for (const Args& args : {Args{"-o", (m_folder / "missing" / "out.csv").string(), "Smith"},
                             Args{"-o", m_folder.string(), "Smith"},
                             Args{"-d", "-o", (m_folder / "missing" / "out.txt").string(), "Smith"}}) {
        const ProgramRun failed = Execute(Connected(args));
        EXPECT_EQ(failed.exitCode, 3) << args[1];
        EXPECT_EQ(failed.out, "");
        EXPECT_EQ(failed.err, "Cannot create file!\n");
    }
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
    const fs::path file = m_folder / "fixtures.cvl";
    ASSERT_TRUE(WriteProfile(file.string(), profile));

    const struct {
        Args args;
        int exitCode;
        std::string out;
    } cases[] = {
        {{"-f", file.string(), "Smith"}, 0, "  \r\nsmithers@corvane.test  \r\n"},
        {{"-r", "telephoneNumber", "-f", file.string(), "Smith"}, 0, "123  \r\n789  \r\n"},
        {{"--profile", file.string(), "-r", "telephoneNumber", "-P", "Smithe", "r"}, 0, "789  \r\n"},
        {{"-f", file.string(), "-d", "Smith"}, 0, "123\r\n456\r\n" + kSeparator + "789\r\n" + kSeparator},
        {{"-f", file.string(), "-p", "1", "Smith"}, 1, ""},
        {{"-f", file.string(), "-s", "", "Smith"}, 2, ""},
    };
    for (const auto& c : cases) {
        const ProgramRun run = Execute(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args[1] << " " << run.err;
        EXPECT_EQ(run.out, c.out) << c.args[1];
    }

    const ProgramRun unreadable = Execute({"-f", (m_folder / "missing.cvl").string(), "Smith"});
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_EQ(unreadable.err, "Cannot read file!\n");
}

TEST_F(CliSearchTest, DetailsAreTheDetailsTextOfAllEntries)
{
    const ProgramRun smith = Execute(Connected({"-d", "-D", "cn,telephoneNumber", "-a", "sn", "Smith"}));
    EXPECT_EQ(smith.exitCode, 0) << smith.err;
    EXPECT_EQ(smith.out, "Smith\r\n123\r\n456\r\n" + kSeparator + "Smithers\r\n789\r\n" + kSeparator);

    // Swapped, the details filter on cn, not on the result attribute.
    const ProgramRun swapped = Execute(Connected({"-w", "-d", "-D", "cn", "-r", "mail", "Smith"}));
    EXPECT_EQ(swapped.exitCode, 0) << swapped.err;
    EXPECT_EQ(swapped.out, "Smith\r\n" + kSeparator + "Smithers\r\n" + kSeparator);

    const ProgramRun defaults = Execute(Connected({"--details", "-a", "telephoneNumber", "+49 89 1234 00"}));
    EXPECT_EQ(defaults.exitCode, 0) << defaults.err;
    EXPECT_EQ(defaults.out, LibraryDetails(Input("telephoneNumber", "cn", "+49 89 1234 00"), false,
                                           DefaultDetailSlots()));
}

TEST_F(CliSearchTest, HelpAndUsageErrors)
{
    const ProgramRun help = Execute({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Usage: corvane-search", 0), 0u);
    EXPECT_EQ(help.err, "");
    for (const Args& args : {Args{"--bogus", "Smith"}, Args{"Smith", "-s"}, Args{"Smith", "Jones"}}) {
        const ProgramRun run = Execute(args);
        EXPECT_EQ(run.exitCode, 2) << args[0];
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Usage: corvane-search"), std::string::npos) << args[0];
    }
}

}  // namespace
