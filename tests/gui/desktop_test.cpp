// desktop_test.cpp - the main window under a window manager (the Desktop.* tests run under
// openbox, see CMakeLists.txt): the stored placement survives the manager's framing, and the
// columns follow maximising and restoring.
#include <gtest/gtest.h>

#include "app/main_window_layout.h"
#include "app/main_window_template.h"
#include "main_window_fixture.h"
#include "program_copy.h"
#include "search_window/result_list.h"

namespace {

std::string WithWinPos(const std::string& value)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n  <WinPos>" + value +
           "</WinPos>\r\n</InitFile>\r\n";
}

}  // namespace

TEST(Desktop, StoredPlacementIsWhatTheNextCloseWritesBack)
{
    ProgramCopy copy;
    for (const char* stored : {"100;50;900;650", "MAX", "220;140;900;700"}) {
        SCOPED_TRACE(stored);
        WriteBytes(copy.Settings(), WithWinPos(stored));
        ASSERT_TRUE(copy.Start({}, SIGTERM));
        std::this_thread::sleep_for(std::chrono::seconds(2));  // framed, and the guard has stood down
        EXPECT_EQ(copy.End(SIGTERM), 0);
        EXPECT_NE(FileBytes(copy.Settings()).find(std::string("<WinPos>") + stored + "</WinPos>"), std::string::npos)
            << FileBytes(copy.Settings());
    }
}

class DesktopWindow : public MainWindowTest {};

TEST_F(DesktopWindow, ColumnsFollowMaximiseAndRestore)
{
    auto* list = Get<CResultList>(ctl::kResultList);
    list->SetColumns({"a", "b", "c"}, 10);
    const auto columnsFit = [list] {
        return list->ColumnWidth() == ColumnWidth(list->GetSize().x, 3, 20) && list->GetColumn(0)->GetWidth() > 10;
    };
    const int normalWidth = list->GetSize().x;
    for (const bool maximise : {true, false, true, false}) {
        SCOPED_TRACE(maximise);
        Window().Maximize(maximise);
        EXPECT_TRUE(PumpUntil([&] { return Window().IsMaximized() == maximise; }));
        EXPECT_TRUE(PumpUntil([&] { return (list->GetSize().x > normalWidth) == maximise && columnsFit(); }))
            << list->GetSize().x << " " << list->ColumnWidth();
        EXPECT_TRUE(PumpUntil([&] { return list->ColumnsFitWidth(list->GetSize().x); }))
            << "the last column is out of view: " << list->GetColumn(2)->GetWidth();
    }
}
