// app_shell_test.cpp - the application shell through real windows, each "restart" a new main
// window: LDAP.ini (window position, recent list, Deactivate), SavePath.ini, Installation.ini,
// the document menu items, the layout on resizing, and the result icons' resolution.
#include <filesystem>
#include <memory>

#include <wx/button.h>
#include <wx/panel.h>
#include <wx/stattext.h>

#include "app/fonts/font_settings.h"
#include "app/frame/main_window_template.h"
#include "gui_test_support.h"
#include "main_window_fixture.h"
#include "platform/folders.h"
#include "platform/screen.h"
#include "search_window/result_list.h"
#include "storage/recent_list.h"

namespace fs = std::filesystem;

namespace {

using Strings = std::vector<std::string>;
const char kHeader[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n";

std::string Entry(const std::string& key, const std::string& value)
{
    return "  <" + key + ">" + value + "</" + key + ">\r\n";
}

std::string SettingsBytes(const std::string& entries)
{
    return kHeader + entries + "</InitFile>\r\n";
}

}  // namespace

/**
 * Main windows started the program's way (ShowAtStart) in a clean setting: XDG_CONFIG_HOME, the
 * all-users folder and the program folder (reached through a link in bin/) in a temporary folder.
 */
class AppShellTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        m_savedConfig = std::getenv("XDG_CONFIG_HOME");
        m_savedAllUsers = AllUsersDataFolder();
        setenv("XDG_CONFIG_HOME", m_root.File("config").c_str(), 1);
        SetDataFolderOverrides("", m_root.File("all-users"));
        fs::create_directories(ProgramFolder());
        fs::create_directories(m_root.File("bin"));
        WriteBytes(ProgramFolder() + "corvane-ldap", "");
        fs::create_symlink("../program/corvane-ldap", m_root.File("bin/corvane-ldap"));
        SetProgramPathOverride(m_root.File("bin/corvane-ldap"));
        m_startFolder = CurrentFolder();
    }
    void TearDown() override
    {
        CloseWindow();
        SetProgramPathOverride("");
        SetDataFolderOverrides("", m_savedAllUsers);
        setenv("XDG_CONFIG_HOME", m_savedConfig.c_str(), 1);
        SetCurrentFolder(m_startFolder);
    }

    /// A new main window as the program starts one.
    void Start(const Strings& args = {})
    {
        CloseWindow();
        m_window = new CLDAPDlg(args);
        m_window->ShowAtStart();
        PumpEvents();
    }
    /// Closes the window the user's way, which saves LDAP.ini.
    void Quit()
    {
        RunMenu(cmd::kExit);
        PumpUntil([this] { return !m_window; });
        ASSERT_FALSE(m_window);
    }
    std::string ProgramFolder() const { return m_root.File("program/"); }
    std::string SettingsPath() const { return m_root.File("config/Corvane/LDAP/LDAP.ini"); }
    std::string Profile(const std::string& name)
    {
        const std::string path = m_root.File(name);
        WriteBytes(path, SettingsBytes(Entry("LDAPServer", name)));
        return path;
    }
    Strings RecentLabels()
    {
        wxMenu* recent = m_window->GetMenuBar()->GetMenu(0)->FindItemByPosition(5)->GetSubMenu();
        Strings labels;
        for (size_t i = 0; i + 3 < recent->GetMenuItemCount(); ++i) {
            wxMenuItem* item = recent->FindItemByPosition(i);
            EXPECT_EQ(FromWxId(item->GetId()), cmd::kRecentFirst + 1 + static_cast<int>(i));
            labels.push_back(FromWx(item->GetItemLabelText()));
        }
        return labels;
    }
    wxRect Rect(int id) { return m_window->FindWindow(id)->GetRect(); }

    TempFolder m_root;
    std::string m_savedConfig;
    std::string m_savedAllUsers;
    std::string m_startFolder;
};

TEST_F(AppShellTest, WindowPositionRoundTripsAndUnusableOnesAreIgnored)
{
    Start();
    EXPECT_FALSE(fs::exists(SettingsPath()));  // written at the first close only
    Quit();
    ASSERT_TRUE(fs::exists(SettingsPath()));

    WriteBytes(SettingsPath(), SettingsBytes(Entry("WinPos", "100;50;900;650")));
    Start();
    EXPECT_EQ(Window().GetRect(), wxRect(100, 50, 800, 600));
    Quit();
    EXPECT_NE(FileBytes(SettingsPath()).find(Entry("WinPos", "100;50;900;650")), std::string::npos);

    for (const char* unusable : {"3000;50;3800;650", "100;50;900", "-10;50;900;650"}) {
        WriteBytes(SettingsPath(), SettingsBytes(Entry("WinPos", unusable)));
        Start();
        const wxRect rect = Window().GetRect();
        EXPECT_TRUE(rect.x < 1280 && rect.y < 1024 && rect.width < 800) << unusable;
    }
}

TEST_F(AppShellTest, RecentListKeepsItsOrderAcrossARestart)
{
    const std::string p = Profile("P.cvl"), q = Profile("Q & R.cvl"), r = Profile("R.cvl");
    Start();
    for (const std::string& path : {p, q, r}) {
        Window().Profile().Load(path);
    }
    EXPECT_EQ(RecentLabels(), (Strings{r, q, p}));
    RunMenu(cmd::kRecentFirst + 3);  // the third entry, P, chosen by its own command
    EXPECT_EQ(Window().Profile().Path(), p);
    EXPECT_EQ(RecentLabels(), (Strings{p, r, q}));
    Quit();

    Start();
    EXPECT_EQ(RecentLabels(), (Strings{p, r, q}));
    fs::remove(r);
    RunMenu(cmd::kRecentFirst + 2);  // a deleted file: nothing happens, the entry stays
    EXPECT_EQ(Window().Profile().Path(), "");
    EXPECT_EQ(RecentLabels(), (Strings{p, r, q}));
    Quit();

    Start();  // the deleted profile is dropped at start-up
    EXPECT_EQ(RecentLabels(), (Strings{p, q}));
}

TEST_F(AppShellTest, DeactivateAndClearSurviveARestart)
{
    const std::string p = Profile("P.cvl"), q = Profile("Q.cvl");
    Start({p});
    RunMenu(cmd::kDeactivateRecent);
    Window().Profile().Load(q);
    EXPECT_EQ(RecentLabels(), (Strings{p}));
    Quit();

    Start();
    EXPECT_TRUE(Item(cmd::kDeactivateRecent)->IsChecked());
    EXPECT_EQ(RecentLabels(), (Strings{p}));
    RunMenu(cmd::kClearRecent);
    EXPECT_EQ(RecentLabels(), Strings{});
    Quit();
    EXPECT_EQ(FileBytes(SettingsPath()).find("<Recent>"), std::string::npos);

    Start();
    EXPECT_EQ(RecentLabels(), Strings{});
    EXPECT_TRUE(Item(cmd::kDeactivateRecent)->IsChecked());
}

TEST_F(AppShellTest, SavePathMovesTheStorageAndTheCommandLineKeepsItsFolder)
{
    fs::create_directories(ProgramFolder() + "data");
    WriteBytes(ProgramFolder() + "SavePath.ini", "ApplicationStorage=\"data\"\r\n");
    const std::string profile = Profile("P.cvl");
    SetCurrentFolder(m_root.Path());
    Start({"P.cvl"});  // relative to the folder the program was started in
    EXPECT_EQ(Window().Profile().Path(), profile);
    EXPECT_EQ(Window().Folders().storage, ProgramFolder() + "data/");
    EXPECT_EQ(CurrentFolder() + "/", ProgramFolder());
    Quit();
    EXPECT_TRUE(fs::exists(ProgramFolder() + "data/LDAP.ini"));
    EXPECT_FALSE(fs::exists(m_root.File("config/Corvane")));
    EXPECT_FALSE(fs::exists(m_root.File("all-users/Corvane")));

    // a folder that does not exist: the per-user folder, as without the file
    WriteBytes(ProgramFolder() + "SavePath.ini", "ApplicationStorage=\"missing\"\r\n");
    Start();
    EXPECT_EQ(Window().Folders().storage, m_root.File("config/Corvane/LDAP/"));
}

TEST_F(AppShellTest, InstallationIsRecordedOncePerVersion)
{
    const std::string path = m_root.File("all-users/Corvane/LDAP/Installation.ini");
    Start();
    const std::string first = FileBytes(path);
    const std::string head = "InstallationDirectory=\"" + ProgramFolder() +
                             "\"\r\nLanguageFile=\"LDAP_Languages.ini\"\r\nIniFile=\"LDAP.ini\"\r\n"
                             "Version=\"Version 1.640 (30.04.2018)\"\r\nInstallDate=\"";
    ASSERT_EQ(first.substr(0, head.size()), head);
    EXPECT_EQ(first.size(), head.size() + 19 + 3);  // "YYYY-MM-DD hh:mm:ss" and its end

    WriteBytes(path, "Version=\"Version 1.640 (30.04.2018)\"\r\nInstallDate=\"kept\"\r\n");
    Start();
    EXPECT_EQ(FileBytes(path), "Version=\"Version 1.640 (30.04.2018)\"\r\nInstallDate=\"kept\"\r\n");
    WriteBytes(path, "Version=\"Version 1.639\"\r\n");
    Start();
    EXPECT_EQ(FileBytes(path).substr(0, head.size()), head);
}

TEST_F(AppShellTest, DocumentItemsNeedTheirFiles)
{
    Start();
    for (const int command : {cmd::kLicense, cmd::kReadMe, cmd::kCheckUpdate}) {
        EXPECT_EQ(Item(command), nullptr) << command;
    }
    WriteBytes(ProgramFolder() + "LDAP_License.txt", "licence");
    Start();
    EXPECT_NE(Item(cmd::kLicense), nullptr);
    EXPECT_EQ(Item(cmd::kReadMe), nullptr);
    EXPECT_EQ(Item(cmd::kCheckUpdate), nullptr);
    WriteBytes(ProgramFolder() + "LDAP_ReadMe.txt", "changes");
    Start();
    for (const int command : {cmd::kLicense, cmd::kReadMe, cmd::kCheckUpdate}) {
        EXPECT_NE(Item(command), nullptr) << command;
    }
}

TEST_F(AppShellTest, ControlsFollowTheWindowSize)
{
    Start();
    Window().SetClientSize(800, 600);
    PumpEvents();
    const wxSize client = Window().Panel()->GetClientSize();
    ASSERT_EQ(client.x, 800);
    EXPECT_EQ(Rect(ctl::kServer).GetRight() + 1, 400);
    EXPECT_EQ(Rect(ctl::kPortLabel).x, 405);
    EXPECT_EQ(Rect(ctl::kResultAttribute).GetRight() + 1, 795);
    EXPECT_EQ(Rect(ctl::kSearchAttribute).GetRight() + 1, 795);
    EXPECT_EQ(Rect(ctl::kSearch).GetRight() + 1, 795);
    const wxRect list = Rect(ctl::kResultList);
    EXPECT_EQ(list.GetBottom() + 1, client.y - 1);
    auto* listView = dynamic_cast<CResultList*>(Window().FindWindow(ctl::kResultList));
    EXPECT_EQ(listView->ColumnWidth(), list.width - 20);

    // no two controls overlap, and none is cut below what its content needs
    std::vector<wxWindow*> controls;
    for (const TemplateControl& control : MainWindowTemplate()) {
        if (control.kind != ControlKind::Picture) {
            controls.push_back(Window().FindWindow(control.id));
        }
    }
    for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i]->GetRect().Intersects(controls[j]->GetRect()))
                << controls[i]->GetId() << " " << controls[j]->GetId();
        }
        const bool hasText =
            dynamic_cast<wxStaticText*>(controls[i]) != nullptr || dynamic_cast<wxButton*>(controls[i]) != nullptr;
        if (hasText) {
            EXPECT_GE(controls[i]->GetSize().x, controls[i]->GetBestSize().x) << controls[i]->GetId();
        }
    }

    // too small: the toolkit's minimum holds each side, at least 550 by 390
    EXPECT_GE(Window().GetMinSize().y, 390);
    Window().SetSize(400, 500);
    PumpEvents();
    EXPECT_EQ(Window().GetSize(), wxSize(550, 500));
    Window().SetSize(600, 300);
    PumpEvents();
    EXPECT_EQ(Window().GetSize(), wxSize(600, Window().GetMinSize().y));
    EXPECT_GT(Rect(ctl::kResultList).height, 0);
}

TEST_F(AppShellTest, ResultIconsFollowTheScreenResolution)
{
    SetScreenDpiOverride(144);
    Start();
    SetScreenDpiOverride(0);
    const wxBitmapBundle& icon = dynamic_cast<CResultList*>(Window().FindWindow(ctl::kResultList))->ItemIcon();
    ASSERT_TRUE(icon.IsOk());
    EXPECT_EQ(icon.GetDefaultSize(), wxSize(30, 30));
}

TEST_F(AppShellTest, FontValuesAreAppliedWhenAskedForAndAlwaysWrittenBack)
{
    const std::string longName = "Some Face Name That Is Far Too Long";
    fs::create_directories(m_root.File("config/Corvane/LDAP"));
    WriteBytes(SettingsPath(), SettingsBytes(Entry("UseFontSettings", "1") + Entry("FontDefName", longName) +
                                             Entry("FontDefCharset", "204") + Entry("FontDefHeight", "-40") +
                                             Entry("FontDefPitch", "49")));
    Start();
    const int32_t ownHeight = Window().Fonts().Height();
    EXPECT_EQ(Window().Fonts().FaceName(), longName.substr(0, 31));
    EXPECT_EQ(Window().Fonts().CharSet(), 204);
    EXPECT_NE(ownHeight, -40);  // heights are taken over only with UseFontHeight
    EXPECT_EQ(Window().Fonts().PitchAndFamily(), 49);
    Quit();
    const std::string written = FileBytes(SettingsPath());
    for (const std::string& entry : {Entry("FontDefName", longName.substr(0, 31)), Entry("FontDefCharset", "204"),
                                     Entry("FontDefHeight", std::to_string(ownHeight)), Entry("FontDefPitch", "49")}) {
        EXPECT_NE(written.find(entry), std::string::npos) << entry;
    }

    // font settings off: the stored values are not read, yet the definition is written at close
    WriteBytes(SettingsPath(), SettingsBytes(Entry("UseFontSettings", "0") + Entry("FontDefName", "Unused")));
    Start();
    const std::string face = Window().Fonts().FaceName();
    EXPECT_NE(face, "Unused");
    Quit();
    EXPECT_NE(FileBytes(SettingsPath()).find(Entry("FontDefName", face)), std::string::npos);
}
