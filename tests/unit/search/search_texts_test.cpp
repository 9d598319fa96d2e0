// search_texts_test.cpp - the texts the search rules make: filter values and filters, export
// cells, LDIF, the copied table and the base DNs of a root entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "result/result_table.h"
#include "search/export_text.h"
#include "search/filter_value.h"
#include "search/ldif_text.h"
#include "search/naming_contexts.h"
#include "search/search_filter.h"
#include "search/search_rules.h"
#include "result/shown_result.h"
#include "search/tab_separated.h"

namespace {

using namespace std::string_literals;

TEST(EscapeFilterValue, OnlyTheStarStaysSpecial)
{
    const struct {
        std::string value;
        std::string escaped;
    } cases[] = {
        {"Schulz (IT)*", "Schulz \\28IT\\29*"},
        {"a\\b", "a\\5cb"},
        {"*)(objectClass=*", "*\\29\\28objectClass=*"},
        {"x\0y"s, "x\\00y"},
        {"**Sm***ith**", "*Sm*ith*"},
        {"M\xC3\xBCller & Co; =<>~", "M\xC3\xBCller & Co; =<>~"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeFilterValue(c.value), c.escaped) << c.value;
    }
}

TEST(AttributeFilter, OneNameAsItStandsSeveralOred)
{
    const struct {
        std::string field;
        std::string filter;
    } cases[] = {
        {"cn", "(cn=v*)"},
        {" cn", "( cn=v*)"},  // one name: exactly as typed
        {"cn,mail,uid", "(|(cn=v*)(mail=v*)(uid=v*))"},
        {"cn, mail ,", "(|(cn=v*)(mail=v*))"},
        {"mail,", "(mail=v*)"},
        {",", "(,=v*)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AttributeFilter(c.field, "v*"), c.filter) << c.field;
    }
}

/// A search's answer of one entry per row, row r holding value k of column k (attribute ak), laid out.
ShownResult ShownOf(const std::vector<std::vector<std::string>>& rows, size_t columns)
{
    ResultTable table;
    QueryChoice choice;
    for (size_t k = 0; k < columns; ++k) {
        choice.attributes.push_back("a" + std::to_string(k));
    }
    choice.headings = choice.attributes;
    for (size_t r = 0; r < rows.size(); ++r) {
        const auto row = static_cast<int32_t>(r);
        table.SetCell(0, row, "<ENTRY>cn=" + std::to_string(r));
        for (size_t k = 0; k < rows[r].size(); ++k) {
            table.SetCell(static_cast<int32_t>(2 * k + 1), row, "<ATTRIBUTE>a" + std::to_string(k));
            table.SetCell(static_cast<int32_t>(2 * k + 2), row, "<VALUE>" + rows[r][k]);
        }
    }
    table.SetDimensions(static_cast<int32_t>(2 * columns + 1), static_cast<int32_t>(rows.size()));
    ShownResult shown;
    shown.Set(std::move(table), choice);
    return shown;
}

TEST(ExportText, EveryEntryALineQuotingOnlyTheCellsThatWouldBreakIt)
{
    const struct {
        const char* name;
        std::vector<std::vector<std::string>> rows;
        size_t columns;
        std::string bytes;
    } cases[] = {
        {"one column", {{"Smith"}, {"Jones"}}, 1, "Smith  \r\nJones  \r\n"},
        {"two columns", {{"Smith", "123"}}, 2, "Smith;123  \r\n"},
        {"an entry without values keeps its line", {{}, {"", "x"}}, 2, ";  \r\n;x  \r\n"},
        {"separator, quote and line breaks inside values",
         {{"Zimmer 3; 2. Stock", "say \"hi\"", "a\r\nb"}},
         3,
         "\"Zimmer 3; 2. Stock\";\"say \"\"hi\"\"\";\"a\r\nb\"  \r\n"},
        {"8-bit bytes, tabs and blanks kept",
         {{"M\xC3\xBCller, Anna & 'Co' <x>", "\tplain "}},
         2,
         "M\xC3\xBCller, Anna & 'Co' <x>;\tplain   \r\n"},
        {"no entries give no bytes", {}, 1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExportText(ShownOf(c.rows, c.columns)), c.bytes) << c.name;
    }
}

TEST(LdifText, SafeTextAsItIsEverythingElseInBase64AndFolded)
{
    const std::string longValue(100, 'x');
    const std::vector<LdifEntry> entries = {
        {"cn=Schulz (IT),dc=t",
         {{"cn", {"Schulz (IT)", " lead", "trail ", ":x", "<y", "a\nb", "", "<binary, \n bytes>"}},
          {"l", {"M\xC3\xBCnchen"}},
          {"jpegPhoto", {"<binary, 6 bytes>", std::string("\xff\xd8\xff\x00\x01\x02", 6)}}}},
        {"cn=M\xC3\xBCller,dc=t", {{"description", {longValue}}}},
    };
    const std::string folded = "description: " + longValue.substr(0, 63) + "\n " + longValue.substr(63) + "\n";
    EXPECT_EQ(LdifText(entries),
              "version: 1\n\n"
              "dn: cn=Schulz (IT),dc=t\ncn: Schulz (IT)\ncn:: IGxlYWQ=\ncn:: dHJhaWwg\ncn:: Ong=\ncn:: PHk=\n"
              "cn:: YQpi\ncn:\ncn:: PGJpbmFyeSwgCiBieXRlcz4=\nl:: TcO8bmNoZW4=\njpegPhoto:: PGJpbmFyeSwgNiBieXRlcz4=\n"
              "jpegPhoto:: /9j/AAEC\n\n"
              "dn:: Y249TcO8bGxlcixkYz10\n" +
                  folded + "\n");
}

TEST(IsLdifAttributeName, ATypeOrOidThenOptions)
{
    const struct {
        const char* name;
        bool valid;
    } cases[] = {
        {"cn", true},      {"cn;lang-de;binary", true},
        {"2.5.4.3", true}, {"msDS-x_y", true},
        {"", false},       {"1cn", false},
        {"cn;", false},    {"cn;;x", false},
        {"c n", false},    {"cn:", false},
        {"2..5", false},   {"n\xC3\xA4me", false},
        {"-cn", false},    {";x", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsLdifAttributeName(c.name), c.valid) << c.name;
    }
}

TEST(TabSeparatedText, HeadingThenRowsEachCellInItsPlace)
{
    EXPECT_EQ(TabSeparatedText({"cn", "mail"}, {{"Smith", "s@x"}, {"a\tb", "c\r\nd"}, {"", ""}}),
              "cn\tmail\nSmith\ts@x\na b\tc  d\n\t\n");
}

TEST(NamingContexts, DefaultFirstEachOnce)
{
    ResultTable root;
    const std::vector<std::string> cells = {"<ENTRY>",           "<ATTRIBUTE>namingContexts",
                                            "<VALUE>dc=a",       "<VALUE>",
                                            "<VALUE>dc=b",       "<ATTRIBUTE>cn",
                                            "<VALUE>not a base", "<ATTRIBUTE>defaultNamingContext",
                                            "<VALUE>dc=b"};
    for (std::size_t c = 0; c < cells.size(); ++c) {
        root.SetCell(static_cast<int32_t>(c), 0, cells[c]);
    }
    root.SetDimensions(static_cast<int32_t>(cells.size()), 1);
    EXPECT_EQ(NamingContexts(root), (std::vector<std::string>{"dc=b", "dc=a"}));
    EXPECT_TRUE(NamingContexts(ResultTable{}).empty());
    // a global catalog says so in its root entry; "TRUE" as the name of another attribute's value does not
    EXPECT_FALSE(NamesGlobalCatalog(root));
    for (const auto& [value, named] : {std::pair{"TRUE", true}, {"true", true}, {"FALSE", false}}) {
        ResultTable catalog = root;
        catalog.SetCell(9, 0, "<ATTRIBUTE>isGlobalCatalogReady");
        catalog.SetCell(10, 0, std::string("<VALUE>") + value);
        catalog.SetDimensions(11, 1);
        EXPECT_EQ(NamesGlobalCatalog(catalog), named) << value;
    }
    root.SetCell(6, 0, "<VALUE>TRUE");
    EXPECT_FALSE(NamesGlobalCatalog(root));
}

TEST(OnGlobalCatalogPort, EveryServerOnAGlobalCatalogsPort)
{
    const struct {
        const char* server;
        int32_t port;
        bool catalog;
    } cases[] = {
        {"dc1", 3268, true},
        {"ldaps://dc1", 3269, true},
        {"ldaps://dc1", 389, false},  // an ldaps:// URL's own port, 636
        {"ldaps://dc1:3269", 389, true},
        {"dc1:3268 dc2:3268", 389, true},
        {"dc1:3268 dc2", 389, false},
        {"dc1", 389, false},
        {"", 3268, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OnGlobalCatalogPort(c.server, c.port), c.catalog) << c.server << " " << c.port;
    }
}

}  // namespace
