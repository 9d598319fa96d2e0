// ad_bind_search_test.cpp - searches of the Active Directory test directory bound as its users
// write their names (user@realm, DOMAIN\user, a DN), over StartTLS and over ldaps://, through
// DirectoryQuery and the built corvane-search; every answer of thousands of entries is as long as
// the one ldapsearch gets with the same bind.
#include <gtest/gtest.h>

#include <string>

#include "ad_search_fixture.h"
#include "directory/directory_query.h"
#include "program_run.h"
#include "result/result_table.h"

namespace {

using namespace ad_suite;

TEST_F(AdSearch, DirectoryQueryFindsEveryPersonForEachFormOfTheBindName)
{
    const std::string filter = "(&(objectCategory=person)(objectClass=user))";
    for (const Transport& transport : kTransports) {
        for (const Bind& bind : kBinds) {
            SCOPED_TRACE(std::string(bind.form) + " over " + transport.name);
            DirectoryQuery query;
            const std::string host = transport.ldaps ? Url(transport) : "127.0.0.1";
            query.SetServer(host, transport.ldaps ? s_directory->LdapsPort() : s_directory->Port(), 3);
            query.SetStartTls(!transport.ldaps);
            query.SetLimits(120, 100000);
            query.SetBind(bind.name, Password(s_directory->ReaderPassword()));
            ResultTable table;
            ASSERT_TRUE(query.SearchWithFilter(tad::kBaseDn, filter, {"sAMAccountName", "displayName"}, table))
                << query.FailureReason();
            EXPECT_FALSE(query.Cut());
            EXPECT_GT(table.RowCount(), tad::kPeopleCount);
            EXPECT_EQ(table.RowCount(), LdapsearchCount(bind, transport, filter));
        }
    }
}

TEST_F(AdSearch, CorvaneSearchFindsEveryAccountForEachFormOfTheBindName)
{
    // One line for each entry: the account names hold no line breaks.
    const std::string trusted = "LDAPTLS_CACERT=" + s_directory->CaFile();
    for (const Transport& transport : kTransports) {
        for (const Bind& bind : kBinds) {
            SCOPED_TRACE(std::string(bind.form) + " over " + transport.name);
            program_run::Args args = {"-H",
                                      Url(transport),
                                      "-D",
                                      bind.name,
                                      "-y",
                                      m_passwordFile,
                                      "-b",
                                      tad::kBaseDn,
                                      "--search-attribute",
                                      "sAMAccountName",
                                      "-r",
                                      "sAMAccountName",
                                      "-z",
                                      "max",
                                      "-l",
                                      "120",
                                      "*"};
            if (!transport.ldaps) {
                args.insert(args.begin(), "-ZZ");
            }
            const program_run::ProgramRun run = program_run::RunProgram(args, m_temp.Path(), {trusted});
            ASSERT_EQ(run.exitCode, 0) << run.err;
            int lines = 0;
            for (std::size_t at = run.out.find('\n'); at != std::string::npos; at = run.out.find('\n', at + 1)) {
                ++lines;
            }
            EXPECT_GT(lines, tad::kPeopleCount);
            EXPECT_EQ(lines, LdapsearchCount(bind, transport, "(sAMAccountName=*)"));
        }
    }
}

}  // namespace
