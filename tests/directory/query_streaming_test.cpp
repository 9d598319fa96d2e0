// query_streaming_test.cpp - DirectoryQuery against servers that misbehave while answering: a
// message cut off in the bind or the search, an answer without end, and a stop from another
// thread while the server says nothing.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "directory/directory_query.h"
#include "directory/result_table.h"
#include "scripted_directory.h"
#include "unresponsive_listener.h"

namespace {

using Script = ScriptedDirectory::Script;

DirectoryQuery QueryOn(int port, int32_t timeLimit, uint32_t maxEntries = 1000) {
    DirectoryQuery query;
    query.SetServer("127.0.0.1", port, 3);
    query.SetLimits(timeLimit, maxEntries);
    return query;
}

TEST(DirectoryQueryStreaming, AMessageCutOffEndsInTheTimeLimit) {
    // Without a non-blocking read the library would wait for the rest of the message for ever.
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

TEST(DirectoryQueryStreaming, AnAnswerWithoutEndKeepsTheCapAndAbandonsTheRest) {
    // Entries of 10 KB: reading on past the cap would take hundreds of megabytes in the time limit.
    ScriptedDirectory server(Script::EndlessEntries, 0, 10 * 1024);
    ASSERT_TRUE(server.Running());
    DirectoryQuery query = QueryOn(server.Port(), 60);
    ResultTable table;
    ASSERT_TRUE(query.SearchForAttribute("dc=corvane,dc=test", "cn", "*", "cn", table)) << query.FailureReason();
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

TEST(DirectoryQueryStreaming, AnAnswerOfExactlyTheCapIsNotCut) {
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

TEST(DirectoryQueryStreaming, AStopFromAnotherThreadEndsTheWaitAndIsNoFailure) {
    UnresponsiveListener listener;
    ASSERT_TRUE(listener.Running());
    DirectoryQuery query = QueryOn(listener.Port(), 60);
    std::thread stopper([&] {
        while (listener.Accepted() == 0) {
            std::this_thread::yield();
        }
        query.Stop();
    });
    ResultTable table;
    table.SetCell(0, 0, "earlier");
    table.SetDimensions(1, 1);
    // Were the stop not seen, the search would run into its 60 seconds and fail.
    EXPECT_TRUE(query.SearchForAttribute("dc=corvane,dc=test", "cn", "*", "cn", table));
    stopper.join();
    EXPECT_TRUE(query.Stopped());
    EXPECT_TRUE(query.Cut());
    EXPECT_EQ(query.FailureReason(), "");
    EXPECT_EQ(table.GetCell(0, 0), "earlier");
}

}  // namespace
