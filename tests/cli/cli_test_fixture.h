// cli_test_fixture.h - the fixture of the tests that run the built corvane-search: a private
// folder for each test (the run's outputs and the files it is given) and the options that reach a server.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "directory_server.h"
#include "program_run.h"
#include "temp_folder.h"

class CliTest : public ::testing::Test {
protected:
    using Args = program_run::Args;
    using ProgramRun = program_run::ProgramRun;

    /// The options that reach server and search below base, followed by args.
    static Args Connected(const DirectoryServer& server, const std::string& base, const Args& args)
    {
        Args all = {"--server", DirectoryServer::Host(), "-p", std::to_string(server.Port()), "-b", base};
        all.insert(all.end(), args.begin(), args.end());
        return all;
    }

    /// Runs the program with args, its outputs caught in the folder.
    ProgramRun Run(const Args& args, const Args& environment = {}, const std::filesystem::path& input = {}) const
    {
        return program_run::RunProgram(args, m_folder, environment, input);
    }

    TempFolder m_temp;
    const std::filesystem::path m_folder{m_temp.Path()};
};

/// A CliTest with one private server of config for the whole test suite.
template <DirectoryServer::Config config>
class CliServerTest : public CliTest {
protected:
    static void SetUpTestSuite() { s_server = new DirectoryServer(config); }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->Running()) << s_server->Error(); }

    /// Runs the program with the options that search the server below base, followed by args.
    ProgramRun RunBelow(const std::string& base, const Args& args) const
    {
        return Run(Connected(*s_server, base, args));
    }

    static inline DirectoryServer* s_server = nullptr;
};
