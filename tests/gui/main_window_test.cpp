// main_window_test.cpp - the main window's controls, menu, accelerators, texts, Enter, Tab and Escape.
#include <algorithm>

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "app/menus/main_menu.h"
#include "app/frame/main_window_template.h"
#include "localisation/text_keys.h"
#include "main_window_fixture.h"
#include "platform/apply_texts.h"
#include "search/attribute_list.h"
#include "search_window/result_list.h"

namespace {

/** Records every log message of any level while alive (the accelerator parser logs at debug level). */
struct CapturingLog : wxLog {
    CapturingLog() : previous(SetActiveTarget(this)), previousLevel(GetLogLevel()) { SetLogLevel(wxLOG_Max); }
    ~CapturingLog() override
    {
        SetLogLevel(previousLevel);
        SetActiveTarget(previous);
    }
    void DoLogRecord(wxLogLevel, const wxString& message, const wxLogRecordInfo&) override
    {
        messages.push_back(FromWx(message));
    }
    wxLog* previous;
    wxLogLevel previousLevel;
    std::vector<std::string> messages;
};

std::string Label(wxMenuItem* item)
{
    return FromWx(item->GetItemLabelText());
}

}  // namespace

TEST_F(MainWindowTest, MenuItemsHaveTheirTextsShortcutsAndStates)
{
    struct Row {
        int command;
        const char* text;
        const char* shortcut;
        bool enabled;
    };
    const Row rows[] = {
        {cmd::kNew, "New settings", "Ctrl+N", true},
        {cmd::kOpen, "Open settings", "Ctrl+O", true},
        {cmd::kSave, "Save settings", "Ctrl+S", true},
        {cmd::kSaveAs, "Save settings as...", "", true},
        {cmd::kClearRecent, "Clear", "", true},
        {cmd::kDeactivateRecent, "Deactivate", "", true},
        {cmd::kExit, "Exit", "Ctrl+Q", true},
        {cmd::kShowDetails, "Show details", "Ctrl+D", true},
        {cmd::kSearch, "Search", "Ctrl+F", true},
        {cmd::kExportResult, "Export result", "", true},
        {cmd::kOptionsDetails, "Select detail fields", "Ctrl+T", true},
        {cmd::kLanguage, "Language", "", true},
        {cmd::kHelp, "Help", "F1", true},
        {cmd::kInfo, "Info", "", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        wxMenuItem* item = Item(row.command);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(Label(item), row.text);
        EXPECT_EQ(Shortcut(item), row.shortcut);
        EXPECT_EQ(item->IsEnabled(), row.enabled);
    }

    wxMenuBar* bar = Window().GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 4u);
    const char* const titles[] = {"File", "Edit", "Options", "?"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(FromWx(bar->GetMenuLabelText(i)), titles[i]);
    }

    // File: four items, separator, Recent, separator, Exit; Recent: separator, Clear, Deactivate
    wxMenu* file = bar->GetMenu(0);
    ASSERT_EQ(file->GetMenuItemCount(), 8u);
    EXPECT_TRUE(file->FindItemByPosition(4)->IsSeparator());
    EXPECT_TRUE(file->FindItemByPosition(6)->IsSeparator());
    wxMenuItem* recent = file->FindItemByPosition(5);
    ASSERT_TRUE(recent->IsSubMenu());
    EXPECT_EQ(Label(recent), "Recent");
    wxMenu* recentMenu = recent->GetSubMenu();
    ASSERT_EQ(recentMenu->GetMenuItemCount(), 3u);
    EXPECT_TRUE(recentMenu->FindItemByPosition(0)->IsSeparator());
    EXPECT_TRUE(recentMenu->FindItemByPosition(2)->IsCheckable());
    EXPECT_FALSE(recentMenu->FindItemByPosition(2)->IsChecked());
}

TEST_F(MainWindowTest, AcceleratorTableMapsItsKeysToTheCommands)
{
    const wxAcceleratorTable* table = Window().GetAcceleratorTable();
    ASSERT_TRUE(table != nullptr && table->IsOk());
    struct Row {
        int key;
        bool ctrl;
        int command;  ///< -1: none
    };
    const Row rows[] = {{'N', true, cmd::kNew},         {'O', true, cmd::kOpen},           {'S', true, cmd::kSave},
                        {'Q', true, cmd::kExit},        {'T', true, cmd::kOptionsDetails}, {WXK_F1, false, cmd::kHelp},
                        {'D', true, cmd::kShowDetails}, {'F', true, cmd::kSearch},         {'N', false, -1}};
    for (const Row& row : rows) {
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = row.key;
        key.SetControlDown(row.ctrl);
        EXPECT_EQ(table->GetCommand(key), row.command < 0 ? -1 : ToWxId(row.command)) << row.key << row.ctrl;
    }
}

TEST_F(MainWindowTest, ControlsStartWithTheirDefaults)
{
    EXPECT_EQ(Title(), "Corvane LDAP");
    const std::pair<int, const char*> fields[] = {{ctl::kPort, "389"},
                                                  {ctl::kSearchAttribute, "telephoneNumber"},
                                                  {ctl::kResultAttribute, "cn"},
                                                  {ctl::kServer, ""},
                                                  {ctl::kBaseDn, ""},
                                                  {ctl::kPreselection, ""},
                                                  {ctl::kSearchString, ""}};
    for (const auto& [id, text] : fields) {
        EXPECT_EQ(FieldText(Window(), id), text) << id;
    }
    EXPECT_FALSE(Get<wxButton>(ctl::kDetails)->IsEnabled());
    EXPECT_TRUE(Get<wxButton>(ctl::kSearch)->IsEnabled());
    // labels carry the English texts, not the template's
    EXPECT_EQ(FromWx(Get<wxStaticText>(ctl::kServerLabel)->GetLabelText()), "LDAP server");
    EXPECT_EQ(Window().Language().Text(keys::kNoResult), "No result found for '%s'");
    EXPECT_EQ(Window().Profile().DetailAttributes(), DefaultDetailSlots());

    // result attribute list in template order, search attribute list sorted
    auto* result = Get<wxComboBox>(ctl::kResultAttribute);
    auto* search = Get<wxComboBox>(ctl::kSearchAttribute);
    ASSERT_EQ(result->GetCount(), 51u);
    ASSERT_EQ(search->GetCount(), 51u);
    std::vector<std::string> names;
    for (unsigned i = 0; i < 51; ++i) {
        EXPECT_EQ(FromWx(result->GetString(i)), AttributeNames()[i]);
        names.push_back(FromWx(search->GetString(i)));
    }
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return wxString(ToWx(a)).CmpNoCase(ToWx(b)) < 0;
    }));

    auto* list = Get<CResultList>(ctl::kResultList);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->HasFlag(wxDV_MULTIPLE));
    ASSERT_EQ(list->GetColumnCount(), 1u);
    EXPECT_EQ(list->Heading(0), "");
    // the toolkit gives the last column whatever space is left beside it
    EXPECT_GE(list->GetColumn(0)->GetWidth(), list->GetSize().x - 20);
    EXPECT_EQ(list->GetColumn(0)->GetRenderer()->GetMode(), wxDATAVIEW_CELL_EDITABLE);
}

TEST_F(MainWindowTest, LanguageTextsRelabelControlsMenusAndMessages)
{
    TempFolder folder;
    const std::string path = folder.File("LangLDAP_Test.ini");
    WriteBytes(path,
               "[header]\r\nFrmMain.m_BTNSearch=\"Suchen\"\r\nFrmMain.m_BTNDetails=\"\"\r\n"
               "FrmMain.m_LBLLDAPServer=\"Server & Port\"\r\nFrmMain.ID_MEN_SEARCH=\"Suchen\tStrg+F\"\r\n"
               "FrmMain.ID_MEN_HELP=\"Hilfe\"\r\nFrmMain.ID_MEN_SAVEAS=\"Sichern & schliessen\"\r\n"
               "FrmMain.ID_MEN_RECENT=\"Zuletzt\"\r\nFrmMain.ID_MEN_DEACTIVATE=\"Aus\"\r\n"
               "FrmMain.ID_MEN_FILE=\"Datei\"\r\nFrmMain.m_acMNoResult=\"Nichts zu '%s'\"\r\n");
    Item(cmd::kDeactivateRecent)->Check(true);
    {
        CapturingLog log;
        Window().Language().Apply(path);
        EXPECT_EQ(log.messages, std::vector<std::string>{});
    }
    EXPECT_EQ(Window().Language().File(), path);
    EXPECT_EQ(FromWx(Get<wxButton>(ctl::kSearch)->GetLabelText()), "Suchen");
    EXPECT_EQ(FromWx(Get<wxButton>(ctl::kDetails)->GetLabelText()), "Details");  // empty text: default
    EXPECT_EQ(FromWx(Get<wxStaticText>(ctl::kServerLabel)->GetLabelText()), "Server & Port");
    EXPECT_EQ(Window().Language().Text(keys::kNoResult), "Nichts zu '%s'");
    EXPECT_EQ(Window().Language().Text(keys::kError), "ERROR");

    wxMenuItem* search = Item(cmd::kSearch);
    EXPECT_EQ(Label(search), "Suchen");
    EXPECT_EQ(Shortcut(search), "Ctrl+F");
    EXPECT_EQ(Label(Item(cmd::kHelp)), "Hilfe");
    EXPECT_EQ(Label(Item(cmd::kSaveAs)), "Sichern & schliessen");
    EXPECT_EQ(FromWx(Window().GetMenuBar()->GetMenuLabelText(0)), "Datei");
    // relabelled items keep their submenu, check mark and shortcut
    wxMenuItem* recent = Window().GetMenuBar()->GetMenu(0)->FindItemByPosition(5);
    EXPECT_EQ(Label(recent), "Zuletzt");
    ASSERT_TRUE(recent->IsSubMenu());
    EXPECT_EQ(recent->GetSubMenu()->GetMenuItemCount(), 3u);
    EXPECT_EQ(Label(Item(cmd::kDeactivateRecent)), "Aus");
    EXPECT_TRUE(Item(cmd::kDeactivateRecent)->IsChecked());
    EXPECT_EQ(Shortcut(Item(cmd::kNew)), "Ctrl+N");

    // back to English: every text its default again
    Window().Language().Apply("");
    EXPECT_EQ(FromWx(Get<wxButton>(ctl::kSearch)->GetLabelText()), "Search");
    EXPECT_EQ(Label(search), "Search");
    EXPECT_EQ(Shortcut(search), "Ctrl+F");
}

TEST_F(MainWindowTest, TranslatedShortcutsNeverReachTheAcceleratorParser)
{
    const std::pair<const char*, const char*> rows[] = {
        // {text, shown}
        {"Suchen\tStrg+F", "Suchen"},
        {"Ouvrir\tCtrl+Maj+O", "Ouvrir"},
        {"Suchen\tStrg+\xC3\x9C", "Suchen (Strg+\xC3\x9C)"},
        {"Hilfe\tF1", "Hilfe"},
        {"Fin\tCtrl+", "Fin (Ctrl+)"},
        {"Leer\t", "Leer"},
        {"Zwei\tCtrl+Ctrl+X", "Zwei (Ctrl+Ctrl+X)"},
        {"Mehr\tF25", "Mehr (F25)"},
        {"A & B\tAlt+&", "A & B (Alt+&)"},
        {"Neu\tctrl+shift+n", "Neu"},
    };
    for (const auto& [text, shown] : rows) {
        SCOPED_TRACE(text);
        CapturingLog log;
        SetMenuItemText(Item(cmd::kSearch), text);
        EXPECT_EQ(log.messages, std::vector<std::string>{});
        EXPECT_EQ(Label(Item(cmd::kSearch)), shown);
    }
}

TEST_F(MainWindowTest, EnterInTheSearchStringFieldRunsSearch)
{
    // with an empty search string the search stops at its first check, which shows a message
    auto* field = Get<wxTextCtrl>(ctl::kSearchString);
    Window().Raise();
    field->SetFocus();
    PumpEvents();
    wxUIActionSimulator simulator;
    simulator.MouseMove(field->GetScreenRect().GetPosition() + wxPoint(5, 5));
    PumpEvents();
    field->SetFocus();
    PumpEvents();
    bool shown = false;
    wxTEST_DIALOG(simulator.Char(WXK_RETURN);
                  PumpUntil([&] { return shown; }),
                  ExpectMessageBox("No search string selected.", "ERROR", wxICON_INFORMATION, &shown));
    EXPECT_TRUE(shown);
}

TEST_F(MainWindowTest, EscapeKeepsTheWindowOpen)
{
    Get<wxTextCtrl>(ctl::kServer)->SetFocus();
    wxUIActionSimulator().Char(WXK_ESCAPE);
    for (int i = 0; i < 20; ++i) {
        PumpEvents();
        WaitBriefly();
    }
    ASSERT_TRUE(m_window);
    EXPECT_TRUE(Window().IsShown());
}

TEST_F(MainWindowTest, TabWalksTheFieldsInTheirVisualOrder)
{
    const std::vector<int> order = {
        ctl::kServer,          ctl::kPort,         ctl::kBaseDn, ctl::kResultAttribute, ctl::kPreselection,
        ctl::kSearchAttribute, ctl::kSearchString, ctl::kSwap,   ctl::kSearch,          ctl::kResultList};
    // The window's control that holds the focus: a part of a control (a combo box's entry)
    // counts as the control. A combo box's drop-down button takes a press of its own without
    // being a window of the toolkit's: wxID_NONE, passed over.
    wxPanel* panel = Window().Panel();
    const auto focusedControl = [panel] {
        for (wxWindow* window = wxWindow::FindFocus(); window != nullptr; window = window->GetParent()) {
            if (window->GetParent() == panel) {
                return window->GetId();
            }
        }
        return static_cast<int>(wxID_NONE);
    };

    // the keys go where the pointer is: over the first field, which has the focus
    auto* first = Get<wxTextCtrl>(ctl::kServer);
    Window().Raise();
    wxUIActionSimulator simulator;
    simulator.MouseMove(first->GetScreenRect().GetPosition() + wxPoint(5, 5));
    first->SetFocus();
    PumpUntil([&] { return focusedControl() == ctl::kServer; });

    std::vector<int> visited = {focusedControl()};
    // each press moves on by one place; a control's own parts take presses of their own
    for (int press = 0; press < 3 * static_cast<int>(order.size()) && visited.size() < order.size(); ++press) {
        wxWindow* before = wxWindow::FindFocus();
        simulator.Char(WXK_TAB);
        PumpUntil([&] { return wxWindow::FindFocus() != before; });
        const int control = focusedControl();
        if (control != wxID_NONE && control != visited.back()) {
            visited.push_back(control);
        }
    }
    EXPECT_EQ(visited, order);
}

TEST_F(MainWindowTest, ExitAndTheCloseBoxEndTheWindow)
{
    RunMenu(cmd::kExit);
    PumpEvents();
    EXPECT_FALSE(m_window);

    Open({});
    Window().Close();
    PumpEvents();
    EXPECT_FALSE(m_window);
}
