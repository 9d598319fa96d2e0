// query_streaming_test.cpp - DirectoryQuery against servers that misbehave while answering: a
// message cut off in the bind or the search, an answer without end, and a stop from another
// thread while the server says nothing, in the first page of an answer or a later one.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

#include "directory/directory_query.h"
#include "result/result_table.h"
#include "scripted_directory.h"
#include "test_system.h"
#include "unresponsive_listener.h"

namespace {

using Script = ScriptedDirectory::Script;

DirectoryQuery QueryOn(int port, int32_t timeLimit, uint32_t maxEntries = 1000)
{
    DirectoryQuery query;
    query.SetServer("127.0.0.1", port, 3);
    query.SetLimits(timeLimit, maxEntries);
    return query;
}

TEST(DirectoryQueryStreaming, AMessageCutOffEndsInTheTimeLimit)
{
    // Without a non-blocking read the library would wait for the rest of the message for ever.
    if (kBuiltForWindows) {
        GTEST_SKIP() << "WLDAP32 reads each message whole itself and waits for the rest of a cut-off one";
    }
    for (const Script script : {Script::QuietInBind, Script::QuietInSearch}) {
        SCOPED_TRACE(script == Script::QuietInBind ? "bind" : "search");
        ScriptedDirectory server(script);
        ASSERT_TRUE(server.Running());
        DirectoryQuery query = QueryOn(server.Port(), 1);
        ResultTable table;
        EXPECT_FALSE(query.SearchForAttribute("dc=corvane,dc=test", "cn", "*", "cn", table));
        EXPECT_EQ(query.FailureReason(), "no answer within 1 second");
        EXPECT_EQ(table.RowCount(), 0);
    }
}

TEST(DirectoryQueryStreaming, AnAnswerWithoutEndKeepsTheCapAndAbandonsTheRest)
{
    // Entries of 10 KB: reading on past the cap would take hundreds of megabytes in the time limit.
    ScriptedDirectory server(Script::EndlessEntries, 0, 10 * 1024);
    ASSERT_TRUE(server.Running());
    DirectoryQuery query = QueryOn(server.Port(), 60);
    ResultTable table;
    ASSERT_TRUE(query.SearchForAttribute("dc=corvane,dc=test", "cn", "*", "cn", table)) << query.FailureReason();
    // Asked for the whole answer up to the cap at once, without pages.
    EXPECT_EQ(server.PageSizeAsked(), -1);
    EXPECT_EQ(server.SizeLimitAsked(), 1000);
    EXPECT_EQ(table.RowCount(), 1000);
    EXPECT_EQ(table.GetCell(0, 999), "<ENTRY>cn=Person 999,ou=people,dc=corvane,dc=test");
    EXPECT_TRUE(query.Cut());
    EXPECT_FALSE(query.Stopped());
    while (server.ConnectionsEnded() == 0) {
        std::this_thread::yield();
    }
    EXPECT_TRUE(server.Abandoned());
}

TEST(DirectoryQueryStreaming, AnAnswerOfExactlyTheCapIsNotCut)
{
    for (const int entries : {999, 1000}) {
        ScriptedDirectory server(Script::FixedEntries, entries);
        ASSERT_TRUE(server.Running());
        DirectoryQuery query = QueryOn(server.Port(), 60);
        ResultTable table;
        ASSERT_TRUE(query.SearchForAttribute("dc=corvane,dc=test", "cn", "*", "cn", table)) << entries;
        EXPECT_EQ(table.RowCount(), entries);
        EXPECT_FALSE(query.Cut()) << entries;
    }
}

TEST(DirectoryQueryStreaming, AStopFromAnotherThreadKeepsWhatArrivedAndIsNoFailure)
{
    // Were the stop not seen, each search would run into its 60 seconds and fail.
    UnresponsiveListener listener;
    ScriptedDirectory server(Script::EntriesThenQuiet, 3);
    ASSERT_TRUE(listener.Running() && server.Running());
    ScriptedDirectory pages(Script::PagesThenQuiet, 3);
    ASSERT_TRUE(pages.Running());
    const struct {
        const char* name;
        int port;
        std::function<bool()> arrived;  // true once the stop may come
        int32_t rows;
        int32_t read;  // the entries the client has surely read by then: those of the pages before
    } cases[] = {
        {"in the bind", listener.Port(), [&] { return listener.Accepted() > 0; }, 0, 0},
        {"in the search, after three entries", server.Port(), [&] { return server.Delivered(); }, 3, 0},
        {"in the second page, after three entries more", pages.Port(), [&] { return pages.Delivered(); }, 6, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DirectoryQuery query = QueryOn(c.port, 60);
        std::thread stopper([&] {
            while (!c.arrived()) {
                std::this_thread::yield();
            }
            query.Stop();
        });
        ResultTable table;
        table.SetCell(0, 0, "earlier");
        table.SetDimensions(1, 1);
        EXPECT_TRUE(query.SearchForAttribute("dc=corvane,dc=test", "cn", "*", "cn", table));
        stopper.join();
        EXPECT_TRUE(query.Stopped());
        EXPECT_TRUE(query.Cut());
        EXPECT_EQ(query.FailureReason(), "");
        // Windows cannot tell when sent entries are in the client's hands: the stop may come
        // before the last of them were read, never before those of the pages asked for earlier.
        int32_t rows = c.rows;
        if (kBuiltForWindows) {
            rows = table.GetCell(0, 0) == "earlier" ? 0 : table.RowCount();
            EXPECT_GE(rows, c.read);
            EXPECT_LE(rows, c.rows);
        }
        EXPECT_EQ(table.RowCount(), rows == 0 ? 1 : rows);
        EXPECT_EQ(table.GetCell(0, 0), rows == 0 ? "earlier" : "<ENTRY>cn=Person 0,ou=people,dc=corvane,dc=test");
        if (rows > 0) {
            EXPECT_EQ(table.GetCell(0, rows - 1),
                      "<ENTRY>cn=Person " + std::to_string(rows - 1) + ",ou=people,dc=corvane,dc=test");
        }
    }
}

}  // namespace
