// details_text_test.cpp - the details text's bytes and the choice of entries by distinguished name.
#include "search_window/details_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "directory/result_table.h"

namespace {

ResultTable DetailsTable(const std::vector<std::vector<std::string>>& rows, int32_t columns)
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

const std::string kSeparator = std::string(" \r\n ") + std::string(56, '-') + "\r\n";

TEST(DetailsText, SeparatorIsBlankCrLfBlank56HyphensCrLf)
{
    EXPECT_EQ(std::string(kDetailsSeparator), kSeparator);
}

TEST(DetailsText, EveryValueOnItsOwnLineThenTheSeparator)
{
    const ResultTable table = DetailsTable(
        {
            {"<ENTRY>cn=Smith,ou=fixtures", "<ATTRIBUTE>cn", "<VALUE>Smith", "<ATTRIBUTE>telephoneNumber",
             "<VALUE>123", "<VALUE>456"},
            {"<ENTRY>cn=Nobody,ou=fixtures"},
        },
        6);
    EXPECT_EQ(DetailsText(table, std::nullopt), "Smith\r\n123\r\n456\r\n" + kSeparator + kSeparator);
    EXPECT_EQ(DetailsText(ResultTable{}, std::nullopt), "");
}

TEST(DetailsText, ShowsTheEntriesChosenByName)
{
    // Row 1 has no value: it would have no list item, so positions would pick the wrong rows.
    const ResultTable table = DetailsTable(
        {
            {"<ENTRY>cn=a", "<ATTRIBUTE>cn", "<VALUE>a"},
            {"<ENTRY>cn=b"},
            {"<ENTRY>cn=c", "<ATTRIBUTE>cn", "<VALUE>c"},
        },
        3);
    const struct {
        std::set<std::string> chosen;
        std::string text;
    } cases[] = {
        {{"cn=a", "cn=c"}, "a\r\n" + kSeparator + "c\r\n" + kSeparator},
        {{"cn=c"}, "c\r\n" + kSeparator},
        {{"cn=b"}, kSeparator},
        {{"<ENTRY>cn=a", "cn=A", "cn=x"}, ""},
        {{}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetailsText(table, c.chosen), c.text) << c.chosen.size();
    }
}

}  // namespace
