// recent_list_test.cpp - the recent-list rules: order, moving to the top, the cap of 15,
// deactivation, clearing and restoring.
#include "storage/recent_list.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace {

using Paths = std::vector<std::string>;

class RecentListTest : public testing::Test {
protected:
    /// A profile file that exists.
    std::string Profile(const std::string& name)
    {
        const std::string path = (folder / name);
        WriteBytes(path, "x");
        return path;
    }
    TempFolder folder;
    RecentList list;
};

TEST_F(RecentListTest, ReloadMovesToTheTopAndCaseMatters)
{
    const std::string p = Profile("P.cvl"), q = Profile("Q.cvl"), r = Profile("R.cvl"), lower = Profile("p.cvl");
    for (const std::string& path : {p, q, r}) {
        list.Add(path, true);
    }
    EXPECT_EQ(list.Entries(), (Paths{r, q, p}));
    list.Add(p, true);
    EXPECT_EQ(list.Entries(), (Paths{p, r, q}));
    list.Add(lower, true);
    EXPECT_EQ(list.Entries(), (Paths{lower, p, r, q}));
}

TEST_F(RecentListTest, HoldsAtMostFifteenDroppingTheBottomEntry)
{
    Paths added;
    for (int i = 0; i < 16; ++i) {
        added.push_back(Profile("P" + std::to_string(i) + ".cvl"));
        list.Add(added.back(), true);
    }
    ASSERT_EQ(list.Entries().size(), RecentList::kMaxEntries);
    EXPECT_EQ(list.Entries().front(), added[15]);
    EXPECT_EQ(list.Entries().back(), added[1]);
}

TEST_F(RecentListTest, DeactivatedRecordsNothingButClearStillWorks)
{
    const std::string p = Profile("P.cvl"), q = Profile("Q.cvl");
    list.Add(p, true);
    list.ToggleDeactivate();
    list.Add(q, true);
    EXPECT_EQ(list.Entries(), (Paths{p}));
    list.Clear();
    EXPECT_TRUE(list.Entries().empty());
    EXPECT_TRUE(list.Deactivated());
}

TEST_F(RecentListTest, RestoreKeepsStoredOrderDropsMissingFilesAndCutsLongLists)
{
    Paths stored;
    for (int i = 0; i < 17; ++i) {
        stored.push_back(Profile("S" + std::to_string(i) + ".cvl"));
    }
    stored.insert(stored.begin() + 1, (folder / "gone.cvl"));
    list.Restore(stored, true);
    // the first 14 stored entries and the last one loaded remain; the mark is set after them
    Paths expected(stored.begin(), stored.begin() + 15);
    expected.erase(expected.begin() + 1);
    expected.push_back(stored.back());
    EXPECT_EQ(list.Entries(), expected);
    EXPECT_TRUE(list.Deactivated());
}

}  // namespace
