// detail_fields_rules_test.cpp - the detail-fields list text: built from the slots, Add, and OK.
#include "dialogs/detail_fields_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(DetailFields, ListTextShowsTheNamesUpToTheFirstEmptySlot)
{
    EXPECT_EQ(DetailFieldsText(DefaultDetailSlots()),
              "cn\nCompany\npostalAddress\npostalCode\nl\nst\nphysicalDeliveryOfficeName\ntelephoneNumber");
    DetailSlots gap{};
    gap[0] = "cn";
    gap[2] = "ignored";
    EXPECT_EQ(DetailFieldsText(gap), "cn");
    EXPECT_EQ(DetailFieldsText(DetailSlots{}), "");
}

TEST(DetailFields, AddAppendsTheNameAsTyped)
{
    const struct {
        const char *text, *name, *result;
    } cases[] = {
        {"cn\nsn", "", "cn\nsn"},   {"", "mail", "mail"},           {"cn", "cn", "cn\ncn"},
        {"cn\n", "sn", "cn\n\nsn"}, {"cn", " mail ", "cn\n mail "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithFieldAdded(c.text, c.name), c.result) << c.text << " + " << c.name;
    }
}

TEST(DetailFields, OkWritesTheNonBlankLinesIntoTheSlots)
{
    const struct {
        std::string text;
        std::vector<std::string> slots;  // the first slots; all others empty
    } cases[] = {
        {"cn\nsn", {"cn", "sn"}},
        {"", {}},
        {"cn\n\nsn", {"cn", "sn"}},  // a blank line kept would end the list for every reader
        {"cn\r\n \t\r\nsn\r\n\n", {"cn", "sn"}},
        {" mail \n", {" mail "}},
        {"\n\n", {}},
    };
    for (const auto& c : cases) {
        const DetailSlots slots = DetailSlotsFromText(c.text);
        DetailSlots expected{};
        std::copy(c.slots.begin(), c.slots.end(), expected.begin());
        EXPECT_EQ(slots, expected) << c.text;
    }
}

TEST(DetailFields, OkKeepsWithinTheSlots)
{
    std::string text;
    for (int i = 0; i < 150; ++i) {
        text += "a" + std::to_string(i) + "\n";
    }
    const DetailSlots many = DetailSlotsFromText(text);
    EXPECT_EQ(many[0], "a0");
    EXPECT_EQ(many[99], "a99");  // lines beyond the hundredth are dropped

    // 1023 bytes at most, never half of a two-byte character
    const std::string umlauts(2000, 'x');
    std::string line = "y";
    for (int i = 0; i < 600; ++i) {
        line += "\xc3\xbc";
    }
    const DetailSlots cut = DetailSlotsFromText(umlauts + "\n" + line);
    EXPECT_EQ(cut[0], std::string(1023, 'x'));
    EXPECT_EQ(cut[1].size(), 1023u);
    EXPECT_EQ(cut[1].back(), '\xbc');
}

}  // namespace
