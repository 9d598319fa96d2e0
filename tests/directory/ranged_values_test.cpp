// ranged_values_test.cpp - DirectoryQuery through a relay that answers as a domain controller
// does: a large attribute's values a range at a time and answers of a bounded page size. Every
// value arrives under the plain name; a stop or the time limit that ends the range requests ends
// the search visibly.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "directory/directory_query.h"
#include "directory_server.h"
#include "domain_controller_relay.h"
#include "result/result_table.h"
#include "table_cells.h"
#include "test_directory.h"

namespace {

namespace td = test_directory;
using Config = DirectoryServer::Config;
using Data = DirectoryServer::Data;

DirectoryServer& LargeServer()
{
    static DirectoryServer server(Config::Normal, Data::Large);
    return server;
}

DirectoryQuery QueryAt(int port, int32_t timeLimit, uint32_t maxEntries)
{
    DirectoryQuery query;
    query.SetServer(DirectoryServer::Host(), port, 3);
    query.SetLimits(timeLimit, maxEntries);
    return query;
}

/// The cells of the large group's row: its members from first to last under name.
Cells GroupCells(const std::string& name, int first, int last)
{
    Cells cells = {std::string("<ENTRY>") + td::kLargeGroupDn, "<ATTRIBUTE>" + name};
    for (int n = first; n <= last; ++n) {
        char member[64];
        std::snprintf(member, sizeof member, "<VALUE>uid=b%06d,ou=people,dc=corvane,dc=test", n);
        cells.emplace_back(member);
    }
    return cells;
}

TEST(RangedValues, EveryValueArrivesUnderThePlainName)
{
    ASSERT_TRUE(LargeServer().Running()) << LargeServer().Error();
    // The ranges of a domain controller, of one bounding the pages as well, and many small ones.
    const struct {
        DomainControllerRelay::Limits limits;
        std::vector<std::string> attributes;
    } cases[] = {
        {{}, {"member"}},
        {{}, {}},  // every attribute: the ranged one among the others
        {{1000, 1000, false}, {"cn", "member"}},
        {{300, 1000, false}, {"member"}},
    };
    for (const auto& c : cases) {
        DomainControllerRelay relay(DirectoryServer::Host(), LargeServer().Port(), c.limits);
        ASSERT_TRUE(relay.Running());
        DirectoryQuery query = QueryAt(relay.Port(), 60, 1000);
        ResultTable table;
        ASSERT_TRUE(query.SearchForAttributes(td::kGroupsDn, "cn", "Large*", c.attributes, table))
            << query.FailureReason();
        ASSERT_EQ(table.RowCount(), 1);
        Cells cells = RowCells(table, 0);
        // Every attribute but the group's members is dropped: they are what is compared.
        std::vector<std::string> members;
        bool inMembers = false;
        for (const std::string& cell : cells) {
            if (cell.rfind("<ATTRIBUTE>", 0) == 0) {
                inMembers = cell == "<ATTRIBUTE>member";
            }
            if (inMembers || cell.rfind("<ENTRY>", 0) == 0) {
                members.push_back(cell);
            }
        }
        EXPECT_EQ(members, GroupCells("member", 0, td::kLargeGroupMembers - 1)) << c.limits.maxValues;
        EXPECT_FALSE(query.Cut());
        EXPECT_GE(relay.RangeRequests(), 1);
    }
}

TEST(RangedValues, StopOrTimeLimitEndsTheRangeRequests)
{
    ASSERT_TRUE(LargeServer().Running()) << LargeServer().Error();
    for (const bool stop : {true, false}) {
        // The relay takes the request for the rest and never answers it.
        DomainControllerRelay relay(DirectoryServer::Host(), LargeServer().Port(), {1500, 1000, true});
        ASSERT_TRUE(relay.Running());
        DirectoryQuery query = QueryAt(relay.Port(), stop ? 60 : 2, 1000);
        std::atomic<bool> searching{true};
        std::thread stopper([&] {
            while (stop && searching && relay.RangeRequests() == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            if (stop) {
                query.Stop();
            }
        });
        ResultTable table;
        const bool walked = query.SearchForAttribute(td::kGroupsDn, "cn", "Large*", "member", table);
        searching = false;
        stopper.join();
        EXPECT_EQ(relay.RangeRequests(), 1);
        if (!stop) {
            EXPECT_FALSE(walked);
            EXPECT_EQ(query.FailureReason(), "no answer within 2 seconds");
            continue;
        }
        ASSERT_TRUE(walked) << query.FailureReason();
        EXPECT_TRUE(query.Stopped());
        EXPECT_TRUE(query.Cut());
        // The values that came keep the name of their range: never taken for all of them.
        ASSERT_EQ(table.RowCount(), 1);
        EXPECT_EQ(RowCells(table, 0), GroupCells("member;range=0-1499", 0, 1499));
    }
}

TEST(RangedValues, AnswersBoundedToAPageComeWhole)
{
    ASSERT_TRUE(LargeServer().Running()) << LargeServer().Error();
    DomainControllerRelay relay(DirectoryServer::Host(), LargeServer().Port());
    ASSERT_TRUE(relay.Running());
    DirectoryQuery query = QueryAt(relay.Port(), 60, 5000);
    ResultTable table;
    ASSERT_TRUE(query.SearchForAttribute(td::kPeopleDn, "uid", "*", "uid", table)) << query.FailureReason();
    std::set<std::string> entries;
    for (int32_t row = 0; row < table.RowCount(); ++row) {
        entries.insert(table.GetCell(0, row));
    }
    EXPECT_EQ(entries.size(), static_cast<std::size_t>(td::kLargePeopleCount));
    EXPECT_FALSE(query.Cut());
    EXPECT_GE(relay.PagesBounded(), 1);
}

}  // namespace
