// cli_bind_test.cpp - the built corvane-search binding with a name and a password against a
// private server that refuses anonymous searches: where the password comes from, a refused bind,
// the prompt on a terminal, and no trace of the password left in any file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "cli/cli_options.h"
#include "directory_server.h"
#include "program_run.h"
#include "storage/connection_profile.h"
#include "test_directory.h"

namespace {

namespace fs = std::filesystem;
namespace td = test_directory;
using namespace program_run;

class CliBindTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_server = new DirectoryServer(DirectoryServer::Config::Login); }
    static void TearDownTestSuite() { delete s_server; }

    void SetUp() override
    {
        ASSERT_TRUE(s_server->Running()) << s_server->Error();
        m_folder = fs::path(::testing::TempDir()) /
                   (std::string("cli_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                    std::to_string(getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder / "secret");
    }
    void TearDown() override { fs::remove_all(m_folder); }

    /// A file in the folder apart from the run's own files, holding bytes.
    std::string Secret(const char* name, const std::string& bytes) const
    {
        const fs::path path = m_folder / "secret" / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    /// The options that search the fixtures for sn=Smith, followed by args.
    Args Connected(const Args& args) const
    {
        Args all = {"--server",
                    DirectoryServer::Host(),
                    "-p",
                    std::to_string(s_server->Port()),
                    "-b",
                    td::kFixturesDn,
                    "--search-attribute",
                    "sn",
                    "-r",
                    "telephoneNumber"};
        all.insert(all.end(), args.begin(), args.end());
        all.push_back("Smith");
        return all;
    }

    static inline DirectoryServer* s_server = nullptr;
    fs::path m_folder;
};

const std::string kFound = "123, 456  \r\n789  \r\n";

TEST_F(CliBindTest, PasswordFromAFileOrStandardInputAndARefusedBind)
{
    const std::string right = td::kReaderPassword;
    const std::string rightFile = Secret("right", right + "\r\nsecond line\n");
    const std::string wrongFile = Secret("wrong", "wrong\n");
    const std::string emptyFile = Secret("empty", "\nright after an empty line\n");
    const std::string reader = td::kReaderDn;
    ConnectionProfile profile;
    profile.bindUser = reader;
    const std::string profileFile = (m_folder / "reader.cvl").string();
    ASSERT_TRUE(WriteProfile(profileFile, profile));
    const std::string failed = "corvane-search: search failed: ";
    const std::string noPassword =
        "corvane-search: a bind name needs a password: give -y FILE (- for standard input), or run on a "
        "terminal to be asked for it\n";
    const std::string neverGiven =
        "corvane-search: passwords are never taken from the command line; use -W or -y FILE\n"
        "Try 'corvane-search --help'.\n";
    const struct {
        const char* name;
        Args args;
        std::string input;  // standard input: a file, or /dev/null when empty
        int exitCode;
        std::string err;
    } cases[] = {
        {"first line of the file, CR LF ended", {"-D", reader, "--password-file", rightFile}, "", 0, ""},
        {"standard input", {"--bind-user=" + reader, "--password-file", "-"}, rightFile, 0, ""},
        {"bind name from the profile", {"--profile", profileFile, "--password-file=" + rightFile}, "", 0, ""},
        {"a wrong password is a refused bind",
         {"-D", reader, "--password-file", wrongFile},
         "",
         4,
         failed + "the server refused the bind as '" + reader + "' (Invalid credentials)\n"},
        {"anonymous searches are refused",
         {},
         "",
         4,
         failed + "Server is unwilling to perform (authentication required)\n"},
        {"an empty bind name overrides the profile's",
         {"--profile", profileFile, "-D", ""},
         "",
         4,
         failed + "Server is unwilling to perform (authentication required)\n"},
        {"no file and no terminal", {"-D", reader}, "", 2, noPassword},
        {"an empty first line",
         {"-D", reader, "--password-file", emptyFile},
         "",
         2,
         "corvane-search: the first line of the password file '" + emptyFile + "' holds no password\n"},
        {"a missing file",
         {"-D", reader, "--password-file", emptyFile + ".missing"},
         "",
         2,
         "corvane-search: cannot read the password file '" + emptyFile + ".missing' (No such file or directory)\n"},
        {"never to a list of secure and plain servers",
         {"-D", reader, "--password-file", rightFile, "--server", "ldaps://h ldap://h"},
         "",
         2,
         "corvane-search: the server list 'ldaps://h ldap://h' mixes ldaps:// and plain servers: after a failed "
         "secure connection the password would travel unencrypted; list only ldaps:// servers, or only plain ones\n"},
        {"never from the command line", {"--password", right}, "", 2, neverGiven},
        // ldapsearch's habit: the password after -w is neither used nor echoed, wherever it stands.
        {"never after -w", {"-D", reader, "-w", right, "Sch"}, "", 2, neverGiven},
        {"never after -w in a group", {"-xw" + right, "Sch"}, "", 2, neverGiven},
        {"-W without a terminal",
         {"-D", reader, "-W"},
         "",
         2,
         "corvane-search: -W asks for the password on a terminal, and there is none; use -y FILE\n"},
        {"-y is ldapsearch's password file", {"-x", "-D", reader, "-y", rightFile}, "", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun run = RunProgram(Connected(c.args), m_folder, {}, c.input);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, c.exitCode == 0 ? kFound : "");
    }
}

/// Every byte of every file below folder, names with their bytes, except below skipped.
std::string AllBytesBelow(const fs::path& folder, const fs::path& skipped)
{
    std::string all;
    for (const auto& item : fs::recursive_directory_iterator(folder)) {
        if (item.path().string().starts_with(skipped.string())) {
            continue;
        }
        all += item.path().string() + "\n";
        if (item.is_regular_file()) {
            all += FileBytes(item.path());
        }
    }
    return all;
}

TEST_F(CliBindTest, TerminalPromptWithEchoOffAndNoTraceLeft)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string terminal = ptsname(master);
    const int slave = open(terminal.c_str(), O_RDWR | O_NOCTTY);  // kept open to read its modes after the run
    ASSERT_GE(slave, 0);

    // The run's home, settings and temporary folders, and its output, all in the folder.
    const fs::path home = m_folder / "home";
    fs::create_directories(home / "tmp");
    const Args environment = {"HOME=" + home.string(), "XDG_CONFIG_HOME=" + (home / ".config").string(),
                              "TMPDIR=" + (home / "tmp").string()};
    const pid_t pid = StartProgram(Connected({"-D", td::kReaderDn, "--output", (home / "out.csv").string()}), m_folder,
                                   environment, terminal);
    ASSERT_GT(pid, 0);
    // Answer only once the prompt shows: echo is off by then.
    const auto waitedUntil = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (FileBytes(m_folder / "stderr").find("Password for") == std::string::npos &&
           std::chrono::steady_clock::now() < waitedUntil) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const std::string answer = std::string(td::kReaderPassword) + "\n";
    ASSERT_EQ(write(master, answer.data(), answer.size()), static_cast<ssize_t>(answer.size()));
    const ProgramRun run = FinishProgram(pid, m_folder);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, std::string("Password for ") + td::kReaderDn + ": \n");
    EXPECT_EQ(FileBytes(home / "out.csv"), kFound);

    // Nothing came back from the terminal, and echo is on again.
    fcntl(master, F_SETFL, O_NONBLOCK);
    char echoed[256];
    EXPECT_LE(read(master, echoed, sizeof echoed), 0);
    termios modes{};
    ASSERT_EQ(tcgetattr(slave, &modes), 0);
    EXPECT_NE(modes.c_lflag & ECHO, 0u);
    close(slave);
    close(master);

    EXPECT_EQ(AllBytesBelow(m_folder, m_folder / "secret").find(td::kReaderPassword), std::string::npos);
}

}  // namespace
