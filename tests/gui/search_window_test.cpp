// search_window_test.cpp - the main window's Search command against the private test directory:
// columns, values, order, the no-result message, the input checks and the progress item.
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/window.h>

#include "search_window_fixture.h"
#include "platform/text.h"
#include "scripted_directory.h"
#include "unresponsive_listener.h"

using Cells = std::vector<std::vector<std::string>>;

TEST_F(SearchWindowTest, SearchFillsTheListByAttributeNameInDnOrder)
{
    const std::string smith = test_directory::kSmithDn, smithers = test_directory::kSmithersDn;
    struct SearchCase {
        const char* name;
        const char* searchAttribute;
        const char* preselection;
        const char* searchString;
        const char* resultAttribute;
        bool swap;
        std::vector<std::string> headings;
        Cells cells;                       ///< list items, one text per column
        std::vector<std::string> itemDns;  ///< the entry of each list item
        size_t exportRows;                 ///< entries found, with or without values
    };
    const std::vector<SearchCase> cases = {
        {"one column", "sn", "", "Smith", "cn", false, {"cn"}, {{"Smith"}, {"Smithers"}}, {smith, smithers}, 2},
        {"preselection joins the value",
         "sn",
         "Sm",
         "ith",
         "cn",
         false,
         {"cn"},
         {{"Smith"}, {"Smithers"}},
         {smith, smithers},
         2},
        {"two columns, a missing value leaves its cell empty",
         "sn",
         "",
         "Smith",
         "cn,mail",
         false,
         {"cn", "mail"},
         {{"Smith", ""}, {"Smithers", "smithers@corvane.test"}},
         {smith, smithers},
         2},
        // "cn=width five" sorts before "cn=width four"; two values share one cell
        {"several values share a cell, DN order",
         "sn",
         "",
         "Width",
         "telephoneNumber",
         false,
         {"telephoneNumber"},
         {{"333"}, {"111, 222"}},
         {test_directory::kWidthFiveDn, test_directory::kWidthFourDn},
         2},
        // swap: the filter is sn (the result field cut at its comma), the column the search attribute
        {"swap",
         "telephoneNumber",
         "ignored",
         "Smith",
         "sn,mail",
         true,
         {"telephoneNumber"},
         {{"123, 456"}, {"789"}},
         {smith, smithers},
         2},
        // Smith has no mail: no item for it, yet the second item still knows it stands for Smithers
        {"entry without value gets no item",
         "sn",
         "",
         "Smith",
         "mail",
         false,
         {"mail"},
         {{"smithers@corvane.test"}},
         {smithers},
         2},
        {"texts shown literally",
         "sn",
         "",
         "M\xC3\xBCller",
         "title",
         false,
         {"title"},
         {{"Forschung & Entwicklung"}},
         {test_directory::kMuellerDn},
         1},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetField(ctl::kPreselection, c.preselection);
        Search(c.searchAttribute, c.searchString, c.resultAttribute, c.swap);

        EXPECT_EQ(Headings(), c.headings);
        // each column width / n; the toolkit gives the last one the space that is left
        const int width = (List()->GetSize().GetWidth() - 20) / static_cast<int>(c.headings.size());
        const unsigned last = List()->GetColumnCount() - 1;
        EXPECT_TRUE(PumpUntil([&] { return List()->GetColumn(last)->GetWidth() > 0; }));
        for (unsigned column = 0; column < last; ++column) {
            EXPECT_EQ(List()->GetColumn(column)->GetWidth(), width);
        }
        EXPECT_GE(List()->GetColumn(last)->GetWidth(), width);
        EXPECT_EQ(ListCells(), c.cells);
        EXPECT_EQ(Commands().ItemDns(), c.itemDns);
        EXPECT_TRUE(Control(ctl::kDetails)->IsEnabled());
        for (size_t item = 0; item < List()->ItemCount(); ++item) {
            EXPECT_TRUE(ItemHasIcon(item));
        }
        ExpectRowsDrawn();
        EXPECT_EQ(Commands().Result().EntryCount(), c.exportRows);
        EXPECT_EQ(Commands().Result().ColumnCount(), c.headings.size());
    }
}

TEST_F(SearchWindowTest, NoResultKeepsTheOldColumnsAndEmptiesTheExport)
{
    Search("sn", "Smith", "cn,mail");
    ASSERT_EQ(List()->ItemCount(), 2u);
    // "%s" in the search string is text, not a placeholder of the message
    Search("sn", "Nobody%s", "telephoneNumber");
    EXPECT_EQ(ListCells(), (Cells{{"No result found for 'Nobody%s*'", ""}}));
    EXPECT_EQ(Headings(), (std::vector<std::string>{"cn", "mail"}));
    EXPECT_FALSE(Control(ctl::kDetails)->IsEnabled());
    EXPECT_TRUE(Commands().ItemDns().empty());
    EXPECT_EQ(Commands().Result().EntryCount(), 0u);
}

TEST_F(SearchWindowTest, EditedLabelsStayAndNewSettingsEmptiesTheList)
{
    Search("sn", "Smith", "cn,mail");
    // a click on the selected item opens its editor once no second click has followed
    const wxRect rect = ItemRect(1);
    wxUIActionSimulator& input = PointAt(List(), rect.GetPosition() + wxPoint(40, rect.height / 2));
    input.MouseClick();
    PumpFor(500);
    input.MouseClick();
    PumpFor(600);
    input.Text("Smithers Co");
    input.Char(WXK_RETURN);
    PumpEvents();
    EXPECT_EQ(ListCells(), (Cells{{"Smith", ""}, {"Smithers Co", "smithers@corvane.test"}}));

    List()->EditLabel(0);
    PumpFor(100);
    input.Text("discarded");
    input.Char(WXK_ESCAPE);
    PumpEvents();
    EXPECT_EQ(ListCells()[0][0], "Smith");

    Window().Profile().New();
    EXPECT_EQ(List()->ItemCount(), 0u);
}

TEST_F(SearchWindowTest, AFailedSearchSaysWhyInTheListAndTheStatusLine)
{
    static DirectoryServer noBind(DirectoryServer::Config::NoBind);
    UnresponsiveListener silent;
    // a domain controller's refusal of an anonymous search: a long text at the window's first size
    ScriptedDirectory controller(
        ScriptedDirectory::Answer{0, 1, "00002020: Operation unavailable without authentication"}, 0);
    ASSERT_TRUE(noBind.Running()) << noBind.Error();
    ASSERT_TRUE(silent.Running());
    ASSERT_TRUE(controller.Running());
    const std::string down = std::to_string(UnusedPort());
    struct FailureCase {
        const char* name;
        std::string port;
        const char* searchAttribute;
        std::string reasonPart;  ///< what the reason must name
    };
    const std::vector<FailureCase> cases = {
        {"server down", down, "sn", "127.0.0.1:" + down},
        {"bind refused", std::to_string(noBind.Port()), "sn", "bind"},
        {"bad filter", std::to_string(TestServer().Port()), "s(n", "filter"},
        {"no answer in time", std::to_string(silent.Port()), "sn", "1 second"},
        {"port out of range", "99999", "sn", "99999"},
        {"anonymous search refused", std::to_string(controller.Port()), "sn",
         "(00002020: Operation unavailable without authentication) - The server wants a bind name: set one in "
         "Options > Connection..."},
    };
    Commands().SetTimeLimit(1);
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetField(ctl::kPort, std::to_string(TestServer().Port()));
        Search("sn", "Smith", "cn,mail");
        ASSERT_EQ(List()->ItemCount(), 2u);

        SetField(ctl::kPort, c.port);
        Search(c.searchAttribute, "Smith", "telephoneNumber");
        const std::string shown = Status();
        EXPECT_TRUE(shown.starts_with("Search failed: ") && shown.size() > 15) << shown;
        EXPECT_NE(shown.find(c.reasonPart), std::string::npos) << shown;
        // the items say the same, the whole of it in lines that fit the first column, itself in view;
        // the status line's tooltip holds it whole; the old columns stay and nothing is left to show or export
        // a message in several lines has widened the first column to the list's width once laid out
        // (the toolkit lays a column's new width out later, so the check waits for it)
        const auto fits = [&] {
            for (const std::vector<std::string>& item : ListCells()) {
                if (item.empty() ||
                    List()->GetTextExtent(ToWx(item[0])).GetWidth() >= List()->GetColumn(0)->GetWidth()) {
                    return false;
                }
            }
            return true;
        };
        EXPECT_TRUE(PumpUntil(fits));
        std::string listed;
        for (const std::vector<std::string>& item : ListCells()) {
            ASSERT_EQ(item.size(), 2u);
            listed += (listed.empty() ? "" : " ") + item[0];
            EXPECT_EQ(item[1], "");
            EXPECT_LT(List()->GetTextExtent(ToWx(item[0])).GetWidth(), List()->GetColumn(0)->GetWidth()) << item[0];
        }
        EXPECT_EQ(listed, shown);
        EXPECT_LE(List()->GetColumn(0)->GetWidth(), List()->GetClientSize().GetWidth());
        EXPECT_EQ(FromWx(Window().GetStatusBar()->GetToolTipText()), shown);
        EXPECT_EQ(Headings(), (std::vector<std::string>{"cn", "mail"}));
        EXPECT_FALSE(Control(ctl::kDetails)->IsEnabled());
        EXPECT_EQ(Commands().Result().EntryCount(), 0u);
    }
}

TEST_F(SearchWindowTest, TheStatusLineCountsTheEntries)
{
    struct StatusCase {
        const char* baseDn;
        const char* searchAttribute;
        const char* searchString;
        std::string status;
    };
    const std::vector<StatusCase> cases = {
        // Smith has no mail and so no item, yet it is one of the entries found
        {test_directory::kFixturesDn, "sn", "Smith", "2 entries"},
        {test_directory::kFixturesDn, "sn", "Nobody", "0 entries"},
        // 1500 people: the entry cap of 1000 cuts the answer
        {test_directory::kPeopleDn, "uid", "p", "1000 entries shown; the directory holds more"},
    };
    for (const StatusCase& c : cases) {
        SCOPED_TRACE(c.status);
        SetField(ctl::kBaseDn, c.baseDn);
        Search(c.searchAttribute, c.searchString, "mail");
        EXPECT_EQ(Status(), c.status);
    }
    // a search stopped by a check and new settings empty the status line with the list
    wxTEST_DIALOG(Search("sn", "", "cn"), ExpectMessageBox("No search string selected.", "ERROR", wxICON_INFORMATION));
    EXPECT_EQ(Status(), "");
    Search("sn", "Smith", "cn");
    Window().Profile().New();
    EXPECT_EQ(Status(), "");
}

TEST_F(SearchWindowTest, ProgressItemShowsWhileTheQueryRuns)
{
    Search("sn", "Smith", "cn");
    Cells seen;
    Commands().SetQueryStartHook([&] { seen = ListCells(); });
    Commands().Search();
    Commands().SetQueryStartHook(nullptr);
    WaitForQuery();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0][0], "LDAP query in progress...");
    EXPECT_EQ(List()->ItemCount(), 2u);
}

TEST_F(SearchWindowTest, InputChecksShowTheirMessageFocusTheFieldAndKeepTheExport)
{
    struct CheckCase {
        std::vector<int> emptied;
        const char* message;
        int focused;
    };
    const std::vector<CheckCase> cases = {
        {{ctl::kSearchString}, "No search string selected.", ctl::kSearchString},
        {{ctl::kServer}, "No LDAP server selected.", ctl::kServer},
        {{ctl::kSearchAttribute}, "No search attribute selected.", ctl::kSearchAttribute},
        // an empty DN alone is asked from the server first: see copy_and_bases_test.cpp
        {{ctl::kResultAttribute}, "No result attribute selected.", ctl::kResultAttribute},
        // the first failed check in order wins
        {{ctl::kServer, ctl::kSearchString}, "No search string selected.", ctl::kSearchString},
        {{ctl::kResultAttribute, ctl::kBaseDn}, "No distinguished name selected.", ctl::kBaseDn},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.message);
        SetField(ctl::kServer, DirectoryServer::Host());
        SetField(ctl::kBaseDn, test_directory::kFixturesDn);
        Search("sn", "Smith", "cn");
        ASSERT_EQ(List()->ItemCount(), 2u);
        Control(ctl::kPort)->SetFocus();

        for (int id : c.emptied) {
            SetField(id, "");
        }
        wxTEST_DIALOG(Commands().Search(), ExpectMessageBox(c.message, "ERROR", wxICON_INFORMATION));
        EXPECT_EQ(List()->ItemCount(), 0u);
        EXPECT_FALSE(Control(ctl::kDetails)->IsEnabled());
        EXPECT_EQ(Commands().Result().EntryCount(), 2u);
        const wxWindow* focus = wxWindow::FindFocus();
        EXPECT_TRUE(focus == Control(c.focused) || (focus && focus->GetParent() == Control(c.focused)))
            << "focus on " << (focus ? focus->GetId() : -1);

        // Details checks the same way and then shows no window
        DetailsShownHook hook([](CDetailsDialog& dialog) { dialog.EndModal(wxID_OK); });
        wxTEST_DIALOG(Commands().Details(), ExpectMessageBox(c.message, "ERROR", wxICON_INFORMATION));
        EXPECT_EQ(hook.Calls(), 0);
    }
}
