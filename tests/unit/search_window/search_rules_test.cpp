// search_rules_test.cpp - the search rules: input check order, port, search value, query choice,
// the no-result text, positional result rows and the export table's bytes.
#include "search_window/search_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "directory/result_table.h"

namespace {

SearchFields FullFields()
{
    SearchFields f;
    f.server = "ldap.example";
    f.port = "389";
    f.baseDn = "dc=corvane,dc=test";
    f.searchAttribute = "sn";
    f.resultAttribute = "cn";
    f.searchString = "Smi";
    return f;
}

struct CheckCase {
    const char* name;
    void (*clear)(SearchFields&);
    SearchField field;
    const char* key;
    const char* message;
};

TEST(CheckSearchFields, FirstEmptyFieldInFixedOrder)
{
    const CheckCase cases[] = {
        {"all empty", [](SearchFields& f) { f = SearchFields{}; }, SearchField::SearchString,
         "FrmMain.m_acMNoSearchString", "No search string selected."},
        {"search string and server", [](SearchFields& f) { f.searchString.clear(); f.server.clear(); },
         SearchField::SearchString, "FrmMain.m_acMNoSearchString", "No search string selected."},
        {"server and base", [](SearchFields& f) { f.server.clear(); f.baseDn.clear(); }, SearchField::Server,
         "FrmMain.m_acMNoLDAPServer", "No LDAP server selected."},
        {"base and search attribute", [](SearchFields& f) { f.baseDn.clear(); f.searchAttribute.clear(); },
         SearchField::SearchAttribute, "FrmMain.m_acMNoSearchAttribute", "No search attribute selected."},
        {"base and result attribute", [](SearchFields& f) { f.baseDn.clear(); f.resultAttribute.clear(); },
         SearchField::BaseDn, "FrmMain.m_acMNoDN", "No distinguished name selected."},
        {"result attribute", [](SearchFields& f) { f.resultAttribute.clear(); }, SearchField::ResultAttribute,
         "FrmMain.m_acMNoResultAttribute", "No result attribute selected."},
    };
    for (const CheckCase& c : cases) {
        SearchFields fields = FullFields();
        c.clear(fields);
        const auto failure = CheckSearchFields(fields);
        ASSERT_TRUE(failure.has_value()) << c.name;
        EXPECT_EQ(failure->field, c.field) << c.name;
        EXPECT_STREQ(failure->messageKey, c.key) << c.name;
        EXPECT_STREQ(failure->englishDefault, c.message) << c.name;
    }
}

TEST(CheckSearchFields, BlanksAndEmptyPreselectionPass)
{
    SearchFields fields = FullFields();
    fields.preselection.clear();
    fields.port.clear();
    fields.searchString = " ";
    fields.server = " ";
    fields.baseDn = "\t";
    EXPECT_FALSE(CheckSearchFields(fields).has_value());
}

TEST(ParsePort, LeadingNumberLikeTheFieldConversion)
{
    const struct {
        const char* text;
        int32_t port;
    } cases[] = {
        {"", 389},        {"389", 389},      {"abc", 0},     {" 42x", 42},   {"\t 8", 8},
        {"+7", 7},        {"-5", -5},        {" ", 0},       {"- 5", 0},     {"0x10", 0},
        {"636 ", 636},    {"2147483647", INT32_MAX},         {"99999999999999999999999", INT32_MAX},
        {"-2147483648", INT32_MIN},          {"-99999999999999999999999", INT32_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParsePort(c.text), c.port) << "'" << c.text << "'";
    }
}

TEST(MakeSearchInput, CutsEveryTextTo1023Bytes)
{
    SearchFields fields;
    const std::string longText(2000, 'x');
    fields.server = fields.baseDn = fields.searchAttribute = fields.resultAttribute = longText;
    fields.searchString = fields.preselection = longText;
    fields.port = std::string(1023, ' ') + "77";  // the digits lie beyond the cut
    const SearchInput input = MakeSearchInput(fields);
    for (const std::string* text : {&input.server, &input.baseDn, &input.searchAttribute,
                                    &input.resultAttribute, &input.searchString, &input.preselection}) {
        EXPECT_EQ(*text, std::string(1023, 'x'));
    }
    EXPECT_EQ(input.port, 0);
}

TEST(SearchValue, PreselectionOnlyWithoutSwap)
{
    const struct {
        const char* preselection;
        bool swap;
        const char* value;
    } cases[] = {{"", false, "Smi*"}, {"Dr.", false, "Dr.Smi*"}, {"Dr.", true, "Smi*"}, {"", true, "Smi*"}};
    for (const auto& c : cases) {
        SearchInput input;
        input.searchString = "Smi";
        input.preselection = c.preselection;
        EXPECT_EQ(SearchValue(input, c.swap), c.value) << c.preselection << " swap " << c.swap;
    }
}

TEST(SplitResultAttributes, PiecesBetweenCommasUntrimmedAndKeptWhenEmpty)
{
    using Names = std::vector<std::string>;
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
    using Names = std::vector<std::string>;
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
        EXPECT_EQ(choice.filterAttribute, c.filter) << c.result << " swap " << c.swap;
        EXPECT_EQ(choice.attributes, c.asked) << c.result;
        EXPECT_EQ(choice.severalAttributes, c.several) << c.result;
        EXPECT_EQ(choice.headings, c.headings) << c.result;
        EXPECT_EQ(choice.columnCount(), static_cast<int32_t>(c.headings.size())) << c.result;
    }
}

TEST(FillPlaceholder, FirstPlaceholderReplacedAsPlainText)
{
    const struct {
        const char* text;
        const char* value;
        const char* filled;
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

/// A table laid out as the query writes it: column 0 the entry, then attribute and value cells.
ResultTable QueryLikeTable(const std::vector<std::vector<std::string>>& rows, int32_t columns)
{
    ResultTable table;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            table.SetCell(static_cast<int32_t>(c), static_cast<int32_t>(r), rows[r][c]);
        }
    }
    table.SetDimensions(columns, static_cast<int32_t>(rows.size()));
    return table;
}

TEST(ResultRows, ValuesPlacedByPositionWithinTheDeclaredWidth)
{
    const ResultTable table = QueryLikeTable(
        {
            {"<ENTRY>cn=a,o=x", "<ATTRIBUTE>mail", "<VALUE>a@x", "<ATTRIBUTE>cn", "<VALUE>a"},
            {"<ENTRY>cn=b,o=x"},
            {"<ENTRY>cn=c,o=x", "<ATTRIBUTE>cn", "<VALUE>c1", "<VALUE>c2", "<VALUE>c3", "<VALUE>beyond"},
            {"<ENTRY>cn=<VALUE>d,o=x", "<ATTRIBUTE>cn", "<VALUE>"},
        },
        5);
    const std::vector<ResultRow> rows = ResultRows(table);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].dn, "cn=a,o=x");
    EXPECT_EQ(rows[0].values, (std::vector<std::string>{"a@x", "a"}));
    EXPECT_EQ(rows[1].dn, "cn=b,o=x");
    EXPECT_TRUE(rows[1].values.empty());
    EXPECT_EQ(rows[2].values, (std::vector<std::string>{"c1", "c2", "c3"}));
    // A name holding the tag's text is still a name, and an empty value is still a value.
    EXPECT_EQ(rows[3].dn, "cn=<VALUE>d,o=x");
    EXPECT_EQ(rows[3].values, (std::vector<std::string>{""}));
}

std::string ExportFileBytes(const ResultTable& table)
{
    const std::filesystem::path path =
        std::filesystem::path(::testing::TempDir()) /
        (std::string("export_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv");
    EXPECT_TRUE(table.WriteToFile(path.string()));
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
}

TEST(MakeExportTable, WritesValueKOfRowRAtColumnK)
{
    const std::vector<ResultRow> rows = {
        {"cn=Smith", {"Smith", "123", "hidden"}},
        {"cn=Empty", {}},
        {"cn=Semi", {"a;b"}},
        {"cn=Bytes", {"M\xfcller", "\xc3\xb8"}},
    };
    EXPECT_EQ(ExportFileBytes(MakeExportTable(rows, 2)),
              "Smith;123  \r\n;  \r\na;b;  \r\nM\xfcller;\xc3\xb8  \r\n");
    EXPECT_EQ(ExportFileBytes(MakeExportTable(rows, 1)), "Smith  \r\n  \r\na;b  \r\nM\xfcller  \r\n");
    EXPECT_EQ(ExportFileBytes(MakeExportTable({}, 1)), "");
}

}  // namespace
