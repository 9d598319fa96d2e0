// desktop_test.cpp - the main window under a window manager (the Desktop.* tests run under
// openbox, see CMakeLists.txt): the stored placement survives the manager's framing, also on a
// scaled screen, the list is drawn after a start at a stored rectangle, and the columns follow
// maximising and restoring.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <wx/display.h>

#include "app/frame/main_window_layout.h"
#include "app/program_folders.h"
#include "storage/app_settings.h"
#include "app/frame/main_window_template.h"
#include "program_copy.h"
#include "search_window/result_list.h"
#include "search_window_fixture.h"

namespace {

std::string WithWinPos(const std::string& value)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n  <WinPos>" + value +
           "</WinPos>\r\n</InitFile>\r\n";
}

}  // namespace

TEST(Desktop, StoredPlacementIsWhatTheNextCloseWritesBack)
{
    // LDAP.ini keeps screen pixels: on a screen scaled by 2 the same rectangle comes back, and
    // the window is not saved at its minimum instead
    const struct {
        const char* scale;      ///< GDK_SCALE: the screen's pixels per toolkit unit
        const char* textScale;  ///< GDK_DPI_SCALE: larger text alone, as a desktop's text scaling
        const char* stored;
    } cases[] = {{"1", "1", "100;50;900;650"},
                 {"1", "1", "MAX"},
                 {"1", "1.25", "220;140;900;700"},
                 {"2", "1", "80;40;1240;980"}};
    ProgramCopy copy;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.stored) + " at scale " + c.scale);
        setenv("GDK_SCALE", c.scale, 1);
        setenv("GDK_DPI_SCALE", c.textScale, 1);
        WriteBytes(copy.Settings(), WithWinPos(c.stored));
        ASSERT_TRUE(copy.Start({}, SIGTERM));
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));  // framed, and the guard has stood down
        EXPECT_EQ(copy.End(SIGTERM), 0);
        EXPECT_NE(FileBytes(copy.Settings()).find(std::string("<WinPos>") + c.stored + "</WinPos>"), std::string::npos)
            << FileBytes(copy.Settings());
    }
    unsetenv("GDK_SCALE");
    unsetenv("GDK_DPI_SCALE");
    EXPECT_EQ(copy.Errors().find("Gtk-"), std::string::npos) << copy.Errors();
}

/**
 * One start of the program at a stored rectangle, then a search. Runs only as a process of its
 * own, started by DesktopSearch with the rectangle and the directory's port in its environment:
 * the toolkit learns the window manager's frame from the first window of a process, so only that
 * window goes through the framing a user's start does.
 */
class DesktopFirstWindow : public SearchWindowTest {
protected:
    void SetUp() override
    {
        const char* winPos = std::getenv("CORVANE_TEST_WINPOS");
        const char* port = std::getenv("CORVANE_TEST_PORT");
        if (winPos == nullptr || port == nullptr) {
            GTEST_SKIP() << "started by DesktopSearch";
        }
        WriteBytes(ProgramFolders::AtStart().storage + "LDAP.ini", WithWinPos(winPos));
        m_window = new CLDAPDlg({});
        m_window->ShowAtStart();
        PumpEvents();
        Commands().SetTimeLimit(20);
        SetField(ctl::kServer, DirectoryServer::Host());
        SetField(ctl::kPort, port);
        SetField(ctl::kBaseDn, test_directory::kFixturesDn);
    }
};

TEST_F(DesktopFirstWindow, ListIsDrawnAfterTheStartAndTheWindowStaysOnScreen)
{
    // LDAP.ini keeps screen pixels; the window is placed in the toolkit's units
    const WindowPlacement stored = ParseWinPos(std::getenv("CORVANE_TEST_WINPOS"));
    const double scale = Window().GetContentScaleFactor();
    const auto units = [scale](int pixels) {
        return static_cast<int>(std::lround(pixels / scale));
    };
    const wxRect rect(units(stored.rect.left), units(stored.rect.top), units(stored.rect.Width()),
                      units(stored.rect.Height()));
    Search("sn", "Smith", "cn,mail");
    ASSERT_EQ(List()->ItemCount(), 2u);
    ExpectRowsDrawn();
    // the row icon is scaled once: a row is about a line of text high, not twice that
    EXPECT_LT(ItemRect(0).height, 2 * List()->GetCharHeight());
    // where it was stored, or grown to its minimum and kept on the screen
    const wxRect shown = Window().GetRect();
    EXPECT_GE(shown.width, rect.width);
    EXPECT_GE(shown.height, rect.height);
    if (shown.GetSize() == rect.GetSize()) {
        EXPECT_EQ(shown.GetTopLeft(), rect.GetTopLeft());
    }
    EXPECT_TRUE(wxDisplay(0u).GetGeometry().Contains(shown))
        << shown.x << "," << shown.y << " " << shown.width << "x" << shown.height;
    // and after the window's later history: maximised, restored, another language
    for (const bool maximise : {true, false}) {
        Window().Maximize(maximise);
        EXPECT_TRUE(PumpUntil([&] { return Window().IsMaximized() == maximise; }));
        ExpectRowsDrawn();
    }
    Window().Language().Apply(std::string(CORVANE_LANGUAGES_FOLDER) + "/LangLDAP_Greek.ini");
    ExpectRowsDrawn();
    // at its smallest, the list shows its heading and three whole rows
    Window().SetSize(Window().GetMinSize());
    EXPECT_TRUE(PumpUntil([&] { return Window().GetSize() == Window().GetMinSize(); }));
    PumpFor(200);
    EXPECT_GE(List()->GetClientSize().y, List()->ContentHeight(3));
}

TEST(DesktopSearch, ListIsDrawnAfterEveryStartAtAStoredRectangle)
{
    // a start at a stored rectangle left the list blank until the window was resized, and the
    // toolkit printed a critical while the window manager framed it
    ASSERT_TRUE(TestServer().Running()) << TestServer().Error();
    for (const char* winPos :
         {"100;100;900;700", "50;40;700;520", "400;300;1100;860", "0;0;1280;1000", "200;100;760;500", "600;20;1280;920",
          "30;500;930;1000", "310;170;921;627", "0;24;1000;724", "700;400;1280;1020"}) {
        SCOPED_TRACE(winPos);
        const std::string command = std::string("CORVANE_TEST_WINPOS='") + winPos +
                                    "' CORVANE_TEST_PORT=" + std::to_string(TestServer().Port()) + " /proc/" +
                                    std::to_string(getpid()) + "/exe --gtest_filter=DesktopFirstWindow.* 2>&1";
        const auto [output, status] = RunCommand(command);
        EXPECT_EQ(status, 0) << output;
        EXPECT_EQ(output.find("Gtk-"), std::string::npos) << output;
        EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
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
