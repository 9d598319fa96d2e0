// help_menu_test.cpp - the "?" menu through the real main window: the documents and the update page handed to
// the desktop, and the about box with its texts, links, OK text and link fields.
#include <functional>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/stattext.h>

#include "app/fonts/font_settings.h"
#include "dialogs/about_dialog.h"
#include "dialogs/about_picture.h"
#include "dialogs/click_edit.h"
#include "dialogs/help_documents.h"
#include "main_window_fixture.h"
#include "maker_addresses.h"
#include "platform/shell.h"

namespace {

/** Records what would have been handed to the desktop while alive. */
struct ShellTargets {
    ShellTargets()
    {
        SetShellOpenHandler([this](const std::string& target) { opened.push_back(target); });
    }
    ~ShellTargets() { SetShellOpenHandler(nullptr); }
    std::vector<std::string> opened;
};

/** Answers the about box after check has looked at it (the box is never shown).
 */
class ExpectAbout : public wxExpectModalBase<CAboutDlg, ExpectAbout> {
public:
    explicit ExpectAbout(std::function<void(CAboutDlg&)> check) : m_check(std::move(check)) {}

protected:
    int OnInvoked(CAboutDlg* dialog) const override
    {
        m_check(*dialog);
        return CAboutDlg::kOkId;
    }

private:
    std::function<void(CAboutDlg&)> m_check;
};

std::string TextOf(wxWindow& dialog, int id)
{
    wxWindow* control = dialog.FindWindow(id);
    return control != nullptr ? FromWx(control->GetLabel()) : "<missing " + std::to_string(id) + ">";
}

void DoubleClick(wxWindow* control)
{
    wxMouseEvent event(wxEVT_LEFT_DCLICK);
    event.SetEventObject(control);
    control->ProcessWindowEvent(event);
}

}  // namespace

TEST_F(MainWindowTest, DocumentCommandsHandTheirFileOrAddressToTheDesktopOrSayWhatIsMissing)
{
    ShellTargets shell;
    const std::string folder = Window().Folders().program;
    // the documents are not beside the test program: each command names the file it lacks
    for (const auto& [command, file] : {std::pair{cmd::kHelp, "LDAP_English.html"},
                                        {cmd::kLicense, "LDAP_License.txt"},
                                        {cmd::kReadMe, "LDAP_ReadMe.txt"}}) {
        wxTEST_DIALOG(RunMenu(command), ExpectMessageBox("Cannot open " + folder + file, "ERROR", wxICON_ERROR));
    }
    RunMenu(cmd::kCheckUpdate);
    EXPECT_EQ(shell.opened, std::vector<std::string>{UpdateAddress()});
}

TEST_F(MainWindowTest, AboutBoxShowsItsFixedTextsLinksAndTheCurrentLanguagesOk)
{
    TempFolder folder;
    const std::string language = folder.File("LangLDAP_Deutsch.ini");
    WriteBytes(language,
               "FrmMain.m_sMBtnOK=\"Schlie\xC3\x9F"
               "en\"\r\n");
    Window().Language().Apply(language);
    Window().Fonts().SetFaceName("DejaVu Serif");

    ShellTargets shell;
    bool seen = false;
    const std::string mail = kMakerMailAddress;
    const std::string host = kMakerWebHost;
    const std::string team = "The Corvane LDAP team";
    wxTEST_DIALOG(RunMenu(cmd::kInfo), ExpectAbout([&](CAboutDlg& about) {
                      seen = true;
                      EXPECT_EQ(FromWx(about.GetTitle()), "Info");
                      EXPECT_EQ(TextOf(about, CAboutDlg::kOkId),
                                "Schlie\xC3\x9F"
                                "en");
                      const std::pair<int, std::string> labels[] = {
                          {1023, "Corvane LDAP"},
                          {1022, "Version 1.640 (30.04.2018)"},
                          {1024, "Copyright \xC2\xA9 2026 The Corvane LDAP authors"},
                          {1035, "French by:"},
                          {1036, "Greek by:"},
                          {1042, "Turkish by:"},
                      };
                      for (const auto& [id, text] : labels) {
                          EXPECT_EQ(TextOf(about, id), text) << id;
                      }
                      // every control in the program's face, the title in bold
                      for (const int id : {1023, 1022, 1035, 1027, CAboutDlg::kOkId}) {
                          EXPECT_EQ(FromWx(about.FindWindow(id)->GetFont().GetFaceName()), "DejaVu Serif") << id;
                      }
                      EXPECT_EQ(about.FindWindow(1023)->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
                      EXPECT_NE(about.FindWindow(1022)->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);

                      const struct {
                          int id;
                          std::string text, link;
                      } links[] = {
                          {1026, mail, "mailto:" + mail},
                          {1027, host, host},
                          {1029, team + " (" + mail + ")", "mailto:" + mail},
                          {1037, team + " (" + host + ")", "http://" + host},
                          {1043, team + " (" + mail + ")", "mailto:" + mail},
                      };
                      for (const auto& row : links) {
                          auto* field = dynamic_cast<CClickEdit*>(about.FindWindow(row.id));
                          ASSERT_NE(field, nullptr) << row.id;
                          EXPECT_EQ(FromWx(field->GetValue()), row.text) << row.id;
                          EXPECT_EQ(field->Link(), row.link) << row.id;
                          EXPECT_FALSE(field->IsEditable()) << row.id;
                          EXPECT_EQ(field->GetForegroundColour(), wxColour(0, 0, 255)) << row.id;
                          EXPECT_TRUE(field->GetCursor().IsOk()) << row.id;  // the hand, set with the link
                      }
                      EXPECT_FALSE(about.FindWindow(1035)->GetCursor().IsOk());

                      // a double click opens a link field's link; on a label it opens nothing
                      DoubleClick(about.FindWindow(1027));
                      DoubleClick(about.FindWindow(1043));
                      DoubleClick(about.FindWindow(1035));
                      DoubleClick(about.FindWindow(1023));
                  }));
    EXPECT_TRUE(seen);
    EXPECT_EQ(shell.opened, (std::vector<std::string>{host, "mailto:" + mail}));
}

TEST(ClickEdit, WithoutALinkADoubleClickOpensNothingAndTheCursorStaysTheFields)
{
    ShellTargets shell;
    wxFrame frame(nullptr, wxID_ANY, "frame");
    auto* field = new CClickEdit(&frame, 1029, wxDefaultPosition, wxDefaultSize);
    DoubleClick(field);
    field->SetLink("mailto:a@b.example");
    field->SetLink("");
    DoubleClick(field);
    EXPECT_FALSE(field->GetCursor().IsOk());
    EXPECT_TRUE(shell.opened.empty());
}

TEST(AboutPicture, KeepsItsSizeUpTo96DotsPerInchAndGrowsWithTheResolutionAbove)
{
    const struct {
        int dpi, width, height;
    } rows[] = {{72, 160, 99}, {96, 160, 99}, {120, 200, 123}, {144, 240, 148}};
    for (const auto& row : rows) {
        const wxBitmap picture = AboutPicture(row.dpi);
        EXPECT_EQ(picture.GetSize(), wxSize(row.width, row.height)) << row.dpi;
    }
}
