// hostile_server_test.cpp - DirectoryQuery against servers that send what no directory should:
// entries of very many attributes, messages of unknown kinds, broken or endless messages, answers
// larger than the bound, a secure port that never answers, and texts with control characters.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <thread>

#include "directory/directory_query.h"
#include "directory/password.h"
#include "result/result_table.h"
#include "scripted_directory.h"
#include "test_system.h"
#include "unresponsive_listener.h"

namespace {

using Script = ScriptedDirectory::Script;

constexpr char kBase[] = "dc=corvane,dc=test";

DirectoryQuery QueryOn(const std::string& server, int32_t timeLimit)
{
    DirectoryQuery query;
    query.SetServer(server, 389, 3);
    query.SetLimits(timeLimit, 1000);
    return query;
}

std::string Local(int port)
{
    return "127.0.0.1:" + std::to_string(port);
}

/** How a search ended. */
struct Outcome {
    bool succeeds;
    int32_t rows;
    bool cut;
    std::string reason;
};

TEST(HostileServer, EachKindOfBadAnswerEndsAsItShould)
{
    constexpr std::uint64_t kMiB = 1024 * 1024;
    const Outcome malformed{false, 0, false, "the server sent a malformed answer"};
    // What WLDAP32 does where it differs: it reads each message whole itself, so the program
    // neither sees a message's kind before the library does nor a length the server merely claims.
    struct OnWindows {
        const char* skipped = nullptr;   ///< why the case cannot run there
        std::optional<Outcome> outcome;  ///< when it ends otherwise than on Linux
    };
    const struct {
        const char* name;
        Script script;
        int entries;
        std::size_t valueBytes;
        std::uint64_t bound;  // 0: the default
        Outcome outcome;
        OnWindows windows;
    } cases[] = {
        // Values of 3 MiB without end: the bound of 8 MiB ends the answer after two entries.
        {"huge values",
         Script::EndlessEntries,
         0,
         3 * kMiB,
         8 * kMiB,
         {true, 2, true, ""},
         {"WLDAP32 under Wine now and then waits without end in its result call while entries of megabytes stream in",
          std::nullopt}},
        // Taken for the end of the answer, an unknown message made the search wait out its limit.
        // WLDAP32 takes it so and drops the rest: the search fails at once.
        {"unknown message", Script::UnknownMessage, 3, 16, 0, {true, 3, false, ""}, {nullptr, malformed}},
        {"closed in the middle",
         Script::ClosedMidAnswer,
         0,
         16,
         0,
         {false, 0, false, "the server closed the connection"},
         {}},
        {"malformed entry", Script::MalformedEntry, 0, 16, 0, malformed, {}},
        // Without a wake-up from the socket the trouble would wait out the whole time limit.
        {"stray bytes after the last message",
         Script::StrayBytes,
         2,
         16,
         0,
         malformed,
         {"WLDAP32 waits inside its result call for the rest of a message that never comes", std::nullopt}},
        {"claimed 4 GiB",
         Script::HugeClaim,
         0,
         16,
         0,
         {false, 0, false, "the answer is larger than 256 MiB"},
         {"WLDAP32 takes in a message of the length its header claims before the program sees it", std::nullopt}},
        {"control characters",
         Script::ControlText,
         0,
         16,
         0,
         {false, 0, false, "Server is unwilling to perform (line one\\x0aline two\\x1b[2J)"},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (kBuiltForWindows && c.windows.skipped != nullptr) {
            std::printf("not run on Windows: %s\n", c.windows.skipped);
            continue;
        }
        const Outcome& expected = kBuiltForWindows && c.windows.outcome ? *c.windows.outcome : c.outcome;
        ScriptedDirectory server(c.script, c.entries, c.valueBytes);
        ASSERT_TRUE(server.Running());
        DirectoryQuery query = QueryOn(Local(server.Port()), 30);
        if (c.bound != 0) {
            query.SetAnswerBound(c.bound);
        }
        ResultTable table;
        EXPECT_EQ(query.SearchForAttribute(kBase, "cn", "*", "cn", table), expected.succeeds);
        EXPECT_EQ(query.FailureReason(), expected.reason);
        EXPECT_EQ(table.RowCount(), expected.rows);
        EXPECT_EQ(query.Cut(), expected.cut);
    }
}

TEST(HostileServer, AnEntryOfManyAttributesIsReadOnceInOrderAndStops)
{
    // Looked up by name, 100,000 attributes took minutes; "cn" and "CN" each keep their own value.
    // WLDAP32 looks each attribute's values up by its name, which costs more the more attributes
    // come before it: there the entry is smaller, so that reading it stays within the limit.
    constexpr int kAttributes = kBuiltForWindows ? 5000 : 100000;
    {
        ScriptedDirectory server(Script::ManyAttributes, kAttributes);
        ASSERT_TRUE(server.Running());
        DirectoryQuery query = QueryOn(Local(server.Port()), 60);
        ResultTable table;
        ASSERT_TRUE(query.SearchForAttributes(kBase, "cn", "*", {}, table)) << query.FailureReason();
        ASSERT_EQ(table.RowCount(), 1);
        EXPECT_EQ(table.ColumnCount(), 1 + 2 * (kAttributes + 2));
        // WLDAP32 looks values up by a name that ignores case: "CN" gets the values of "cn".
        const char* expected[] = {"<ATTRIBUTE>cn", "<VALUE>lower", "<ATTRIBUTE>CN",
                                  kBuiltForWindows ? "<VALUE>lower" : "<VALUE>upper"};
        for (int32_t column = 1; column <= 4; ++column) {
            EXPECT_EQ(table.GetCell(column, 0), expected[column - 1]);
        }
        EXPECT_EQ(table.GetCell(table.ColumnCount() - 1, 0), "<VALUE>v" + std::to_string(kAttributes - 1));
    }
    // A stop while the entry is walked ends the search without the entry read in part.
    ScriptedDirectory server(Script::ManyAttributes, 5 * kAttributes);
    ASSERT_TRUE(server.Running());
    DirectoryQuery query = QueryOn(Local(server.Port()), 60);
    std::thread stopper([&] {
        while (!server.Delivered()) {
            std::this_thread::yield();
        }
        query.Stop();
    });
    ResultTable table;
    EXPECT_TRUE(query.SearchForAttributes(kBase, "cn", "*", {}, table));
    stopper.join();
    EXPECT_TRUE(query.Stopped());
    EXPECT_EQ(table.RowCount(), 0);
}

TEST(HostileServer, APasswordNeverGoesToAListOfSecureAndPlainServers)
{
    UnresponsiveListener listener;
    ASSERT_TRUE(listener.Running());
    const std::string field = "ldaps://" + Local(listener.Port()) + " ldap://" + Local(listener.Port());
    DirectoryQuery query = QueryOn(field, 30);
    query.SetBind("cn=reader,dc=corvane,dc=test", Password("secret"));
    ResultTable table;
    EXPECT_FALSE(query.SearchForAttribute(kBase, "cn", "*", "cn", table));
    EXPECT_NE(query.FailureReason().find("mixes ldaps:// and plain servers"), std::string::npos);
    EXPECT_EQ(listener.Accepted(), 0);
}

}  // namespace
