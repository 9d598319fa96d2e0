// search_stop_test.cpp - the window while a search runs beside it: it handles its events, the
// commands that need the result wait, Escape stops the search with what had arrived, and a close
// during a search closes as usual.
#include <wx/timer.h>

#include "platform/command_ids.h"
#include "scripted_directory.h"
#include "search_window_fixture.h"
#include "unresponsive_listener.h"

namespace {

using Cells = std::vector<std::vector<std::string>>;

/// The menu commands that wait for a running search.
const int kWaitingCommands[] = {cmd::kShowDetails, cmd::kExportResult, cmd::kNew, cmd::kOpen};

TEST_F(SearchWindowTest, ASearchRunsBesideTheWindowAndEscapeStopsItWithWhatArrived)
{
    // Three entries, then a server that says nothing more for as long as the search would wait.
    ScriptedDirectory server(ScriptedDirectory::Script::EntriesThenQuiet, 3, 0);
    ASSERT_TRUE(server.Running());
    Commands().SetTimeLimit(100);
    SetField(ctl::kPort, std::to_string(server.Port()));
    SetField(ctl::kSearchAttribute, "cn");
    SetField(ctl::kSearchString, "Person");
    SetField(ctl::kResultAttribute, "cn");
    Commands().Search();
    ASSERT_TRUE(Commands().Searching());
    EXPECT_EQ(ListCells(), (Cells{{"LDAP query in progress..."}}));
    for (const int command : kWaitingCommands) {
        EXPECT_FALSE(Item(command)->IsEnabled()) << command;
    }

    // The window goes on handling its events: a timer fires while the search waits.
    bool ticked = false;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { ticked = true; });
    timer.StartOnce(20);
    EXPECT_TRUE(PumpUntil([&] { return ticked && server.Delivered(); }));
    Commands().Search();  // a second Search is ignored
    EXPECT_TRUE(Commands().Searching());

    PointAt(Control(ctl::kSearchString)).Char(WXK_ESCAPE);
    WaitForQuery();
    EXPECT_EQ(ListCells(), (Cells{{"Person 0"}, {"Person 1"}, {"Person 2"}}));
    EXPECT_EQ(Status(), "Search stopped: 3 entries shown");
    EXPECT_TRUE(Control(ctl::kDetails)->IsEnabled());
    for (const int command : kWaitingCommands) {
        EXPECT_TRUE(Item(command)->IsEnabled()) << command;
    }
    EXPECT_TRUE(PumpUntil([&] { return server.Abandoned(); })) << "the search was not abandoned on the server";
}

TEST_F(SearchWindowTest, ASearchStoppedBeforeAnyEntryNeverReadsAsNoResult)
{
    ScriptedDirectory server(ScriptedDirectory::Script::EntriesThenQuiet, 0, 0);
    ASSERT_TRUE(server.Running());
    Commands().SetTimeLimit(100);
    SetField(ctl::kPort, std::to_string(server.Port()));
    SetField(ctl::kSearchString, "Person");
    Commands().Search();
    EXPECT_TRUE(PumpUntil([&] { return server.Delivered(); }));
    PointAt(Control(ctl::kSearchString)).Char(WXK_ESCAPE);
    WaitForQuery();
    EXPECT_EQ(Status(), "Search stopped: 0 entries shown");
    EXPECT_EQ(ListCells(), (Cells{{Status()}}));
}

TEST_F(SearchWindowTest, TheDetailsQueryRunsBesideTheWindowToo)
{
    UnresponsiveListener listener;
    ASSERT_TRUE(listener.Running());
    SetField(ctl::kPort, std::to_string(listener.Port()));
    SetField(ctl::kSearchString, "Smith");
    DetailsShownHook hook([](CDetailsDialog& dialog) { dialog.EndModal(wxID_OK); });
    Commands().Details();
    ASSERT_TRUE(Commands().Searching());
    EXPECT_EQ(Status(), "LDAP query in progress...");
    EXPECT_TRUE(PumpUntil([&] { return listener.Accepted() > 0; }));
    PointAt(Control(ctl::kSearchString)).Char(WXK_ESCAPE);
    WaitForQuery();
    EXPECT_EQ(hook.Calls(), 1);
    EXPECT_EQ(Commands().LastDetailsText(), "");
    EXPECT_EQ(Status(), "");
}

TEST_F(SearchWindowTest, ClosingTheWindowDuringASearchClosesAsUsual)
{
    UnresponsiveListener listener;
    ASSERT_TRUE(listener.Running());
    Commands().SetTimeLimit(100);
    SetField(ctl::kPort, std::to_string(listener.Port()));
    SetField(ctl::kSearchString, "Smith");
    Commands().Search();
    EXPECT_TRUE(PumpUntil([&] { return listener.Accepted() > 0; }));
    const std::string settings = Window().Folders().storage + "LDAP.ini";
    std::remove(settings.c_str());
    RunMenu(cmd::kExit);
    EXPECT_TRUE(PumpUntil([this] { return !m_window; })) << "the window did not close";
    EXPECT_NE(FileBytes(settings), "") << "LDAP.ini was not saved";
}

}  // namespace
