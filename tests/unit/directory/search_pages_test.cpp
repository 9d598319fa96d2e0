// search_pages_test.cpp - how a capped search asks: the whole answer first, pages when the server
// cuts it short, and never round and round between the two.
#include "directory/search_pages.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using After = SearchPages::After;

/// One result message: its code, whether it answered the paged-results control, its cookie and
/// the entries recorded so far; what the search must do next, and whether the next request pages.
struct Step {
    int code;
    bool paged;
    const char* cookie;
    int32_t rows;
    After after;
    bool pagingNext;
};

constexpr int kSuccess = 0, kTimeLimit = 3, kSizeLimit = 4, kAdminLimit = 11, kUnavailable = 12, kBusy = 51;

/// A server that cuts the plain answer, then gives empty pages, each with a cookie for more.
std::vector<Step> EmptyPagesForever()
{
    std::vector<Step> steps{{kSizeLimit, false, "", 50, After::AskPaged, true}};
    steps.insert(steps.end(), SearchPages::kMostEmptyPages, {kSuccess, true, "c", 0, After::NextPage, true});
    steps.push_back({kSuccess, true, "c", 0, After::Cut, true});
    return steps;
}

TEST(SearchPages, AsksWholeFirstThenInPagesWhenTheServerCutsShort)
{
    const struct {
        const char* name;
        uint32_t cap;
        bool baseScope;
        std::vector<Step> steps;
    } cases[] = {
        {"whole at once", 1000, false, {{kSuccess, false, "", 20, After::Done, false}}},
        {"cut at the cap", 1000, false, {{kSizeLimit, false, "", 1000, After::Cut, false}}},
        {"the server's time limit is no reason to page", 1000, false, {{kTimeLimit, false, "", 3, After::Cut, false}}},
        {"cut by the server, then pages",
         5000,
         false,
         {{kSizeLimit, false, "", 50, After::AskPaged, true},
          {kSuccess, true, "c1", 1000, After::NextPage, true},
          {kSuccess, true, "", 1700, After::Done, true}}},
        {"pages stop at the cap",
         1500,
         false,
         {{kAdminLimit, false, "", 500, After::AskPaged, true}, {kSuccess, true, "c1", 1500, After::Cut, true}}},
        {"paging refused: the plain answer's cut stands",
         5000,
         false,
         {{kSizeLimit, false, "", 50, After::AskPaged, true},
          {kUnavailable, false, "", 0, After::AskPlain, false},
          {kSizeLimit, false, "", 50, After::Cut, false}}},
        {"a server that ignores the control",
         5000,
         false,
         {{kSizeLimit, false, "", 50, After::AskPaged, true}, {kSizeLimit, false, "", 50, After::Cut, true}}},
        {"the base entry alone never pages", 1000, true, {{kSizeLimit, false, "", 0, After::Cut, false}}},
        {"a refusal fails", 1000, false, {{kBusy, false, "", 0, After::Failed, false}}},
        {"pages that keep coming empty end the search, cut", 5000, false, EmptyPagesForever()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SearchPages pages(c.cap, c.baseScope);
        EXPECT_FALSE(pages.Paging());
        EXPECT_EQ(pages.SizeLimit(), static_cast<int32_t>(c.cap));
        for (const Step& step : c.steps) {
            EXPECT_EQ(pages.Take(step.code, step.paged, step.cookie, step.rows, false), step.after);
            EXPECT_EQ(pages.Paging(), step.pagingNext);
            // A paged request leaves the bound to its page size; a plain one carries the cap.
            EXPECT_EQ(pages.SizeLimit(), step.pagingNext ? 0 : static_cast<int32_t>(c.cap));
        }
    }
}

}  // namespace
