// cli_bind_test.cpp - the built corvane-search binding with a name and a password against a
// private server that refuses anonymous searches: where the password comes from, and a refused bind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/cli_options.h"
#include "cli_test_fixture.h"
#include "storage/connection_profile.h"
#include "test_directory.h"

namespace {

namespace fs = std::filesystem;
namespace td = test_directory;

class CliBindTest : public CliServerTest<DirectoryServer::Config::Login> {
protected:
    void SetUp() override
    {
        CliServerTest::SetUp();
        fs::create_directories(m_folder / "secret");
    }

    /// A file in the folder apart from the run's own files, holding bytes.
    std::string Secret(const char* name, const std::string& bytes) const
    {
        const fs::path path = m_folder / "secret" / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    /// The options that search the fixtures for sn=Smith, followed by args.
    static Args Connected(Args args)
    {
        args.insert(args.begin(), {"--search-attribute", "sn", "-r", "telephoneNumber"});
        args.push_back("Smith");
        return CliTest::Connected(*s_server, td::kFixturesDn, args);
    }
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
         failed + "Server is unwilling to perform (authentication required) - the server wants a bind name: give one "
                  "with -D\n"},
        {"an empty bind name overrides the profile's",
         {"--profile", profileFile, "-D", ""},
         "",
         4,
         failed + "Server is unwilling to perform (authentication required) - the server wants a bind name: give one "
                  "with -D\n"},
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
        const ProgramRun run = Run(Connected(c.args), {}, c.input);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, c.exitCode == 0 ? kFound : "");
    }
}

}  // namespace
