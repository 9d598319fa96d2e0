// value_range_test.cpp - the range option of an attribute name, as a server names a part of an
// attribute's values.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "directory/value_range.h"

namespace {

TEST(ParseValueRange, NamesWithAndWithoutARange)
{
    constexpr uint64_t kNone = ~uint64_t{0};  // "*": the values end there
    const struct {
        const char* name;
        bool ranged;
        const char* plainName;
        uint64_t first;
        uint64_t last;
    } cases[] = {
        {"member;range=0-1499", true, "member", 0, 1499},
        {"member;range=1500-*", true, "member", 1500, kNone},
        {"Member;RANGE=3-3", true, "Member", 3, 3},
        {"member;binary;range=0-9", true, "member;binary", 0, 9},
        {"member;range=0-9;x-tag", true, "member;x-tag", 0, 9},
        {"member", false, "", 0, 0},
        {"member;rangefoo=0-9", false, "", 0, 0},
        {"member;range=5-4", false, "", 0, 0},
        {"member;range=-4", false, "", 0, 0},
        {"member;range=0-", false, "", 0, 0},
        {"member;range=a-9", false, "", 0, 0},
        {"member;range=0-9x", false, "", 0, 0},
        {"member;range=", false, "", 0, 0},
    };
    for (const auto& c : cases) {
        const std::optional<ValueRange> range = ParseValueRange(c.name);
        ASSERT_EQ(range.has_value(), c.ranged) << c.name;
        if (range) {
            EXPECT_EQ(range->plainName, c.plainName) << c.name;
            EXPECT_EQ(range->first, c.first) << c.name;
            EXPECT_EQ(range->last.value_or(kNone), c.last) << c.name;
        }
    }
    EXPECT_EQ(RangeRequestName("member", 1500), "member;range=1500-*");
    EXPECT_EQ(RangeName("member", 0, 2999), "member;range=0-2999");
}

}  // namespace
