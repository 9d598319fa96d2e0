// search_texts_test.cpp - the texts the search rules make: filter values and filters, export
// cells, LDIF, the copied table and the base DNs of a root entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "directory/result_table.h"
#include "search/export_text.h"
#include "search/filter_value.h"
#include "search/ldif_text.h"
#include "search/naming_contexts.h"
#include "search/search_filter.h"
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

TEST(ExportText, QuotesOnlyTheCellsThatWouldBreakTheLine)
{
    ResultTable table;
    table.SetDimensions(3, 2);
    table.SetCell(0, 0, "Zimmer 3; 2. Stock");
    table.SetCell(1, 0, "say \"hi\"");
    table.SetCell(2, 0, "a\r\nb");
    table.SetCell(0, 1, "M\xC3\xBCller, Anna & 'Co' <x>");
    table.SetCell(2, 1, "\tplain ");
    EXPECT_EQ(ExportText(table),
              "\"Zimmer 3; 2. Stock\";\"say \"\"hi\"\"\";\"a\r\nb\"  \r\n"
              "M\xC3\xBCller, Anna & 'Co' <x>;;\tplain   \r\n");
    EXPECT_EQ(ExportText(ResultTable{}), "");
}

TEST(LdifText, SafeTextAsItIsEverythingElseInBase64AndFolded)
{
    const std::string longValue(100, 'x');
    const std::vector<LdifEntry> entries = {
        {"cn=Schulz (IT),dc=t",
         {{"cn", {"Schulz (IT)", " lead", "trail ", ":x", "<y", "a\nb", "", "<binary, \n bytes>"}},
          {"l", {"M\xC3\xBCnchen"}},
          {"jpegPhoto", {"<binary, 6 bytes>"}}}},
        {"cn=M\xC3\xBCller,dc=t", {{"description", {longValue}}}},
    };
    const std::string folded = "description: " + longValue.substr(0, 63) + "\n " + longValue.substr(63) + "\n";
    EXPECT_EQ(LdifText(entries),
              "version: 1\n\n"
              "dn: cn=Schulz (IT),dc=t\ncn: Schulz (IT)\ncn:: IGxlYWQ=\ncn:: dHJhaWwg\ncn:: Ong=\ncn:: PHk=\n"
              "cn:: YQpi\ncn:\ncn:: PGJpbmFyeSwgCiBieXRlcz4=\nl:: TcO8bmNoZW4=\n# jpegPhoto: <binary, 6 bytes>\n\n"
              "dn:: Y249TcO8bGxlcixkYz10\n" +
                  folded + "\n");
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
}

}  // namespace
