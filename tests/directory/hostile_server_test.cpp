// hostile_server_test.cpp - DirectoryQuery against servers that send what no directory should:
// entries of very many attributes, messages of unknown kinds, broken or endless messages, answers
// larger than the bound, a secure port that never answers, and texts with control characters.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>
#include <thread>

#include "directory/directory_query.h"
#include "directory/password.h"
#include "directory/result_table.h"
#include "scripted_directory.h"
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

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(HostileServer, EachKindOfBadAnswerEndsAsItShould)
{
    constexpr std::uint64_t kMiB = 1024 * 1024;
    const struct {
        const char* name;
        Script script;
        int entries;
        std::size_t valueBytes;
        std::uint64_t bound;  // 0: the default
        bool succeeds;
        int32_t rows;
        bool cut;
        std::string reason;
    } cases[] = {
        // Taken for the end of the answer, an unknown message made the search wait out its limit.
        {"unknown message", Script::UnknownMessage, 3, 16, 0, true, 3, false, ""},
        {"closed in the middle", Script::ClosedMidAnswer, 0, 16, 0, false, 0, false,
         "the server closed the connection"},
        {"malformed entry", Script::MalformedEntry, 0, 16, 0, false, 0, false, "the server sent a malformed answer"},
        // Without a wake-up from the socket the trouble would wait out the whole time limit.
        {"stray bytes after the last message", Script::StrayBytes, 2, 16, 0, false, 0, false,
         "the server sent a malformed answer"},
        {"claimed 4 GiB", Script::HugeClaim, 0, 16, 0, false, 0, false, "the answer is larger than 256 MiB"},
        // Values of 3 MiB without end: the bound of 8 MiB ends the answer after two entries.
        {"huge values", Script::EndlessEntries, 0, 3 * kMiB, 8 * kMiB, true, 2, true, ""},
        {"control characters", Script::ControlText, 0, 16, 0, false, 0, false,
         "Server is unwilling to perform (line one\\x0aline two\\x1b[2J)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDirectory server(c.script, c.entries, c.valueBytes);
        ASSERT_TRUE(server.Running());
        DirectoryQuery query = QueryOn(Local(server.Port()), 30);
        if (c.bound != 0) {
            query.SetAnswerBound(c.bound);
        }
        ResultTable table;
        EXPECT_EQ(query.SearchForAttribute(kBase, "cn", "*", "cn", table), c.succeeds);
        EXPECT_EQ(query.FailureReason(), c.reason);
        EXPECT_EQ(table.RowCount(), c.rows);
        EXPECT_EQ(query.Cut(), c.cut);
    }
}

TEST(HostileServer, AnEntryOfManyAttributesIsReadOnceInOrderAndStops)
{
    // Looked up by name, 100,000 attributes took minutes; "cn" and "CN" each keep their own value.
    constexpr int kAttributes = 100000;
    {
        ScriptedDirectory server(Script::ManyAttributes, kAttributes);
        ASSERT_TRUE(server.Running());
        DirectoryQuery query = QueryOn(Local(server.Port()), 60);
        ResultTable table;
        ASSERT_TRUE(query.SearchForAttributes(kBase, "cn", "*", {}, table)) << query.FailureReason();
        ASSERT_EQ(table.RowCount(), 1);
        EXPECT_EQ(table.ColumnCount(), 1 + 2 * (kAttributes + 2));
        const char* expected[] = {"<ATTRIBUTE>cn", "<VALUE>lower", "<ATTRIBUTE>CN", "<VALUE>upper"};
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

TEST(HostileServer, ASilentSecurePeerEndsAtTheLimitWithoutSpinning)
{
    UnresponsiveListener listener;
    ASSERT_TRUE(listener.Running());
    DirectoryQuery query = QueryOn("ldaps://" + Local(listener.Port()), 2);
    ResultTable table;
    const double cpuBefore = CpuSeconds();
    EXPECT_FALSE(query.SearchForAttribute(kBase, "cn", "*", "cn", table));
    const double cpuUsed = CpuSeconds() - cpuBefore;
    EXPECT_EQ(query.FailureReason(), "no answer within 2 seconds");
    // Retrying the handshake without waiting for the socket took the whole 2 s of a processor.
    EXPECT_LT(cpuUsed, 0.5);
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
