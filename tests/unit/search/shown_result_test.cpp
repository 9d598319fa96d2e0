// shown_result_test.cpp - the shown order of a search's entries: sorting by a column keeps equal
// texts in DN order both ways, entries without a value sort as empty and keep their export row.
#include "search/shown_result.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ResultRow Row(const std::string& dn, const std::string& value)
{
    ResultRow row;
    row.dn = dn;
    row.values = {value};
    row.hasValue = !value.empty();
    return row;
}

std::vector<std::string> ShownDns(const ShownResult& shown)
{
    std::vector<std::string> dns;
    for (const ResultRow* row : shown.ShownRows())
        dns.push_back(row->dn);
    return dns;
}

TEST(ShownResult, SortByColumnIsStableFromDnOrderAndCountsEntriesWithoutItemAsEmpty)
{
    const struct {
        bool ascending;
        std::vector<std::string> dns;
        std::vector<size_t> itemOrder;
    } cases[] = {
        {true, {"cn=d", "cn=a", "cn=c", "cn=b"}, {0, 2, 1}},
        {false, {"cn=b", "cn=a", "cn=c", "cn=d"}, {1, 0, 2}},
    };
    for (const auto& c : cases) {
        ShownResult shown;
        // Items: cn=a "x", cn=b "y", cn=c "x"; cn=d has no value and no item.
        shown.Set({Row("cn=a", "x"), Row("cn=b", "y"), Row("cn=c", "x"), Row("cn=d", "")}, 1);
        ASSERT_EQ(shown.ItemDns(), (std::vector<std::string>{"cn=a", "cn=b", "cn=c"}));
        const std::vector<std::string> texts = {"x", "y", "x"};
        const std::vector<size_t> order = shown.SortBy(
            0, c.ascending, [&](size_t item) { return texts[item]; },
            [](const std::string& a, const std::string& b) { return a.compare(b); });
        SCOPED_TRACE(c.ascending);
        EXPECT_EQ(order, c.itemOrder);
        EXPECT_EQ(ShownDns(shown), c.dns);
        EXPECT_EQ(shown.ExportTable().RowCount(), 4);
    }
}

TEST(ShownResult, NothingToSortGivesNoOrder)
{
    ShownResult shown;
    auto text = [](size_t) {
        return std::string();
    };
    auto compare = [](const std::string& a, const std::string& b) {
        return a.compare(b);
    };
    EXPECT_TRUE(shown.SortBy(0, true, text, compare).empty());
    shown.Set({Row("cn=a", "x")}, 1);
    EXPECT_TRUE(shown.SortBy(1, true, text, compare).empty());  // no such column
}

}  // namespace
