// bind_test.cpp - searching a directory that refuses anonymous searches from the window: the bind
// name of Options > Connection..., the password dialog shown under Xvfb, the password kept for the
// run and asked again after a refused bind, the title, the profile, and no password in any file.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include "dialogs/connection_dialog.h"
#include "search_window/password_dialog.h"
#include "search_window_fixture.h"

namespace {

namespace td = test_directory;

DirectoryServer& LoginServer()
{
    static DirectoryServer server(DirectoryServer::Config::Login);
    return server;
}

/** Answers Options > Connection... with a bind name. */
class EnterBindName : public wxExpectModalBase<CConnectionDlg, EnterBindName> {
public:
    explicit EnterBindName(std::string name) : m_name(std::move(name)) {}

protected:
    int OnInvoked(CConnectionDlg* dialog) const override
    {
        dialog->BindUserEdit()->ChangeValue(ToWx(m_name));
        return wxID_OK;
    }

private:
    std::string m_name;
};

/** Reads what Options > Connection... shows and, when given, ticks StartTLS and sets the cap. */
class SetConnectionOptions : public wxExpectModalBase<CConnectionDlg, SetConnectionOptions> {
public:
    SetConnectionOptions(bool* shownStartTls, int* shownCap, std::optional<std::pair<bool, int>> change = {})
        : m_shownStartTls(shownStartTls), m_shownCap(shownCap), m_change(change)
    {}

protected:
    int OnInvoked(CConnectionDlg* dialog) const override
    {
        *m_shownStartTls = dialog->StartTlsBox()->GetValue();
        *m_shownCap = dialog->EntryCapEdit()->GetValue();
        // the cap's spin control shows whole, however wide the toolkit draws it
        const wxRect cap = dialog->EntryCapEdit()->GetRect();
        EXPECT_GE(cap.width, dialog->EntryCapEdit()->GetBestSize().x);
        EXPECT_LT(cap.GetRight(), dialog->GetClientSize().x);
        if (!m_change) {
            return wxID_CANCEL;
        }
        dialog->StartTlsBox()->SetValue(m_change->first);
        dialog->EntryCapEdit()->SetValue(m_change->second);
        return wxID_OK;
    }

private:
    bool* m_shownStartTls;
    int* m_shownCap;
    std::optional<std::pair<bool, int>> m_change;
};

/** Reads the sign-in Options > Connection... shows and, when given, chooses another. */
class ChooseSignIn : public wxExpectModalBase<CConnectionDlg, ChooseSignIn> {
public:
    ChooseSignIn(std::optional<SignIn>* shown, std::optional<SignIn> change = {}) : m_shown(shown), m_change(change) {}

protected:
    int OnInvoked(CConnectionDlg* dialog) const override
    {
        m_shown->reset();
        for (SignIn signIn : {SignIn::Anonymous, SignIn::Password, SignIn::Kerberos}) {
            EXPECT_FALSE(dialog->SignInButton(signIn)->GetLabel().empty());
            if (dialog->SignInButton(signIn)->GetValue()) {
                *m_shown = signIn;
            }
        }
        if (!m_change) {
            return wxID_CANCEL;
        }
        dialog->SignInButton(*m_change)->SetValue(true);
        return wxID_OK;
    }

private:
    std::optional<SignIn>* m_shown;
    std::optional<SignIn> m_change;
};

/** Shows the password dialog, checks it, types the password into its masked edit and confirms (or cancels). */
class TypePassword : public wxExpectModalBase<CPasswordDlg, TypePassword> {
public:
    explicit TypePassword(std::string password, bool confirm = true, std::string* label = nullptr)
        : m_password(std::move(password)), m_confirm(confirm), m_label(label)
    {}

protected:
    int OnInvoked(CPasswordDlg* dialog) const override
    {
        dialog->Show();
        PumpEvents();
        EXPECT_TRUE(dialog->IsShownOnScreen());
        EXPECT_TRUE(dialog->PasswordEdit()->HasFlag(wxTE_PASSWORD));
        EXPECT_EQ(FromWx(dialog->GetTitle()), "Password");
        if (m_label != nullptr) {
            *m_label = FromWx(dialog->FindWindow(CPasswordDlg::kLabelId)->GetLabel());
        }
        dialog->PasswordEdit()->WriteText(ToWx(m_password));
        PumpEvents();
        dialog->Hide();
        return m_confirm ? wxID_OK : wxID_CANCEL;
    }

private:
    std::string m_password;
    bool m_confirm;
    std::string* m_label;
};

/// Every byte below folder (file names and contents).
std::string AllBytesBelow(const std::string& folder)
{
    std::string all;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        all += item.path().string() + "\n";
        if (item.is_regular_file()) {
            all += FileBytes(item.path().string());
        }
    }
    return all;
}

}  // namespace

/** The main window on the private server that answers only the reader. */
class BindWindowTest : public SearchWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoginServer().Running()) << LoginServer().Error();
        SearchWindowTest::SetUp();
        SetField(ctl::kPort, std::to_string(LoginServer().Port()));
    }

    void SetBindName(const std::string& name) { wxTEST_DIALOG(RunMenu(cmd::kConnection), EnterBindName(name)); }
    /// Searches sn=Smith for the telephone numbers; the password dialog must be answered by the caller.
    void SearchSmith() { Search("sn", "Smith", "telephoneNumber"); }

    const std::vector<std::vector<std::string>> m_smiths{{"123, 456"}, {"789"}};
    const std::string m_password = td::kReaderPassword;
    const std::string m_unencrypted = "The password travels unencrypted: use ldaps:// to protect it";
};

TEST_F(BindWindowTest, PasswordAskedOnceForTheRunAndAgainAfterARefusedBind)
{
    SetBindName(td::kReaderDn);
    EXPECT_EQ(Title(), std::string("Corvane LDAP (") + td::kReaderDn + ")");

    std::string label;
    wxTEST_DIALOG(SearchSmith(), TypePassword(m_password, true, &label));
    EXPECT_EQ(label, std::string("Password for ") + td::kReaderDn);
    EXPECT_EQ(ListCells(), m_smiths);
    EXPECT_EQ(Status(), "2 entries - " + m_unencrypted);
    SearchSmith();  // not asked again: any dialog would fail the test
    EXPECT_EQ(ListCells(), m_smiths);

    // Another address of the server is asked for on its own; a wrong password there is refused
    // and forgotten, so the next search asks again.
    SetField(ctl::kServer, "localhost");
    wxTEST_DIALOG(SearchSmith(), TypePassword("wrong"));
    const std::string refused =
        std::string("Search failed: the server refused the bind as '") + td::kReaderDn + "' (Invalid credentials)";
    std::string listed;  // the list shows the whole reason, in lines as wide as the list
    for (const std::vector<std::string>& item : ListCells()) {
        listed += (listed.empty() ? "" : " ") + item.at(0);
    }
    EXPECT_EQ(listed, refused);
    EXPECT_EQ(Status(), refused + " - " + m_unencrypted);
    wxRect warningField;  // the warning's own field shows it whole at the window's first width
    ASSERT_TRUE(Window().GetStatusBar()->GetFieldRect(1, warningField));
    EXPECT_GE(warningField.width, Window().GetStatusBar()->GetTextExtent(m_unencrypted).GetWidth());
    wxTEST_DIALOG(SearchSmith(), TypePassword(m_password));
    EXPECT_EQ(ListCells(), m_smiths);

    // Cancel runs no search; anonymous searches are refused.
    SetBindName("cn=nobody,dc=corvane,dc=test");
    wxTEST_DIALOG(SearchSmith(), TypePassword(m_password, false));
    EXPECT_TRUE(ListCells().empty());
    SetBindName("");
    EXPECT_EQ(Title(), "Corvane LDAP");
    // the refusal says where to set a bind name, and follows a change of language at once
    SearchSmith();
    const std::string reason = "Server is unwilling to perform (authentication required)";
    EXPECT_EQ(Status(),
              "Search failed: " + reason + " - The server wants a bind name: set one in Options > Connection...");
    TempFolder folder;
    WriteBytes(folder.File("de.ini"),
               "[header]\r\nFrmMain.m_acMSearchFailed=\"Suche fehlgeschlagen: %s\"\r\n"
               "FrmMain.m_acMNeedsBind=\"Bind-Name fehlt: %s\"\r\nFrmMain.ID_MEN_OPTIONS=\"Optionen\"\r\n"
               "FrmMain.ID_MEN_CONNECTION=\"Verbindung...\"\r\n");
    Window().Language().Apply(folder.File("de.ini"));
    EXPECT_EQ(Status(), "Suche fehlgeschlagen: " + reason + " - Bind-Name fehlt: Optionen > Verbindung...");
}

TEST_F(BindWindowTest, ProfileKeepsTheBindNameAndNoFileGetsThePassword)
{
    TempFolder folder;
    const std::string profile = folder.File("reader.cvl");
    SetBindName(td::kReaderDn);
    wxTEST_DIALOG(SearchSmith(), TypePassword(m_password));
    ASSERT_EQ(ListCells(), m_smiths);
    {
        FileDialogAnswers answers({profile});
        RunMenu(cmd::kSaveAs);
    }
    EXPECT_TRUE(
        FileBytes(profile).ends_with(std::string("  <BindUser>") + td::kReaderDn + "</BindUser>\r\n</InitFile>\r\n"));

    RunMenu(cmd::kNew);
    EXPECT_EQ(Window().Profile().BindUser(), "");
    EXPECT_EQ(Title(), "Corvane LDAP");
    ASSERT_TRUE(Window().Profile().Load(profile));
    EXPECT_EQ(Window().Profile().BindUser(), td::kReaderDn);
    EXPECT_EQ(Title(), std::string("Corvane LDAP - reader.cvl (") + td::kReaderDn + ")");

    // The window closes as the user closes it, with everything it writes then; afterwards no file
    // of the run holds the password: the settings, data and cache folders, and the profile's.
    CloseWindow();
    for (const std::string& place : {std::string(std::getenv("HOME")), folder.Path()}) {
        EXPECT_EQ(AllBytesBelow(place).find(m_password), std::string::npos) << place;
    }
}

TEST_F(SearchWindowTest, ConnectionOptionsGoIntoTheProfileOnlyWhenSetAndComeBackWithIt)
{
    TempFolder folder;
    bool startTls = true;
    int cap = 0;
    wxTEST_DIALOG(RunMenu(cmd::kConnection), SetConnectionOptions(&startTls, &cap, std::pair{true, 100000}));
    EXPECT_FALSE(startTls);
    EXPECT_EQ(cap, 1000);
    const std::string profile = folder.File("paged.cvl");
    ASSERT_TRUE(Window().Profile().SaveTo(profile));
    EXPECT_TRUE(
        FileBytes(profile).ends_with("  <StartTLS>1</StartTLS>\r\n  <EntryCap>100000</EntryCap>\r\n</InitFile>\r\n"));

    RunMenu(cmd::kNew);
    wxTEST_DIALOG(RunMenu(cmd::kConnection), SetConnectionOptions(&startTls, &cap));
    EXPECT_FALSE(startTls);
    EXPECT_EQ(cap, 1000);
    ASSERT_TRUE(Window().Profile().Load(profile));
    wxTEST_DIALOG(RunMenu(cmd::kConnection), SetConnectionOptions(&startTls, &cap, std::pair{false, 1000}));
    EXPECT_TRUE(startTls);
    EXPECT_EQ(cap, 100000);
    // Back at the defaults, the profile is written as one without the two keys.
    ASSERT_TRUE(Window().Profile().SaveTo(profile));
    EXPECT_EQ(FileBytes(profile).find("StartTLS"), std::string::npos);
    EXPECT_EQ(FileBytes(profile).find("EntryCap"), std::string::npos);
}

TEST_F(SearchWindowTest, SignInChoiceGoesIntoTheProfileAndComesBackWithIt)
{
    TempFolder folder;
    std::optional<SignIn> shown;
    wxTEST_DIALOG(RunMenu(cmd::kConnection), ChooseSignIn(&shown, SignIn::Kerberos));
    EXPECT_EQ(shown, SignIn::Anonymous);  // no bind name: anonymous, as always
    const std::string profile = folder.File("ticket.cvl");
    ASSERT_TRUE(Window().Profile().SaveTo(profile));
    EXPECT_TRUE(FileBytes(profile).ends_with("  <SignIn>kerberos</SignIn>\r\n</InitFile>\r\n"));

    RunMenu(cmd::kNew);
    wxTEST_DIALOG(RunMenu(cmd::kConnection), ChooseSignIn(&shown));
    EXPECT_EQ(shown, SignIn::Anonymous);
    ASSERT_TRUE(Window().Profile().Load(profile));
    wxTEST_DIALOG(RunMenu(cmd::kConnection), ChooseSignIn(&shown, SignIn::Anonymous));
    EXPECT_EQ(shown, SignIn::Kerberos);
    ASSERT_TRUE(Window().Profile().SaveTo(profile));
    EXPECT_EQ(FileBytes(profile).find("SignIn"), std::string::npos);
}
