// language_test.cpp - the language at start-up, the language dialog, the windows that follow the
// language chosen, and "--ENGLISH".
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/frame/main_window_template.h"
#include "dialogs/detail_fields_dialog.h"
#include "dialogs/language_dialog.h"
#include "language_window_fixture.h"
#include "localisation/text_keys.h"
#include "search_window/details_dialog.h"
#include "search_window/search_commands.h"

namespace {

const char* const kGerman =
    "[LDAP_CLDAPDlg]\r\nFrmMain.m_BTNSearch=\"Suchen\"\r\nFrmMain.ID_MEN_FILE=\"Datei\"\r\n"
    "FrmMain.ID_MEN_SEARCH=\"Suchen\tStrg+F\"\r\nFrmMain.m_acMNoResult=\"Nichts f\xC3\xBCr '%s'\"\r\n"
    "FrmLanguage.Caption=\"Sprache w\xC3\xA4hlen\"\r\nFrmLanguage.m_BTNCancel=\"Abbrechen\"\r\n"
    "FrmOptions.Caption=\"Detailfelder\"\r\nFrmOptions.m_BTNAdd=\"Hinzuf\xC3\xBCgen\"\r\n"
    "FrmDetails.ID_MEN_DLGFILE=\"Datei\"\r\nFrmDetails.m_BTNOk=\"Gut\"\r\n";
const char* const kFrench = "FrmMain.m_BTNSearch=\"Rechercher\"\r\nFrmLanguage.Caption=\"Choix de la langue\"\r\n";

std::string Entry(const std::string& name, const std::string& file, const std::string& locale)
{
    return "LanguageName=\"" + name + "\"\r\nLanguageFile=\"" + file + "\"\r\nLanguageLocale=\"" + locale + "\"\r\n";
}

const std::string kCatalogue = Entry("Deutsch", "de.ini", "de") + Entry(
                                                                      "Fran\xC3\xA7"
                                                                      "ais",
                                                                      "fr.ini", "fr");

using LanguageDialogAnswer = AnswerDialog<CLanguageDlg>;
using DetailFieldsAnswer = AnswerDialog<COptionDetailsDlg>;

std::vector<std::string> Entries(wxChoice* list)
{
    std::vector<std::string> names;
    for (unsigned i = 0; i < list->GetCount(); ++i) {
        names.push_back(FromWx(list->GetString(i)));
    }
    return names;
}

std::string LabelOf(wxWindow* window)
{
    return window ? FromWx(window->GetLabel()) : "<none>";
}

}  // namespace

class LanguageTest : public LanguageWindowTest {
protected:
    void WriteLanguages(const std::string& catalogueHead = "")
    {
        WriteProgramFile("LDAP_Languages.ini", catalogueHead + kCatalogue);
        WriteProgramFile("de.ini", kGerman);
        WriteProgramFile("fr.ini", kFrench);
    }
    std::string SearchLabel() { return LabelOf(Window().FindWindow(ctl::kSearch)); }

    /// Options > Language, answered by act.
    void ChooseLanguage(std::function<int(CLanguageDlg&)> act)
    {
        wxTEST_DIALOG(RunMenu(cmd::kLanguage), LanguageDialogAnswer(std::move(act)));
    }
    /// Options > Language with entry index selected and OK.
    void ChooseLanguage(int index)
    {
        ChooseLanguage([index](CLanguageDlg& dialog) {
            dialog.SelectEntry(index);
            return wxID_OK;
        });
    }
};

TEST_F(LanguageTest, StartUpTakesTheDefaultElseTheDesktopLanguageElseEnglish)
{
    struct Case {
        const char* name;
        std::string catalogueHead;  ///< "-": no catalogue at all
        const char* lang;
        const char* language;
        const char* file;
        const char* search;
    };
    const Case cases[] = {
        {"no catalogue", "-", "de_DE.UTF-8", "", "", "Search"},
        {"desktop language", "", "de_DE.UTF-8", "Deutsch", "de.ini", "Suchen"},
        {"default before desktop",
         "LanguageDefault=\"Fran\xC3\xA7"
         "ais\"\r\n",
         "de_DE.UTF-8",
         "Fran\xC3\xA7"
         "ais",
         "fr.ini", "Rechercher"},
        {"no match", "LanguageDefault=\"Italiano\"\r\n", "it_IT.UTF-8", "", "", "Search"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(ProgramFile("LDAP_Languages.ini").c_str());
        if (std::string(c.catalogueHead) != "-") {
            WriteLanguages(c.catalogueHead);
        }
        setenv("LANG", c.lang, 1);
        Open({});
        EXPECT_EQ(Window().Language().Name(), c.language);
        EXPECT_EQ(Window().Language().File(), *c.file ? ProgramFile(c.file) : "");
        EXPECT_FALSE(Window().Language().Chosen());  // a language taken from the desktop is not chosen
        EXPECT_EQ(SearchLabel(), c.search);
        // without a language the messages are the English ones, never empty
        EXPECT_FALSE(Window().Language().Text(keys::kNoResult).empty());
        EXPECT_EQ(LabelOf(Window().FindWindow(ctl::kServerLabel)), "LDAP server");
    }
}

TEST_F(LanguageTest, DialogListsPreselectsPreviewsAndCancelChangesNothing)
{
    WriteLanguages();
    setenv("LANG", "de_DE.UTF-8", 1);
    Open({});
    ChooseLanguage([](CLanguageDlg& dialog) {
        EXPECT_EQ(Entries(dialog.List()), (std::vector<std::string>{"English", "Deutsch",
                                                                    "Fran\xC3\xA7"
                                                                    "ais"}));
        EXPECT_EQ(dialog.List()->GetSelection(), 1);
        EXPECT_EQ(FromWx(dialog.GetTitle()), "Sprache w\xC3\xA4hlen");
        EXPECT_EQ(LabelOf(dialog.FindWindow(wxID_CANCEL)), "Abbrechen");
        EXPECT_EQ(LabelOf(dialog.FindWindow(CLanguageDlg::kLabelId)), "Current language:");

        // a selection change previews the selected language on the dialog only
        dialog.List()->SetSelection(2);
        wxCommandEvent change(wxEVT_CHOICE, CLanguageDlg::kListId);
        change.SetInt(2);
        change.SetEventObject(dialog.List());
        dialog.List()->ProcessWindowEvent(change);
        EXPECT_EQ(FromWx(dialog.GetTitle()), "Choix de la langue");
        EXPECT_EQ(LabelOf(dialog.FindWindow(wxID_CANCEL)), "Cancel");
        EXPECT_EQ(dialog.SelectedLanguageName(),
                  "Fran\xC3\xA7"
                  "ais");
        dialog.SelectEntry(0);
        EXPECT_EQ(FromWx(dialog.GetTitle()), "Select language");
        EXPECT_EQ(dialog.SelectedLanguageFile(), "");
        return wxID_CANCEL;
    });
    EXPECT_EQ(Window().Language().Name(), "Deutsch");
    EXPECT_EQ(Window().Language().File(), ProgramFile("de.ini"));
    EXPECT_FALSE(Window().Language().Chosen());
    EXPECT_EQ(SearchLabel(), "Suchen");
}

TEST_F(LanguageTest, OkRelabelsTheWindowAndItsMenusAtOnce)
{
    WriteLanguages();
    Open({});
    ASSERT_EQ(Window().Language().Name(), "");
    ChooseLanguage(1);
    EXPECT_EQ(Window().Language().Name(), "Deutsch");
    EXPECT_EQ(Window().Language().File(), ProgramFile("de.ini"));
    EXPECT_TRUE(Window().Language().Chosen());
    EXPECT_EQ(SearchLabel(), "Suchen");
    EXPECT_EQ(FromWx(Window().GetMenuBar()->GetMenuLabelText(0)), "Datei");
    EXPECT_EQ(FromWx(Item(cmd::kSearch)->GetItemLabelText()), "Suchen");
    EXPECT_EQ(Window().Language().Text(keys::kNoResult), "Nichts f\xC3\xBCr '%s'");
    // the shortcut stands in the shortcut column and works through the accelerator table
    wxKeyEvent ctrlF(wxEVT_KEY_DOWN);
    ctrlF.m_keyCode = 'F';
    ctrlF.SetControlDown(true);
    EXPECT_EQ(Window().GetAcceleratorTable()->GetCommand(ctrlF), ToWxId(cmd::kSearch));

    // OK without a change keeps the language; the built-in English leaves no language file current
    ChooseLanguage([](CLanguageDlg&) { return wxID_OK; });
    EXPECT_EQ(Window().Language().File(), ProgramFile("de.ini"));
    ChooseLanguage(0);
    EXPECT_EQ(Window().Language().Name(), "English");
    EXPECT_EQ(Window().Language().File(), "");
    EXPECT_EQ(SearchLabel(), "Search");
    EXPECT_EQ(FromWx(Item(cmd::kSearch)->GetItemLabelText()), "Search");
}

TEST_F(LanguageTest, DialogsOpenedAfterALanguageChangeFollowIt)
{
    WriteLanguages();
    Open({});
    ChooseLanguage(1);

    wxTEST_DIALOG(RunMenu(cmd::kOptionsDetails), DetailFieldsAnswer([](COptionDetailsDlg& dialog) {
                      EXPECT_EQ(FromWx(dialog.GetTitle()), "Detailfelder");
                      EXPECT_EQ(LabelOf(dialog.FindWindow(COptionDetailsDlg::kAddId)), "Hinzuf\xC3\xBCgen");
                      EXPECT_EQ(LabelOf(dialog.FindWindow(COptionDetailsDlg::kClearId)), "Delete");
                      return wxID_CANCEL;
                  }));

    // the details window of a search that reaches no server
    std::vector<std::string> texts;
    CDetailsDialog::SetShownHook([&](CDetailsDialog& dialog) {
        texts = {FromWx(dialog.GetMenuBar()->GetMenuLabelText(0)), FromWx(dialog.OkButton()->GetLabelText())};
        dialog.EndModal(wxID_OK);
    });
    SearchInput input{"127.0.0.1", 1, "dc=none", "sn", "cn", "x", ""};
    Window().Commands().ShowDetails(input);
    WaitForQuery();
    CDetailsDialog::SetShownHook(nullptr);
    EXPECT_EQ(texts, (std::vector<std::string>{"Datei", "Gut"}));
}

TEST_F(LanguageTest, EnglishOptionWritesTheEnglishFileAndKeepsTheLanguage)
{
    WriteLanguages();
    setenv("LANG", "de_DE.UTF-8", 1);
    WriteProgramFile("LangLDAP_English.ini", "old\r\n");
    Open({"--ENGLISH"});
    EXPECT_EQ(SearchLabel(), "Suchen");
    EXPECT_EQ(Window().Language().Name(), "Deutsch");
    const std::string english = FileBytes(ProgramFile("LangLDAP_English.ini"));
    EXPECT_TRUE(english.starts_with("[LDAP_CLDAPDlg - Version 1.640 (30.04.2018)]\r\n")) << english;
    EXPECT_NE(english.find("\r\nFrmMain.m_BTNSearch=\"Search\"\r\n"), std::string::npos);
    EXPECT_EQ(english.find("Suchen"), std::string::npos);
    EXPECT_EQ(english.find("old\r\n"), std::string::npos);  // the old line, not a word holding "old"
}

TEST_F(LanguageTest, DetailFieldsDialogEditsTheListInPlace)
{
    Open({});
    struct Case {
        const char* name;
        std::function<void(COptionDetailsDlg&)> act;
        int answer;
        std::vector<std::string> list;  ///< detailAttributes up to the first empty slot afterwards
    };
    const std::vector<std::string> start = DetailList(DefaultDetailSlots());
    auto withMail = start;
    withMail.push_back("mail");
    auto withMailAndSn = withMail;
    withMailAndSn.push_back("sn");
    const auto type = [](COptionDetailsDlg& dialog, const char* name) {
        dialog.NameBox()->SetValue(name);
        wxCommandEvent click(wxEVT_BUTTON, COptionDetailsDlg::kAddId);
        dialog.FindWindow(COptionDetailsDlg::kAddId)->ProcessWindowEvent(click);
    };
    const auto clear = [](COptionDetailsDlg& dialog) {
        wxCommandEvent click(wxEVT_BUTTON, COptionDetailsDlg::kClearId);
        dialog.FindWindow(COptionDetailsDlg::kClearId)->ProcessWindowEvent(click);
    };
    const Case cases[] = {
        {"opening shows the list",
         [](COptionDetailsDlg& dialog) {
             EXPECT_EQ(FromWx(dialog.ListEdit()->GetValue()),
                       "cn\nCompany\npostalAddress\npostalCode\nl\nst\nphysicalDeliveryOfficeName\ntelephoneNumber");
             EXPECT_EQ(dialog.NameBox()->GetCount(), 51u);
             EXPECT_EQ(FromWx(dialog.GetTitle()), "Fields for detail view");
         },
         wxID_OK, start},
        {"add of nothing", [&](COptionDetailsDlg& dialog) { type(dialog, ""); }, wxID_OK, start},
        {"typed name, as typed", [&](COptionDetailsDlg& dialog) { type(dialog, "mail"); }, wxID_OK, withMail},
        {"cancel keeps the list", [&](COptionDetailsDlg& dialog) { clear(dialog); }, wxID_CANCEL, withMail},
        {"a blank line is skipped, the name after it kept",
         [&](COptionDetailsDlg& dialog) {
             dialog.ListEdit()->AppendText("\n");
             type(dialog, "sn");
         },
         wxID_OK, withMailAndSn},
        {"Enter in the combo box adds its name, as Add does",
         [&](COptionDetailsDlg& dialog) {
             clear(dialog);
             dialog.NameBox()->SetValue("mail");
             wxCommandEvent enter(wxEVT_TEXT_ENTER, COptionDetailsDlg::kNameId);
             enter.SetEventObject(dialog.NameBox());
             dialog.NameBox()->ProcessWindowEvent(enter);
         },
         wxID_OK,
         {"mail"}},
        {"clear and OK empties it", [&](COptionDetailsDlg& dialog) { clear(dialog); }, wxID_OK, {}},
        {"add to an empty list",
         [&](COptionDetailsDlg& dialog) {
             type(dialog, "cn");
             type(dialog, "cn");
         },
         wxID_OK,
         {"cn", "cn"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        wxTEST_DIALOG(RunMenu(cmd::kOptionsDetails), DetailFieldsAnswer([&](COptionDetailsDlg& dialog) {
                          c.act(dialog);
                          return c.answer;
                      }));
        EXPECT_EQ(DetailList(Window().Profile().DetailAttributes()), c.list);
    }
}

TEST_F(LanguageTest, ChosenLanguageSurvivesARestartTheDesktopOneIsNotKept)
{
    WriteLanguages();
    const auto restart = [this](const char* lang) {
        if (m_window) {
            RunMenu(cmd::kExit);  // closing saves LDAP.ini
            PumpUntil([this] { return !m_window; });
        }
        setenv("LANG", lang, 1);
        Open({});
    };
    restart("fr_FR.UTF-8");
    EXPECT_EQ(Window().Language().Name(),
              "Fran\xC3\xA7"
              "ais");
    restart("C");  // a language from the desktop was not chosen: the next start follows the desktop
    EXPECT_EQ(Window().Language().Name(), "");
    EXPECT_EQ(SearchLabel(), "Search");
    ASSERT_NE(FileBytes(Window().Folders().storage + "LDAP.ini").find("<LanguageName></LanguageName>"),
              std::string::npos);

    ChooseLanguage(1);
    restart("fr_FR.UTF-8");
    EXPECT_EQ(Window().Language().Name(), "Deutsch");
    EXPECT_TRUE(Window().Language().Chosen());
    EXPECT_EQ(SearchLabel(), "Suchen");
    restart("C");
    EXPECT_EQ(Window().Language().File(), ProgramFile("de.ini"));

    // on a German desktop: the built-in English, chosen, holds; a name the catalogue lacks is kept
    ChooseLanguage(0);
    restart("de_DE.UTF-8");
    EXPECT_EQ(SearchLabel(), "Search");
    restart("de_DE.UTF-8");
    EXPECT_EQ(SearchLabel(), "Search");
    const std::string settings = Window().Folders().storage + "LDAP.ini";
    std::string bytes = FileBytes(settings);
    const std::string english = "<LanguageName>English</LanguageName>";
    ASSERT_NE(bytes.find(english), std::string::npos);
    RunMenu(cmd::kExit);
    PumpUntil([this] { return !m_window; });
    WriteBytes(settings, bytes.replace(bytes.find(english), english.size(), "<LanguageName>Klingon</LanguageName>"));
    restart("de_DE.UTF-8");
    EXPECT_EQ(SearchLabel(), "Suchen");  // the desktop's language stands in
    restart("de_DE.UTF-8");
    EXPECT_NE(FileBytes(settings).find("<LanguageName>Klingon</LanguageName>"), std::string::npos);
}
