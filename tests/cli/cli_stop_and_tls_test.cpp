// cli_stop_and_tls_test.cpp - the built corvane-search stopped by Ctrl+C, and over ldaps:// to a
// private server whose certificate comes from a test CA.
#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "cli_test_fixture.h"
#include "test_directory.h"
#include "unresponsive_listener.h"

namespace {

namespace fs = std::filesystem;
using namespace program_run;

class CliStopAndTlsTest : public CliTest {};

TEST_F(CliStopAndTlsTest, CtrlCStopsTheSearchWithNothingWritten)
{
    UnresponsiveListener listener;
    ASSERT_TRUE(listener.Running());
    const std::string output = (m_folder / "yesterday.csv").string();
    std::ofstream(output, std::ios::binary) << "yesterday's export\r\n";
    const Args connect = {"--server", "127.0.0.1", "-p", std::to_string(listener.Port()), "-b", "dc=x"};
    for (const Args& more : {Args{"Smith"}, Args{"--output", output, "Smith"}, Args{"--details", "Smith"}}) {
        Args args = connect;
        args.insert(args.end(), more.begin(), more.end());
        const int accepted = listener.Accepted();
        const Process pid = StartProgram(args, m_folder);
        ASSERT_GT(pid, 0);
        // Interrupted while it waits for the server's answer (its time limit is 100 seconds).
        while (listener.Accepted() == accepted) {
            std::this_thread::yield();
        }
        kill(pid, SIGINT);
        const ProgramRun run = FinishProgram(pid, m_folder);
        EXPECT_EQ(run.exitCode, 130) << more.front();
        EXPECT_EQ(run.out, "") << more.front();
        EXPECT_EQ(run.err, "") << more.front();
    }
    EXPECT_EQ(FileBytes(output), "yesterday's export\r\n");
}

TEST_F(CliStopAndTlsTest, LdapsChecksTheServerCertificate)
{
    DirectoryServer server(DirectoryServer::Config::Tls);
    ASSERT_TRUE(server.Running()) << server.Error();
    const std::string port = std::to_string(server.Port());
    const std::string trusted = "LDAPTLS_CACERT=" + server.CaFile();
    const Args search = {"-b", test_directory::kBaseDn, "--search-attribute", "sn", "-r", "telephoneNumber", "Smith"};
    const auto with = [&](const Args& connect) {
        Args args = connect;
        args.insert(args.end(), search.begin(), search.end());
        return args;
    };
    const struct {
        Args args;
        Args environment;
        int exitCode;
        std::string out;
    } cases[] = {
        // The URL's port wins over -p; without one, -p gives the port.
        {with({"--server", "ldaps://127.0.0.1:" + port, "-p", "1"}), {trusted}, 0, "123, 456  \r\n789  \r\n"},
        {with({"--server", "LDAPS://127.0.0.1/", "-p", port}), {trusted}, 0, "123, 456  \r\n789  \r\n"},
        // The test CA is none of the system's.
        {with({"--server", "ldaps://127.0.0.1:" + port}), {}, 4, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1] + (c.environment.empty() ? " untrusted" : " trusted"));
        const ProgramRun run = Run(c.args, c.environment);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.out, c.out);
        if (c.exitCode == 4) {
            EXPECT_EQ(run.err.rfind("corvane-search: search failed: the secure connection (TLS) to 127.0.0.", 0), 0u)
                << run.err;
            EXPECT_NE(run.err.find("certificate"), std::string::npos) << run.err;
        }
    }
}

}  // namespace
