// shown_result_test.cpp - the laid-out view of a search's entries: every value under the column
// of its attribute's name, groups put in place by the answer's names; sorting by a column keeps
// equal texts in DN order both ways, entries without a value sort as empty; edited labels stay
// with their entries; a stop ends the layout.
#include "result/shown_result.h"

#include "result/work_limit.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

/// A search table of entries (DN, cn value; no value for an empty one), asked for cn.
void SetEntries(ShownResult& shown, const std::vector<std::pair<std::string, std::string>>& entries)
{
    ResultTable table;
    for (size_t row = 0; row < entries.size(); ++row) {
        const auto r = static_cast<int32_t>(row);
        table.SetCell(0, r, "<ENTRY>" + entries[row].first);
        if (!entries[row].second.empty()) {
            table.SetCell(1, r, "<ATTRIBUTE>cn");
            table.SetCell(2, r, "<VALUE>" + entries[row].second);
        }
    }
    table.SetDimensions(3, static_cast<int32_t>(entries.size()));
    ResultColumns columns;
    columns.attributes = {"cn"};
    columns.headings = {"cn"};
    shown.Set(std::move(table), columns);
}

/// Sorts following every item; gives the new item order (order[k]: the item that came to position k).
std::vector<uint32_t> SortOrder(ShownResult& shown, bool ascending, const ShownResult::KeyOf& keyOf)
{
    std::vector<uint32_t> followed(shown.ItemCount());
    std::iota(followed.begin(), followed.end(), uint32_t{0});
    if (!shown.SortBy(0, ascending, keyOf, followed)) {
        return {};
    }
    std::vector<uint32_t> order(followed.size());
    for (uint32_t item = 0; item < followed.size(); ++item) {
        order[followed[item]] = item;
    }
    return order;
}

std::vector<std::string> ShownDns(const ShownResult& shown)
{
    std::vector<std::string> dns;
    for (size_t entry = 0; entry < shown.EntryCount(); ++entry) {
        dns.emplace_back(shown.RowDn(shown.EntryRow(entry)));
    }
    return dns;
}

TEST(ShownResult, SortByColumnIsStableFromDnOrderAndCountsEntriesWithoutItemAsEmpty)
{
    const struct {
        bool ascending;
        std::map<size_t, std::string> edited;
        std::vector<std::string> dns;
        std::vector<uint32_t> itemOrder;
    } cases[] = {
        {true, {}, {"cn=d", "cn=a", "cn=c", "cn=b"}, {0, 2, 1}},
        {false, {}, {"cn=b", "cn=a", "cn=c", "cn=d"}, {1, 0, 2}},
        {true, {{1, "a"}}, {"cn=d", "cn=b", "cn=a", "cn=c"}, {1, 0, 2}},  // an edited text sorts as shown
    };
    // A key made for some texts only sorts with the others' own bytes.
    const ShownResult::KeyOf keyOf = [](std::string_view text) {
        return text == "y" ? std::optional<std::string>("y") : std::nullopt;
    };
    for (const auto& c : cases) {
        ShownResult shown;
        // Items: cn=a "x", cn=b "y", cn=c "x"; cn=d has no value and no item.
        SetEntries(shown, {{"cn=a", "x"}, {"cn=b", "y"}, {"cn=c", "x"}, {"cn=d", ""}});
        ASSERT_EQ(shown.ItemDns(), (std::vector<std::string>{"cn=a", "cn=b", "cn=c"}));
        for (const auto& [item, label] : c.edited) {
            shown.SetLabel(item, label);
        }
        const std::vector<uint32_t> order = SortOrder(shown, c.ascending, keyOf);
        SCOPED_TRACE(c.dns[1]);
        EXPECT_EQ(order, c.itemOrder);
        EXPECT_EQ(ShownDns(shown), c.dns);
    }
}

TEST(ShownResult, SortsAgainFromTheShownOrderWhenEveryEntryHasAnItem)
{
    ShownResult shown;
    SetEntries(shown, {{"cn=a", "x"}, {"cn=b", "y"}, {"cn=c", "x"}});
    const ShownResult::KeyOf ownKeys = [](std::string_view) {
        return std::nullopt;
    };
    EXPECT_EQ(SortOrder(shown, false, ownKeys), (std::vector<uint32_t>{1, 0, 2}));
    EXPECT_EQ(shown.ItemDns(), (std::vector<std::string>{"cn=b", "cn=a", "cn=c"}));
    // The order returned is by the items as they were shown before this sort.
    // Only the items followed learn where they went.
    std::vector<uint32_t> followed{0};
    ASSERT_TRUE(shown.SortBy(0, true, ownKeys, followed));
    EXPECT_EQ(followed, (std::vector<uint32_t>{2}));
    EXPECT_EQ(shown.ItemDns(), (std::vector<std::string>{"cn=a", "cn=c", "cn=b"}));
    EXPECT_EQ(shown.ItemText(2, 0), "y");
}

TEST(ShownResult, ReadsTheTableInPlaceJoinsSeveralValuesAndKeepsTheEntriesWhenEmptied)
{
    ResultTable table;
    const std::vector<std::vector<std::string>> rows = {
        {"<ENTRY>cn=a", "<ATTRIBUTE>cn", "<VALUE>A1", "<VALUE>A;2", "<ATTRIBUTE>mail", "<VALUE>a@x"},
        {"<ENTRY>cn=b", "<ATTRIBUTE>other", "<VALUE>zzz"},
        {"<ENTRY>cn=c", "<ATTRIBUTE>mail", "<VALUE>"},
    };
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            table.SetCell(static_cast<int32_t>(c), static_cast<int32_t>(r), rows[r][c]);
        }
    }
    table.SetDimensions(6, 3);
    ResultColumns columns;
    columns.attributes = columns.headings = {"cn", "mail"};
    ShownResult shown;
    shown.Set(std::move(table), columns);

    ASSERT_EQ(shown.ItemCount(), 2u) << "an empty value is a value; another attribute's is not";
    EXPECT_EQ(shown.ItemText(0, 0), "A1, A;2");
    EXPECT_EQ(shown.ItemText(0, 1), "a@x");
    EXPECT_EQ(shown.ItemText(1, 0), "");
    EXPECT_EQ(shown.ItemText(2, 0), "") << "beyond the items";
    // A label edited on the list is the item's, never the row's.
    shown.SetLabel(1, "edited");
    EXPECT_EQ(shown.ItemText(1, 0), "edited");
    EXPECT_EQ(shown.RowText(shown.EntryRow(2), 0), "");
    shown.ClearItems();
    EXPECT_FALSE(shown.HasItems());
    EXPECT_EQ(shown.EntryCount(), 3u);
    shown.Clear();
    EXPECT_EQ(shown.EntryCount(), 0u);
}

TEST(ShownResult, AStopEndsTheLayoutOfAWideEntryAndKeepsNothing)
{
    // One entry of thousands of distinct attribute names, its cn value last.
    constexpr int32_t kNames = 5000;
    ResultTable wide;
    wide.SetCell(0, 0, "<ENTRY>cn=wide");
    for (int32_t n = 0; n < kNames; ++n) {
        wide.SetCell(1 + 2 * n, 0, "<ATTRIBUTE>a" + std::to_string(n));
        wide.SetCell(2 + 2 * n, 0, "<VALUE>v");
    }
    wide.SetCell(1 + 2 * kNames, 0, "<ATTRIBUTE>cn");
    wide.SetCell(2 + 2 * kNames, 0, "<VALUE>last");
    wide.SetDimensions(3 + 2 * kNames, 1);
    ResultColumns columns;
    columns.attributes = columns.headings = {"cn"};

    const struct {
        int stopAtLook;  // the stop is seen from this look at the stop on
        bool laidOut;
    } cases[] = {
        {0, false},  // raised before the layout starts
        {1, false},  // raised while it runs
        {std::numeric_limits<int>::max(), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stopAtLook);
        int looks = 0;
        WorkLimit limit([&] { return looks++ >= c.stopAtLook; }, 0);
        ShownResult shown;
        EXPECT_EQ(shown.Set(ResultTable(wide), columns, limit), c.laidOut);
        EXPECT_EQ(shown.EntryCount(), c.laidOut ? 1u : 0u);
        EXPECT_EQ(shown.ItemText(0, 0), c.laidOut ? "last" : "");
        EXPECT_EQ(limit.Ended(), c.laidOut ? WorkLimit::End::None : WorkLimit::End::Stopped);
    }
}

TEST(ShownResult, NothingToSortGivesNoOrder)
{
    ShownResult shown;
    auto key = [](std::string_view) {
        return std::optional<std::string>();
    };
    std::vector<uint32_t> followed{0};
    EXPECT_FALSE(shown.SortBy(0, true, key, followed));
    SetEntries(shown, {{"cn=a", "x"}});
    EXPECT_FALSE(shown.SortBy(1, true, key, followed));  // no such column
    EXPECT_EQ(followed, (std::vector<uint32_t>{0}));
}

}  // namespace
