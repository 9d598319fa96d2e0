// search_rules_test.cpp - the search rules and the details text: input check order, port, search
// value, query choice, the no-result text, the details text's bytes and the choice of entries by
// distinguished name.
#include "search/search_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "result/result_table.h"
#include "search/details_text.h"
#include "result/work_limit.h"
#include "../table_of.h"

namespace {

using Names = std::vector<std::string>;

TEST(CheckSearchFields, FirstEmptyFieldInFixedOrderAndBlanksPass)
{
    using F = SearchFields;
    const struct {
        std::vector<std::string F::*> cleared;
        SearchField field;
        const char *key, *message;
    } cases[] = {
        {{&F::server, &F::port, &F::baseDn, &F::searchAttribute, &F::resultAttribute, &F::searchString,
          &F::preselection},
         SearchField::SearchString,
         "FrmMain.m_acMNoSearchString",
         "No search string selected."},
        {{&F::searchString, &F::server},
         SearchField::SearchString,
         "FrmMain.m_acMNoSearchString",
         "No search string selected."},
        {{&F::server, &F::baseDn}, SearchField::Server, "FrmMain.m_acMNoLDAPServer", "No LDAP server selected."},
        {{&F::baseDn, &F::searchAttribute},
         SearchField::SearchAttribute,
         "FrmMain.m_acMNoSearchAttribute",
         "No search attribute selected."},
        {{&F::baseDn, &F::resultAttribute},
         SearchField::BaseDn,
         "FrmMain.m_acMNoDN",
         "No distinguished name selected."},
        {{&F::resultAttribute},
         SearchField::ResultAttribute,
         "FrmMain.m_acMNoResultAttribute",
         "No result attribute selected."},
    };
    for (const auto& c : cases) {
        SearchFields fields{"ldap.example", "389", "dc=corvane,dc=test", "sn", "cn", "Smi", "Dr."};
        for (std::string F::*cleared : c.cleared) {
            (fields.*cleared).clear();
        }
        const auto failure = CheckSearchFields(fields);
        ASSERT_TRUE(failure.has_value()) << c.message;
        EXPECT_EQ(failure->field, c.field) << c.message;
        EXPECT_STREQ(failure->messageKey, c.key);
        EXPECT_STREQ(failure->englishDefault, c.message);
    }
    // Blanks are not empty; port and preselection are not checked.
    EXPECT_FALSE(CheckSearchFields({" ", "", "\t", "sn", "cn", " ", ""}).has_value());
}

TEST(ParsePort, LeadingNumberLikeTheFieldConversion)
{
    const struct {
        const char* text;
        int32_t port;
    } cases[] = {
        {"", 389},
        {"389", 389},
        {"abc", 0},
        {" 42x", 42},
        {"\t 8", 8},
        {"+7", 7},
        {"-5", -5},
        {" ", 0},
        {"- 5", 0},
        {"0x10", 0},
        {"636 ", 636},
        {"2147483647", INT32_MAX},
        {"99999999999999999999999", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-99999999999999999999999", INT32_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParsePort(c.text), c.port) << "'" << c.text << "'";
    }
}

TEST(MakeSearchInput, CutsEveryTextTo1023Bytes)
{
    const std::string longText(2000, 'x');
    // The port's digits lie beyond the cut.
    const SearchInput input =
        MakeSearchInput({longText, std::string(1023, ' ') + "77", longText, longText, longText, longText, longText});
    for (const std::string* text : {&input.server, &input.baseDn, &input.searchAttribute, &input.resultAttribute,
                                    &input.searchString, &input.preselection}) {
        EXPECT_EQ(*text, std::string(1023, 'x'));
    }
    EXPECT_EQ(input.port, 0);
}

TEST(SearchValue, PreselectionOnlyWithoutSwapAndOneStarPerRun)
{
    const struct {
        const char *preselection, *searchString;
        bool swap;
        const char* value;
    } cases[] = {
        {"", "Smi", false, "Smi*"},
        {"Dr.", "Smi", false, "Dr.Smi*"},
        {"Dr.", "Smi", true, "Smi*"},
        {"", "Smi", true, "Smi*"},
        {"", "*", false, "*"},
        {"", "Smi*", false, "Smi*"},
        {"*", "**a***b", false, "*a*b*"},
        {"Dr*", "*Smi", true, "*Smi*"},
        {"Dr*", "*Smi", false, "Dr*Smi*"},
    };
    for (const auto& c : cases) {
        SearchInput input;
        input.searchString = c.searchString;
        input.preselection = c.preselection;
        EXPECT_EQ(SearchValue(input, c.swap), c.value) << c.preselection << " swap " << c.swap;
    }
}

TEST(SplitResultAttributes, PiecesBetweenCommasUntrimmedAndKeptWhenEmpty)
{
    const struct {
        const char* field;
        Names names;
    } cases[] = {
        {"cn", {"cn"}},
        {"cn,mail", {"cn", "mail"}},
        {"cn,mail,", {"cn", "mail", ""}},
        {" cn , mail", {" cn ", " mail"}},
        {",", {"", ""}},
        {"cn,,mail", {"cn", "", "mail"}},
        {"", {""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitResultAttributes(c.field), c.names) << c.field;
    }
}

TEST(ChooseQuery, FilterAttributeAskedNamesAndColumns)
{
    const struct {
        const char* result;
        bool swap;
        const char* filter;
        Names asked;
        bool several;
        Names headings;
    } cases[] = {
        {"cn,mail", true, "cn", {"telephoneNumber"}, false, {"telephoneNumber"}},
        {"mail", true, "mail", {"telephoneNumber"}, false, {"telephoneNumber"}},
        {"cn", false, "telephoneNumber", {"cn"}, false, {"cn"}},
        {"cn,mail", false, "telephoneNumber", {"cn", "mail"}, true, {"cn", "mail"}},
        {"cn,mail,", false, "telephoneNumber", {"cn", "mail", ""}, true, {"cn", "mail", ""}},
    };
    for (const auto& c : cases) {
        SearchInput input;
        input.searchAttribute = "telephoneNumber";
        input.resultAttribute = c.result;
        const QueryChoice choice = ChooseQuery(input, c.swap);
        SCOPED_TRACE(std::string(c.result) + (c.swap ? " swapped" : ""));
        EXPECT_EQ(choice.filterAttribute, c.filter);
        EXPECT_EQ(choice.attributes, c.asked);
        EXPECT_EQ(choice.severalAttributes, c.several);
        EXPECT_EQ(choice.headings, c.headings);
        EXPECT_EQ(choice.columnCount(), static_cast<int32_t>(c.headings.size()));
    }
}

TEST(FillPlaceholder, FirstPlaceholderReplacedAsPlainText)
{
    const struct {
        const char *text, *value, *filled;
    } cases[] = {
        {"No result found for '%s'", "Smi*", "No result found for 'Smi*'"},
        {"%n %d for '%s'", "Smi*", "%n %d for 'Smi*'"},
        {"%s and %s", "a%sb", "a%sb and %s"},
        {"no placeholder", "x", "no placeholder"},
        {"'%s'", "%n%n%s", "'%n%n%s'"},
        {"", "x", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FillPlaceholder(c.text, c.value), c.filled) << c.text;
    }
}

TEST(EndedByLimit, AStopCutsTheAnswerWithoutFailingIt)
{
    WorkLimit limit([] { return true; }, 0);
    ASSERT_TRUE(limit.Reached());
    const SearchOutcome outcome = EndedByLimit(limit);
    EXPECT_TRUE(outcome.stopped && outcome.cut && !outcome.failed);
}

const std::string kSeparator = std::string(" \r\n ") + std::string(56, '-') + "\r\n";

TEST(DetailsText, LabelledLinesInTheOrderOfTheDetailList)
{
    // The server's order (cn, phone, photo, mail) is not the list's; names are matched as
    // attribute names are, and labelled as configured.
    const ResultTable table =
        TableOf({{"<ENTRY>cn=Smith,ou=fixtures", "<ATTRIBUTE>cn", "<VALUE>Smith", "<ATTRIBUTE>telephoneNumber",
                  "<VALUE>123", "<VALUE>456", "<ATTRIBUTE>jpegPhoto",
                  std::string("<VALUE>\xff\xd8\xff\x00\x01\x02", 13), "<ATTRIBUTE>mail;x-home", "<VALUE>s@x"},
                 {"<ENTRY>cn=Nobody,ou=fixtures"}},
                10);
    const std::vector<std::string> list = {"telephonenumber", "commonName", "mail", "jpegPhoto", "fax"};
    EXPECT_EQ(DetailsText(table, list, std::nullopt),
              "dn: cn=Smith,ou=fixtures\r\ntelephonenumber: 123\r\ntelephonenumber: 456\r\ncommonName: Smith\r\n"
              "mail: s@x\r\njpegPhoto: <binary, 6 bytes>\r\n" +
                  kSeparator + "dn: cn=Nobody,ou=fixtures\r\n" + kSeparator);
    EXPECT_EQ(DetailsText(ResultTable{}, list, std::nullopt), "");
}

TEST(DetailsText, StarAndPlusListTheRestByTheServersNames)
{
    const ResultTable table =
        TableOf({{"<ENTRY>cn=a", "<ATTRIBUTE>cn", "<VALUE>a", "<ATTRIBUTE>entryUUID", "<VALUE>u-1", "<ATTRIBUTE>sn",
                  "<VALUE>s", "<ATTRIBUTE>createTimestamp", "<VALUE>2024"}},
                9);
    const struct {
        std::vector<std::string> list;
        std::string lines;
    } cases[] = {
        {{"sn", "*", "+"}, "sn: s\r\ncn: a\r\nentryUUID: u-1\r\ncreateTimestamp: 2024\r\n"},
        {{"+", "cn"}, "entryUUID: u-1\r\nsn: s\r\ncreateTimestamp: 2024\r\ncn: a\r\n"},  // the rest, whatever it is
        {{"*", "entryuuid"}, "cn: a\r\nsn: s\r\ncreateTimestamp: 2024\r\nentryuuid: u-1\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetailsText(table, c.list, std::nullopt), "dn: cn=a\r\n" + c.lines + kSeparator) << c.list.front();
    }
}

TEST(DetailsText, NamesAndDnsThatAreNotUtf8ShowTheirOtherBytesAsHexPairs)
{
    const ResultTable table =
        TableOf({{"<ENTRY>cn=M\xFCller", "<ATTRIBUTE>n\xE4me\x1b", "<VALUE>v", "<ATTRIBUTE>cn", "<VALUE>c"}}, 5);
    const std::string lines = "\r\ncn: c\r\n" + kSeparator;
    EXPECT_EQ(DetailsText(table, {"*"}, std::nullopt), "dn: cn=M\\FCller\r\nn\\E4me\x1b: v" + lines);
    WorkLimit unlimited;
    EXPECT_EQ(DetailsText(table, {"*"}, std::nullopt, DetailsForm::ControlsEscaped, unlimited),
              "dn: cn=M\\FCller\r\nn\\E4me\\x1b: v" + lines);
}

TEST(DetailsText, ShowsTheEntriesChosenByName)
{
    // Row 1 has no value: it would have no list item, so positions would pick the wrong rows.
    const ResultTable table = TableOf(
        {{"<ENTRY>cn=a", "<ATTRIBUTE>cn", "<VALUE>a"}, {"<ENTRY>cn=b"}, {"<ENTRY>cn=c", "<ATTRIBUTE>cn", "<VALUE>c"}},
        3);
    const struct {
        std::set<std::string> chosen;
        std::string text;
    } cases[] = {
        {{"cn=a", "cn=c"}, "dn: cn=a\r\ncn: a\r\n" + kSeparator + "dn: cn=c\r\ncn: c\r\n" + kSeparator},
        {{"cn=c"}, "dn: cn=c\r\ncn: c\r\n" + kSeparator},
        {{"cn=b"}, "dn: cn=b\r\n" + kSeparator},
        {{"<ENTRY>cn=a", "cn=A", "cn=x"}, ""},
        {{}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetailsText(table, {"cn"}, c.chosen), c.text) << c.chosen.size();
    }
}

}  // namespace
