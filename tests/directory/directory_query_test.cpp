// directory_query_test.cpp - DirectoryQuery against a private slapd: the table layout of an answer,
// limits and cut answers, failures with their reasons, 8-bit and binary values, and binds.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "directory/directory_query.h"
#include "result/result_table.h"
#include "directory_server.h"
#include "table_cells.h"
#include "test_directory.h"
#include "test_system.h"
#include "unresponsive_listener.h"

namespace {

using Config = DirectoryServer::Config;

/// The private server of config, started on first use and stopped when the program ends.
DirectoryServer& Server(Config config)
{
    static std::map<Config, std::unique_ptr<DirectoryServer>> servers;
    auto& server = servers[config];
    if (!server) {
        server = std::make_unique<DirectoryServer>(config, DirectoryServer::Data::Test);
    }
    return *server;
}

/// Rows keyed by their entry cell, since the server chooses the order of the entries.
std::map<std::string, Cells> RowsByEntry(const ResultTable& table)
{
    std::map<std::string, Cells> rows;
    for (int32_t row = 0; row < table.RowCount(); ++row) {
        Cells cells = RowCells(table, row);
        rows[cells.empty() ? std::string() : cells[0]] = cells;
    }
    return rows;
}

std::string Entry(const char* dn)
{
    return std::string("<ENTRY>") + dn;
}

/// A query on the server of config, with the callers' entry cap and a generous time limit.
DirectoryQuery QueryOn(Config config, uint32_t maxEntries = 1000)
{
    DirectoryServer& server = Server(config);
    EXPECT_TRUE(server.Running()) << server.Error();
    DirectoryQuery query;
    query.SetServer(DirectoryServer::Host(), server.Port(), 3);
    query.SetLimits(60, maxEntries);
    return query;
}

TEST(DirectoryQuery, AnswerLayoutPerAttributeList)
{
    namespace td = test_directory;
    EXPECT_EQ(DirectoryQuery::FormFilter("cn", "Smith*"), "(cn=Smith*)");
    const Cells smith{Entry(td::kSmithDn), "<ATTRIBUTE>telephoneNumber", "<VALUE>123", "<VALUE>456"};
    struct Case {
        const char* name;
        const char* filterAttribute;
        const char* value;
        std::vector<std::string> attributes;
        bool single;              // through SearchForAttribute with the first name ("" when none)
        std::vector<Cells> rows;  // in any order; none: one entry with all of Smith's attributes
    };
    const Case cases[] = {
        {"wildcard filter",
         "cn",
         "Smith*",
         {"telephoneNumber", "mail"},
         false,
         {smith,
          {Entry(td::kSmithersDn), "<ATTRIBUTE>telephoneNumber", "<VALUE>789", "<ATTRIBUTE>mail",
           "<VALUE>smithers@corvane.test"}}},
        // "Width Four" has 4 cells, "Width Five" 5, whichever the server sends first.
        {"column count is the widest entry",
         "sn",
         "Width",
         {"telephoneNumber", "mail"},
         false,
         {{Entry(td::kWidthFourDn), "<ATTRIBUTE>telephoneNumber", "<VALUE>111", "<VALUE>222"},
          {Entry(td::kWidthFiveDn), "<ATTRIBUTE>telephoneNumber", "<VALUE>333", "<ATTRIBUTE>mail",
           "<VALUE>width@corvane.test"}}},
        {"entry without the asked attributes",
         "cn",
         "Jones",
         {"telephoneNumber", "mail"},
         false,
         {{Entry(td::kJonesDn)}}},
        {"an empty name is asked for and ignored",
         "cn",
         "Smithers",
         {"mail", "", "telephoneNumber"},
         false,
         {{Entry(td::kSmithersDn), "<ATTRIBUTE>telephoneNumber", "<VALUE>789", "<ATTRIBUTE>mail",
           "<VALUE>smithers@corvane.test"}}},
        {"a leading empty name asks for nothing more", "cn", "Smith", {"", "mail"}, false, {{Entry(td::kSmithDn)}}},
        {"single result attribute", "cn", "Smith", {"telephoneNumber"}, true, {smith}},
        {"8-bit values are byte exact",
         "cn",
         "M\xC3\xBCller*",
         {"l", "description", "title"},
         false,
         {{Entry(td::kMuellerDn), "<ATTRIBUTE>l", "<VALUE>M\xC3\xBCnchen", "<ATTRIBUTE>description",
           "<VALUE>Zimmer 3; 2. Stock", "<ATTRIBUTE>title", "<VALUE>Forschung & Entwicklung"}}},
        {"a binary value is kept byte for byte",
         "sn",
         "Photo",
         {"jpegPhoto", "cn"},
         false,
         {{Entry(td::kBinaryPhotoDn), "<ATTRIBUTE>cn", "<VALUE>Binary Photo", "<ATTRIBUTE>jpegPhoto",
           std::string("<VALUE>\xFF\xD8\xFF\x00\x01\x02", 13)}}},
        {"empty list asks for everything", "cn", "Smith", {}, false, {}},
        {"empty result attribute asks for everything", "cn", "Smith", {}, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DirectoryQuery query = QueryOn(Config::Normal);
        ResultTable table;
        ASSERT_TRUE(c.single
                        ? query.SearchForAttribute(td::kFixturesDn, c.filterAttribute, c.value,
                                                   c.attributes.empty() ? "" : c.attributes[0], table)
                        : query.SearchForAttributes(td::kFixturesDn, c.filterAttribute, c.value, c.attributes, table));
        if (c.rows.empty()) {
            ASSERT_EQ(table.RowCount(), 1);
            const Cells cells = RowCells(table, 0);
            EXPECT_NE(std::find(cells.begin(), cells.end(), "<ATTRIBUTE>objectClass"), cells.end());
            EXPECT_NE(std::find(cells.begin(), cells.end(), "<VALUE>456"), cells.end());
            continue;
        }
        std::map<std::string, Cells> expected;
        std::size_t widest = 0;
        for (const Cells& row : c.rows) {
            expected[row[0]] = row;
            widest = std::max(widest, row.size());
        }
        ASSERT_EQ(table.RowCount(), static_cast<int32_t>(c.rows.size()));
        EXPECT_EQ(RowsByEntry(table), expected);
        EXPECT_EQ(table.ColumnCount(), static_cast<int32_t>(widest));
    }
}

TEST(DirectoryQuery, EntryCapAndPrefixSearchOverThePeople)
{
    const std::string prefix00 = std::string(test_directory::kPhonePrefix) + " 00*";
    const struct {
        const char* filterAttribute;
        const char* value;
        uint32_t maxEntries;
        int32_t rows;
        bool cut;
    } cases[] = {
        {"cn", "*", 1000, 1000, true},
        {"cn", "*", 0, test_directory::kPeopleCount, false},
        {"cn", "*", test_directory::kPeopleCount, test_directory::kPeopleCount, false},
        {"cn", "*", 1, 1, true},
        {"telephoneNumber", prefix00.c_str(), 1000, test_directory::kPhonePrefix00Count, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value) + " cap " + std::to_string(c.maxEntries));
        DirectoryQuery query = QueryOn(Config::Normal, c.maxEntries);
        ResultTable table;
        EXPECT_TRUE(query.SearchForAttributes(test_directory::kPeopleDn, c.filterAttribute, c.value,
                                              {"telephoneNumber", "mail"}, table));
        EXPECT_EQ(table.RowCount(), c.rows);
        EXPECT_EQ(query.Cut(), c.cut);
        EXPECT_EQ(query.FailureReason(), "");
        for (int32_t row = 0; row < table.RowCount(); ++row) {
            ASSERT_EQ(table.GetCell(0, row).rfind("<ENTRY>cn=", 0), 0u) << "row " << row << " has no entry cell";
        }
    }
}

TEST(DirectoryQuery, PagesGetPastTheServersSizeLimitUpToTheCap)
{
    namespace td = test_directory;
    // The server answers a plain search with 50 entries and hands out every one of the people
    // page by page.
    const struct {
        uint32_t cap;
        int32_t rows;
        bool cut;
    } cases[] = {
        {10, 10, true},
        {td::kSizeLimit + 1, td::kSizeLimit + 1, true},
        {1000, 1000, true},
        {td::kPeopleCount - 1, td::kPeopleCount - 1, true},
        {td::kPeopleCount, td::kPeopleCount, false},
        {100000, td::kPeopleCount, false},
    };
    for (const auto& c : cases) {
        DirectoryQuery query = QueryOn(Config::SizeLimit, c.cap);
        std::vector<uint32_t> progress;
        query.SetProgress([&progress](uint32_t entries) { progress.push_back(entries); });
        ResultTable table;
        EXPECT_TRUE(query.SearchForAttribute(test_directory::kPeopleDn, "cn", "*", "mail", table)) << c.cap;
        EXPECT_EQ(query.Cut(), c.cut) << c.cap;
        EXPECT_EQ(table.RowCount(), c.rows) << c.cap;
        // Every 1000 entries read (a page's worth) report the entries read so far.
        const auto pages = static_cast<std::size_t>(c.rows / 1000);
        ASSERT_EQ(progress.size(), pages) << c.cap;
        for (std::size_t page = 0; page < pages; ++page) {
            EXPECT_EQ(progress[page], static_cast<uint32_t>(1000 * (page + 1))) << c.cap;
        }
        std::set<std::string> entries;
        for (int32_t row = 0; row < table.RowCount(); ++row) {
            entries.insert(table.GetCell(0, row));
        }
        EXPECT_EQ(entries.size(), static_cast<std::size_t>(c.rows)) << c.cap << ": an entry came twice";
        EXPECT_EQ(table.GetCell(0, table.RowCount() - 1).rfind("<ENTRY>", 0), 0u) << c.cap;
    }
}

TEST(DirectoryQuery, NoEntriesOrAFailureLeaveTheTableUntouched)
{
    const DirectoryServer& normal = Server(Config::Normal);
    const DirectoryServer& nobind = Server(Config::NoBind);
    ASSERT_TRUE(normal.Running()) << normal.Error();
    ASSERT_TRUE(nobind.Running()) << nobind.Error();
    UnresponsiveListener listener;
    ASSERT_TRUE(listener.Running());
    const std::string host = DirectoryServer::Host();
    const char* base = test_directory::kBaseDn;
    const int unused = UnusedPort();
    const struct {
        const char* name;
        std::string host;
        int port, version, timeLimit;
        const char* base;
        const char* value;
        std::string reason;  // "" for a success; a failure's reason starts with it
    } cases[] = {
        {"no entries is a success", host, normal.Port(), 3, 60, base, "Nobody*", ""},
        {"empty host", "", normal.Port(), 3, 60, base, "Smith*", "no server given"},
        {"nothing listens on the port", host, unused, 3, 60, base, "Smith*",
         "cannot connect to " + host + ":" + std::to_string(unused) + " (Connection refused)"},
        {"port beyond 16 bits", host, 65536 + normal.Port(), 3, 60, base, "Smith*",
         "port " + std::to_string(65536 + normal.Port()) + " is outside 0 to 65535"},
        {"negative port", host, -1, 3, 60, base, "Smith*", "port -1 is outside 0 to 65535"},
        {"anonymous bind refused", host, nobind.Port(), 3, 60, base, "Smith*",
         "the server refused the anonymous bind ("},
        {"protocol version 2 is refused by the server", host, normal.Port(), 2, 60, base, "Smith*",
         "the server refused the anonymous bind ("},
        {"base does not exist", host, normal.Port(), 3, 60, "ou=nowhere,dc=corvane,dc=test", "Smith*",
         "No such object"},
        {"filter the library refuses", host, normal.Port(), 3, 60, base, "a(b*", "Bad search filter"},
        {"unresponsive server times out", host, listener.Port(), 3, 1, base, "*", "no answer within 1 second"},
        {"a URL's port wins over the port field", "ldap://" + host + ":" + std::to_string(normal.Port()), unused, 3, 60,
         base, "Nobody*", ""},
        {"a server field that is no address", "ftp://" + host, normal.Port(), 3, 60, base, "Smith*",
         "the server 'ftp://" + host + "' is neither a host name nor an ldap:// or ldaps:// address"},
        {"ldaps:// to a server without TLS", "ldaps://" + host, normal.Port(), 3, 60, base, "Smith*",
         "the secure connection (TLS) to " + host + ":" + std::to_string(normal.Port()) + " failed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // WLDAP32 reports a closed port at the bind, with a text of its own, and does not give up
        // on a server that never answers, nor on a TLS handshake that a plain server never answers.
        const std::string name = c.name;
        if (kBuiltForWindows && (name == "nothing listens on the port" || name == "unresponsive server times out" ||
                                 name == "ldaps:// to a server without TLS")) {
            continue;
        }
        DirectoryQuery query;
        query.SetServer(c.host, c.port, c.version);
        query.SetLimits(c.timeLimit, 1000);
        ResultTable table;
        table.SetCell(0, 0, "earlier");
        table.SetCell(1, 2, "content");
        table.SetDimensions(2, 3);
        EXPECT_EQ(query.SearchForAttribute(c.base, "cn", c.value, "", table), c.reason.empty());
        EXPECT_EQ(query.FailureReason().substr(0, c.reason.size()), c.reason);
        EXPECT_EQ(query.FailureReason().empty(), c.reason.empty());
        EXPECT_FALSE(query.Cut());
        EXPECT_EQ(table.ColumnCount(), 2);
        EXPECT_EQ(table.RowCount(), 3);
        EXPECT_EQ(table.GetCell(0, 0), "earlier");
        EXPECT_EQ(table.GetCell(1, 2), "content");
        EXPECT_EQ(table.CellLength(0, 1), 0);
    }
    EXPECT_TRUE(kBuiltForWindows || listener.Accepted() >= 1) << "the query never reached the listener";
}

TEST(DirectoryQuery, BindWithANameAndAPassword)
{
    namespace td = test_directory;
    const std::string reader = td::kReaderDn;
    const struct {
        const char* name;
        std::string bindName;
        std::string password;
        std::string reason;  // "" for a success; a failure's reason starts with it
        bool refused;
    } cases[] = {
        {"the right password reads", reader, td::kReaderPassword, "", false},
        {"a wrong password is a refused bind", reader, "wrong",
         "the server refused the bind as '" + reader + "' (Invalid credentials", true},
        {"the password's case counts", reader, "leser-p\xC3\xA4sswort-7qx", "the server refused the bind as", true},
        {"an unknown name is refused", "cn=nobody,dc=corvane,dc=test", td::kReaderPassword,
         "the server refused the bind as 'cn=nobody,dc=corvane,dc=test' (Invalid credentials", true},
        {"anonymous searches are refused, but not the bind", "", "", "Server is unwilling to perform", false},
        {"a name without a password never reaches the server", reader, "",
         "no password given for the bind name '" + reader + "'", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DirectoryQuery query = QueryOn(Config::Login);
        query.SetBind(c.bindName, Password(c.password));
        ResultTable table;
        EXPECT_EQ(query.SearchForAttribute(td::kFixturesDn, "cn", "Smith", "telephoneNumber", table), c.reason.empty());
        EXPECT_EQ(query.FailureReason().substr(0, c.reason.size()), c.reason);
        EXPECT_EQ(query.BindRefused(), c.refused);
        EXPECT_EQ(table.RowCount(), c.reason.empty() ? 1 : 0);
    }
}

}  // namespace
