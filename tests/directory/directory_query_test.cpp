// directory_query_test.cpp - DirectoryQuery against a private slapd: the table layout of an answer,
// limits, refusals, unreachable and unresponsive servers, and 8-bit values.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "directory/directory_query.h"
#include "directory/result_table.h"
#include "directory_server.h"
#include "test_directory.h"
#include "unresponsive_listener.h"

namespace {

using Cells = std::vector<std::string>;
using Config = DirectoryServer::Config;

/** One private server per configuration for the whole program, started on first use. */
class Servers : public ::testing::Environment {
public:
    static Servers* instance;

    DirectoryServer& Get(Config config) {
        auto& server = m_servers[config];
        if (!server) {
            server = std::make_unique<DirectoryServer>(config, DirectoryServer::Data::Test);
        }
        return *server;
    }
    void TearDown() override { m_servers.clear(); }

private:
    std::map<Config, std::unique_ptr<DirectoryServer>> m_servers;
};
Servers* Servers::instance = nullptr;

/// The visible cells of a row, without the empty ones after its last stored cell.
Cells RowCells(const ResultTable& table, int32_t row) {
    Cells cells;
    for (int32_t column = 0; column < table.ColumnCount(); ++column) {
        cells.push_back(table.GetCell(column, row));
    }
    while (!cells.empty() && cells.back().empty()) {
        cells.pop_back();
    }
    return cells;
}

/// Rows keyed by their entry cell, since the server chooses the order of the entries.
std::map<std::string, Cells> RowsByEntry(const ResultTable& table) {
    std::map<std::string, Cells> rows;
    for (int32_t row = 0; row < table.RowCount(); ++row) {
        Cells cells = RowCells(table, row);
        rows[cells.empty() ? std::string() : cells[0]] = cells;
    }
    return rows;
}

std::string Entry(const char* dn) {
    return std::string("<ENTRY>") + dn;
}

class DirectoryQueryTest : public ::testing::Test {
protected:
    /// A query on the server of config, with the callers' entry cap and a generous time limit.
    DirectoryQuery QueryOn(Config config, uint32_t maxEntries = 1000) {
        DirectoryServer& server = Servers::instance->Get(config);
        EXPECT_TRUE(server.Running()) << server.Error();
        DirectoryQuery query;
        query.SetServer(DirectoryServer::Host(), server.Port(), 3);
        query.SetLimits(60, maxEntries);
        return query;
    }

    /// A table with earlier contents, to see that a failed search leaves it alone.
    static ResultTable EarlierTable() {
        ResultTable table;
        table.SetCell(0, 0, "earlier");
        table.SetCell(1, 2, "content");
        table.SetDimensions(2, 3);
        return table;
    }
    static void ExpectEarlierTable(const ResultTable& table) {
        EXPECT_EQ(table.ColumnCount(), 2);
        EXPECT_EQ(table.RowCount(), 3);
        EXPECT_EQ(table.GetCell(0, 0), "earlier");
        EXPECT_EQ(table.GetCell(1, 2), "content");
        EXPECT_EQ(table.CellLength(0, 1), 0);
    }
};

TEST_F(DirectoryQueryTest, WildcardFilterFindsEntriesWithAllTheirValues) {
    EXPECT_EQ(DirectoryQuery::FormFilter("cn", "Smith*"), "(cn=Smith*)");
    DirectoryQuery query = QueryOn(Config::Normal);
    ResultTable table;
    ASSERT_TRUE(query.SearchForAttributes(test_directory::kFixturesDn, "cn", "Smith*",
                                          {"telephoneNumber", "mail"}, table));
    ASSERT_EQ(table.RowCount(), 2);
    const auto rows = RowsByEntry(table);
    EXPECT_EQ(rows.at(Entry(test_directory::kSmithDn)),
              (Cells{Entry(test_directory::kSmithDn), "<ATTRIBUTE>telephoneNumber", "<VALUE>123", "<VALUE>456"}));
    EXPECT_EQ(rows.at(Entry(test_directory::kSmithersDn)),
              (Cells{Entry(test_directory::kSmithersDn), "<ATTRIBUTE>telephoneNumber", "<VALUE>789",
                     "<ATTRIBUTE>mail", "<VALUE>smithers@corvane.test"}));
    EXPECT_EQ(table.ColumnCount(), 5);
}

TEST_F(DirectoryQueryTest, ColumnCountIsTheWidestEntry) {
    // "Width Four" has 4 cells, "Width Five" 5, whichever the server sends first.
    DirectoryQuery query = QueryOn(Config::Normal);
    ResultTable table;
    ASSERT_TRUE(query.SearchForAttributes(test_directory::kFixturesDn, "sn", "Width", {"telephoneNumber", "mail"}, table));
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.ColumnCount(), 5);
    const auto rows = RowsByEntry(table);
    EXPECT_EQ(rows.at(Entry(test_directory::kWidthFourDn)).size(), 4u);
    EXPECT_EQ(rows.at(Entry(test_directory::kWidthFiveDn)).back(), "<VALUE>width@corvane.test");
}

TEST_F(DirectoryQueryTest, AttributeListsAndMissingAttributes) {
    struct Case {
        const char* name;
        const char* cn;
        std::vector<std::string> attributes;
        Cells expected;  // empty: only check that objectClass came (all attributes)
    };
    const Case cases[] = {
        {"entry without the asked attributes", "Jones", {"telephoneNumber", "mail"}, {Entry(test_directory::kJonesDn)}},
        {"list ends at its first empty name", "Smithers", {"mail", "", "telephoneNumber"},
         {Entry(test_directory::kSmithersDn), "<ATTRIBUTE>mail", "<VALUE>smithers@corvane.test"}},
        {"empty list asks for everything", "Smith", {}, {}},
        {"leading empty name asks for everything", "Smith", {"", "mail"}, {}},
    };
    for (const Case& c : cases) {
        DirectoryQuery query = QueryOn(Config::Normal);
        ResultTable table;
        ASSERT_TRUE(query.SearchForAttributes(test_directory::kFixturesDn, "cn", c.cn, c.attributes, table)) << c.name;
        ASSERT_EQ(table.RowCount(), 1) << c.name;
        const Cells cells = RowCells(table, 0);
        if (!c.expected.empty()) {
            EXPECT_EQ(cells, c.expected) << c.name;
            EXPECT_EQ(table.ColumnCount(), static_cast<int32_t>(c.expected.size())) << c.name;
        } else {
            EXPECT_NE(std::find(cells.begin(), cells.end(), "<ATTRIBUTE>objectClass"), cells.end()) << c.name;
            EXPECT_NE(std::find(cells.begin(), cells.end(), "<VALUE>456"), cells.end()) << c.name;
        }
    }
}

TEST_F(DirectoryQueryTest, SingleResultAttribute) {
    DirectoryQuery query = QueryOn(Config::Normal);
    ResultTable table;
    ASSERT_TRUE(query.SearchForAttribute(test_directory::kFixturesDn, "cn", "Smith", "telephoneNumber", table));
    EXPECT_EQ(RowCells(table, 0),
              (Cells{Entry(test_directory::kSmithDn), "<ATTRIBUTE>telephoneNumber", "<VALUE>123", "<VALUE>456"}));

    DirectoryQuery everything = QueryOn(Config::Normal);
    ResultTable all;
    ASSERT_TRUE(everything.SearchForAttribute(test_directory::kFixturesDn, "cn", "Smith", "", all));
    EXPECT_GT(all.ColumnCount(), 4) << "an empty result attribute asks for all attributes";
}

TEST_F(DirectoryQueryTest, NoEntriesSucceedsAndLeavesTheCounts) {
    DirectoryQuery query = QueryOn(Config::Normal);
    ResultTable table = EarlierTable();
    EXPECT_TRUE(query.SearchForAttribute(test_directory::kBaseDn, "cn", "Nobody*", "", table));
    ExpectEarlierTable(table);
}

TEST_F(DirectoryQueryTest, EntryCapAndPrefixSearchOverThePeople) {
    struct Case {
        const char* filterAttribute;
        const char* value;
        uint32_t maxEntries;
        int32_t rows;
    };
    const std::string prefix00 = std::string(test_directory::kPhonePrefix) + " 00*";
    const Case cases[] = {
        {"cn", "*", 1000, 1000},
        {"cn", "*", 0, test_directory::kPeopleCount},
        {"cn", "*", 1, 1},
        {"telephoneNumber", prefix00.c_str(), 1000, test_directory::kPhonePrefix00Count},
    };
    for (const Case& c : cases) {
        DirectoryQuery query = QueryOn(Config::Normal, c.maxEntries);
        ResultTable table;
        EXPECT_TRUE(query.SearchForAttributes(test_directory::kPeopleDn, c.filterAttribute, c.value,
                                              {"telephoneNumber", "mail"}, table))
            << c.value << " cap " << c.maxEntries;
        EXPECT_EQ(table.RowCount(), c.rows) << c.value << " cap " << c.maxEntries;
        for (int32_t row = 0; row < table.RowCount(); ++row) {
            ASSERT_EQ(table.GetCell(0, row).rfind("<ENTRY>cn=", 0), 0u) << "row " << row << " has no entry cell";
        }
    }
}

TEST_F(DirectoryQueryTest, SizeLimitAnswerKeepsTheEntriesThatCame) {
    for (uint32_t cap : {1000u, 10u}) {
        DirectoryQuery query = QueryOn(Config::SizeLimit, cap);
        ResultTable table;
        EXPECT_TRUE(query.SearchForAttribute(test_directory::kPeopleDn, "cn", "*", "mail", table)) << cap;
        EXPECT_EQ(table.RowCount(), std::min<int32_t>(test_directory::kSizeLimit, static_cast<int32_t>(cap))) << cap;
        EXPECT_EQ(table.GetCell(0, table.RowCount() - 1).rfind("<ENTRY>", 0), 0u) << cap;
    }
}

TEST_F(DirectoryQueryTest, EightBitValuesAreByteExact) {
    DirectoryQuery query = QueryOn(Config::Normal);
    ResultTable table;
    ASSERT_TRUE(query.SearchForAttributes(test_directory::kFixturesDn, "cn", "M\xC3\xBCller*",
                                          {"l", "description", "title"}, table));
    ASSERT_EQ(table.RowCount(), 1);
    EXPECT_EQ(RowCells(table, 0), (Cells{Entry(test_directory::kMuellerDn), "<ATTRIBUTE>l", "<VALUE>M\xC3\xBCnchen",
                                         "<ATTRIBUTE>description", "<VALUE>Zimmer 3; 2. Stock",
                                         "<ATTRIBUTE>title", "<VALUE>Forschung & Entwicklung"}));
}

TEST_F(DirectoryQueryTest, FailuresLeaveTheTableUntouched) {
    const DirectoryServer& normal = Servers::instance->Get(Config::Normal);
    const DirectoryServer& nobind = Servers::instance->Get(Config::NoBind);
    ASSERT_TRUE(normal.Running()) << normal.Error();
    ASSERT_TRUE(nobind.Running()) << nobind.Error();
    struct Case {
        const char* name;
        std::string host;
        int port;
        int version;
        const char* base;
    };
    const Case cases[] = {
        {"empty host", "", normal.Port(), 3, test_directory::kBaseDn},
        {"nothing listens on the port", DirectoryServer::Host(), UnusedPort(), 3, test_directory::kBaseDn},
        {"anonymous bind refused", DirectoryServer::Host(), nobind.Port(), 3, test_directory::kBaseDn},
        {"protocol version 2 is refused by the server", DirectoryServer::Host(), normal.Port(), 2, test_directory::kBaseDn},
        {"base does not exist", DirectoryServer::Host(), normal.Port(), 3, "ou=nowhere,dc=corvane,dc=test"},
    };
    for (const Case& c : cases) {
        DirectoryQuery query;
        query.SetServer(c.host, c.port, c.version);
        query.SetLimits(60, 1000);
        ResultTable table = EarlierTable();
        EXPECT_FALSE(query.SearchForAttribute(c.base, "cn", "Smith*", "", table)) << c.name;
        ExpectEarlierTable(table);
    }
}

TEST_F(DirectoryQueryTest, UnresponsiveServerTimesOut) {
    UnresponsiveListener listener;
    ASSERT_TRUE(listener.Running());
    DirectoryQuery query;
    query.SetServer(DirectoryServer::Host(), listener.Port(), 3);
    query.SetLimits(1, 1000);
    ResultTable table = EarlierTable();
    EXPECT_FALSE(query.SearchForAttribute(test_directory::kBaseDn, "cn", "*", "", table));
    ExpectEarlierTable(table);
    EXPECT_GE(listener.Accepted(), 1) << "the query never reached the listener";
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    Servers::instance = new Servers;
    ::testing::AddGlobalTestEnvironment(Servers::instance);  // gtest owns and deletes it
    return RUN_ALL_TESTS();
}
