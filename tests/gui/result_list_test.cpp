// result_list_test.cpp - the result list as users handle it: a heading click sorts (and the export
// follows), a double click anywhere opens the details, Enter searches, Ctrl+A selects all.
#include "search_window_fixture.h"

#include <wx/menu.h>

#include "platform/command_ids.h"

namespace {

using Cells = std::vector<std::vector<std::string>>;

const std::string kEmptyLine = "  \r\n";

}  // namespace

TEST_F(SearchWindowTest, AHeadingClickSortsTheListAndTheExportFollows)
{
    struct Click {
        int column;  ///< -1: a new search
        Cells cells;
        std::string exported;
        std::vector<size_t> selected;
    };
    const std::string four = "Width Four;111, 222  \r\n", five = "Width Five;333  \r\n";
    const std::vector<Click> clicks = {
        {-1, {{"Width Five", "333"}, {"Width Four", "111, 222"}}, five + four, {0}},
        // the selected entry stays selected wherever it moves
        {1, {{"Width Four", "111, 222"}, {"Width Five", "333"}}, four + five, {1}},
        {1, {{"Width Five", "333"}, {"Width Four", "111, 222"}}, five + four, {0}},
        {0, {{"Width Five", "333"}, {"Width Four", "111, 222"}}, five + four, {0}},
        {0, {{"Width Four", "111, 222"}, {"Width Five", "333"}}, four + five, {1}},
        // a new search is in DN order again, with no sort arrow
        {-1, {{"Width Five", "333"}, {"Width Four", "111, 222"}}, five + four, {}},
    };
    for (size_t step = 0; step < clicks.size(); ++step) {
        const Click& click = clicks[step];
        SCOPED_TRACE(step);
        if (click.column < 0) {
            Search("sn", "Width", "cn,telephoneNumber");
            if (step == 0) {
                List()->SelectItems({0});
            }
            for (unsigned c = 0; c < List()->GetColumnCount(); ++c) {
                EXPECT_FALSE(List()->GetColumn(c)->IsSortKey());
            }
        } else {
            ClickHeading(click.column);
            EXPECT_TRUE(List()->GetColumn(click.column)->IsSortKey());
        }
        EXPECT_EQ(ListCells(), click.cells);
        EXPECT_EQ(List()->SelectedItems(), click.selected);
        TempFolder folder;
        FileDialogAnswers answers({folder.File("out.csv")});
        Commands().Export();
        EXPECT_EQ(FileBytes(folder.File("out.csv")), click.exported);
    }
    EXPECT_EQ(Commands().ItemDns(),
              (std::vector<std::string>{test_directory::kWidthFiveDn, test_directory::kWidthFourDn}));
}

TEST_F(SearchWindowTest, EntriesWithoutItemSortAsEmptyCellsInTheExport)
{
    // Width Five has a mail, Width Four none and so no item; in DN order Five comes first
    Search("sn", "Width", "mail");
    ASSERT_EQ(ListCells(), (Cells{{"width@corvane.test"}}));
    const std::string mail = "width@corvane.test  \r\n";
    for (const std::string& bytes : {kEmptyLine + mail, mail + kEmptyLine}) {
        ClickHeading(0);
        TempFolder folder;
        FileDialogAnswers answers({folder.File("out.csv")});
        Commands().Export();
        EXPECT_EQ(FileBytes(folder.File("out.csv")), bytes);
    }
    EXPECT_EQ(Commands().ItemDns(), (std::vector<std::string>{test_directory::kWidthFiveDn}));
}

TEST_F(SearchWindowTest, DoubleClickAnywhereOpensTheDetailsAndEnterSearches)
{
    // before any search, on empty space: the details command checks the fields as ever
    const wxPoint emptySpace(List()->GetSize().x / 2, List()->GetSize().y - 10);
    bool shown = false;
    wxUIActionSimulator& input = PointAt(List(), emptySpace);
    wxTEST_DIALOG(input.MouseDblClick();
                  PumpUntil([&] { return shown; }),
                  ExpectMessageBox("No search string selected.", "ERROR", wxICON_INFORMATION, &shown));
    EXPECT_TRUE(shown);

    // after a search, on an item and on empty space, without opening an editor
    Search("sn", "Smith", "cn");
    for (const wxPoint point : {ItemRect(1).GetPosition() + wxPoint(40, 5), emptySpace}) {
        DetailsShownHook hook([](CDetailsDialog& dialog) { dialog.EndModal(wxID_OK); });
        PointAt(List(), point).MouseDblClick();
        EXPECT_TRUE(PumpUntil([&] { return hook.Calls() == 1; }));
    }
    PumpFor(600);
    EXPECT_EQ(ListCells(), (Cells{{"Smith"}, {"Smithers"}}));

    // Ctrl+A selects every item; Enter runs Search, which here finds Width's two entries
    PointAt(List(), emptySpace);
    input.Char('a', wxMOD_CONTROL);
    EXPECT_TRUE(PumpUntil([&] { return List()->SelectedItems().size() == 2; }));
    SetField(ctl::kSearchString, "Width");
    input.Char(WXK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return ListCells() == Cells{{"Width Five"}, {"Width Four"}}; }));
}

TEST_F(SearchWindowTest, EditSortBySortsAsTheHeadingsDo)
{
    wxMenuBar* bar = Window().GetMenuBar();
    wxMenuEvent open(wxEVT_MENU_OPEN, 0, bar->GetMenu(menu_pos::kEdit));
    Window().ProcessWindowEvent(open);  // before any search: nothing to sort by
    EXPECT_FALSE(bar->IsEnabled(ToWxId(cmd::kSortBy)));
    Search("sn", "Width", "cn,telephoneNumber");
    Window().ProcessWindowEvent(open);
    const wxMenu* sortBy = bar->FindItem(ToWxId(cmd::kSortBy))->GetSubMenu();
    ASSERT_EQ(sortBy->GetMenuItemCount(), 2u);
    EXPECT_EQ(wxMenuItem::GetLabelText(sortBy->FindItemByPosition(1)->GetItemLabel()), "telephoneNumber");

    const Cells up = {{"Width Four", "111, 222"}, {"Width Five", "333"}};
    const Cells down = {{"Width Five", "333"}, {"Width Four", "111, 222"}};
    for (const Cells& expected : {up, down, up}) {
        wxCommandEvent choose(wxEVT_MENU, kSortColumnFirst + 1);
        Window().ProcessWindowEvent(choose);
        EXPECT_TRUE(List()->GetColumn(1)->IsSortKey());
        EXPECT_EQ(ListCells(), expected);
    }
}
