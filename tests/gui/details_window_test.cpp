// details_window_test.cpp - the Details command on the test directory (which entries, by DN) and
// the details window: texts, resize rule, closing, and Save byte for byte.
#include <tuple>

#include <wx/button.h>
#include <wx/textctrl.h>

#include "localisation/text_catalog.h"
#include "search_window/photo_strip.h"
#include "search_window_fixture.h"

namespace {

/// Shows dialog modally while whileShown runs in it; checks it is hidden after, destroys it and
/// returns its result.
int RunModal(CDetailsDialog* dialog, std::function<void(CDetailsDialog&)> whileShown)
{
    DetailsShownHook hook(std::move(whileShown));
    const int result = dialog->ShowModal();
    EXPECT_EQ(hook.Calls(), 1);
    EXPECT_FALSE(dialog->IsShown());
    dialog->Destroy();
    return result;
}

}  // namespace

TEST_F(SearchWindowTest, DetailsShowTheChosenEntriesByDn)
{
    struct DetailsCase {
        const char* name;
        const char* baseDn;
        const char* searchString;
        const char* resultAttribute;
        std::vector<size_t> selected;
        std::string text;
    };
    const std::string smith =
        DetailsEntry(test_directory::kSmithDn, {"cn: Smith", "telephoneNumber: 123", "telephoneNumber: 456"});
    const std::string smithers = DetailsEntry(test_directory::kSmithersDn, {"cn: Smithers", "telephoneNumber: 789"});
    const char* fixtures = test_directory::kFixturesDn;
    const std::vector<DetailsCase> cases = {
        {"nothing selected shows all", fixtures, "Smith", "mail", {}, smith + smithers},
        // Smith has no mail, so the one item is Smithers': a choice by position would show Smith
        {"item of an entry after one without value", fixtures, "Smith", "mail", {0}, smithers},
        {"second item",
         fixtures,
         "Width",
         "cn",
         {1},
         DetailsEntry(test_directory::kWidthFourDn,
                      {"cn: Width Four", "telephoneNumber: 111", "telephoneNumber: 222"})},
        // items: Adams Anna (person 0), Adams Ben (50), Adams Chloé (100), ...
        {"items 0 and 2",
         test_directory::kPeopleDn,
         "Adams",
         "cn",
         {0, 2},
         DetailsEntry("cn=Adams Anna,ou=people,dc=corvane,dc=test",
                      {"cn: Adams Anna", "telephoneNumber: +49 89 1234 0000", "telephoneNumber: +49 89 5678 0000"}) +
             DetailsEntry("cn=Adams Chlo\xC3\xA9,ou=people,dc=corvane,dc=test",
                          {"cn: Adams Chlo\xC3\xA9", "telephoneNumber: +49 89 1234 0100"})},
    };
    m_window->Profile().SetDetailAttributes(SlotsFromList({"cn", "telephoneNumber"}));
    for (const DetailsCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetField(ctl::kBaseDn, c.baseDn);
        Search("sn", c.searchString, c.resultAttribute);
        List()->SelectItems(c.selected);

        std::string shown;
        DetailsShownHook hook([&](CDetailsDialog& dialog) {
            shown = FromWx(dialog.Edit()->GetValue());
            dialog.EndModal(wxID_OK);
        });
        Commands().Details();
        WaitForQuery();
        EXPECT_EQ(hook.Calls(), 1);
        EXPECT_EQ(Commands().LastDetailsText(), c.text);
        EXPECT_EQ(shown, c.text);
    }
}

TEST_F(SearchWindowTest, DetailsWindowSavesTheTextByteForByte)
{
    m_window->Profile().SetDetailAttributes(SlotsFromList({"cn", "l", "description", "title"}));
    Search("sn", "M\xC3\xBCller", "cn");
    const std::string text =
        DetailsEntry(test_directory::kMuellerDn, {"cn: M\xC3\xBCller J\xC3\xBCrgen", "l: M\xC3\xBCnchen",
                                                  "description: Zimmer 3; 2. Stock", "title: Forschung & Entwicklung"});
    TempFolder folder;
    FileDialogAnswers answers({folder.File("as-built"), folder.File("edited.txt"), folder.File("missing/x.txt")});
    DetailsShownHook hook([&](CDetailsDialog& dialog) {
        dialog.SaveText();
        dialog.Edit()->AppendText("note\n");
        dialog.SaveText();
        // a folder that does not exist: the fixed message, and the window stays
        wxTEST_DIALOG(dialog.SaveText(), ExpectMessageBox("Cannot create file", "ERROR", wxICON_NONE));
        EXPECT_TRUE(dialog.IsModal());
        dialog.Close();
    });
    Commands().Details();
    WaitForQuery();
    ASSERT_EQ(hook.Calls(), 1);

    EXPECT_EQ(FileBytes(folder.File("as-built.txt")), text);
    EXPECT_EQ(FileBytes(folder.File("edited.txt")), text + "note\r\n");
    ASSERT_EQ(answers.Requests().size(), 3u);
    EXPECT_EQ(answers.Requests()[0],
              (FileDialogAnswers::Request{FileDialogMode::Save, "txt", "Textfile(*.txt)|*.txt||"}));
}

TEST_F(SearchWindowTest, DetailsWindowShowsAnEntrysPhotoAndSavesItsBytes)
{
    m_window->Profile().SetDetailAttributes(SlotsFromList({"cn"}));
    TempFolder folder;
    FileDialogAnswers answers({folder.File("portrait")});
    struct Seen {
        std::size_t photos = 0;
        bool besideText = false;
        bool saveEnabled = false;
        std::string text;
    };
    const auto details = [&](const char* sn) {
        Seen seen;
        DetailsShownHook hook([&](CDetailsDialog& dialog) {
            seen.text = FromWx(dialog.Edit()->GetValue());
            seen.saveEnabled = dialog.GetMenuBar()->IsEnabled(ToWxId(cmd::kDetailsSavePhoto));
            if (PhotoStrip* photos = dialog.Photos()) {
                seen.photos = photos->Count();
                seen.besideText = photos->GetRect().GetRight() < dialog.Edit()->GetRect().GetLeft() &&
                                  dialog.Edit()->GetSize().x >= photos->GetSize().x;
                dialog.SavePhoto();
            }
            dialog.EndModal(wxID_OK);
        });
        Search("sn", sn, "cn");
        Commands().Details();
        WaitForQuery();
        EXPECT_EQ(hook.Calls(), 1);
        return seen;
    };
    // a real JPEG is shown beside the unchanged text and saved byte for byte
    const Seen jones = details("Jones");
    EXPECT_EQ(jones.photos, 1u);
    EXPECT_TRUE(jones.besideText);
    EXPECT_TRUE(jones.saveEnabled);
    EXPECT_EQ(jones.text, DetailsEntry(test_directory::kJonesDn, {"cn: Jones"}));
    const std::string saved = FileBytes(folder.File("portrait.jpg"));
    EXPECT_EQ(saved.size(), 813u);
    EXPECT_TRUE(saved.starts_with("\xFF\xD8\xFF"));
    EXPECT_EQ(answers.Requests(),
              (std::vector<FileDialogAnswers::Request>{
                  {FileDialogMode::Save, "jpg", "Pictures (*.jpg;*.png;*.gif)|*.jpg;*.png;*.gif||"}}));
    // bytes that are no picture show none, and nothing is offered to save
    const Seen portrait = details("Portrait");
    EXPECT_EQ(portrait.photos, 0u);
    EXPECT_FALSE(portrait.saveEnabled);
}

TEST(DetailsWindowTest, SaveKeepsLineEndsOfTheText)
{
    const std::tuple<const char*, std::string, std::string, std::string> cases[] = {
        // {name, text, typed at the end before saving, saved}
        {"unedited CR LF text", "a\r\nb\r\n", "", "a\r\nb\r\n"},
        // a value holding a bare LF is part of the text as built and is saved as such
        {"unedited bare LF in a value", "line1\nline2\r\n", "", "line1\nline2\r\n"},
        {"no doubled CR after an edit", "a\r\nb\r\n", "c\n", "a\r\nb\r\nc\r\n"},
        {"empty text", "", "", ""},
    };
    wxFrame* parent = new wxFrame(nullptr, wxID_ANY, "parent");
    parent->Show();
    for (const auto& [name, text, appended, saved] : cases) {
        SCOPED_TRACE(name);
        TempFolder folder;
        FileDialogAnswers answers({folder.File("out.txt")});
        auto* dialog = new CDetailsDialog(parent);
        dialog->SetDetailsText(text);
        EXPECT_EQ(RunModal(dialog,
                           [&](CDetailsDialog& shown) {
                               shown.Edit()->AppendText(ToWx(appended));
                               shown.SaveText();
                               shown.EndModal(wxID_OK);
                           }),
                  wxID_OK);
        EXPECT_EQ(FileBytes(folder.File("out.txt")), saved);
    }
    parent->Destroy();
    PumpEvents();
}

TEST(DetailsWindowTest, CloseBoxEscapeAndOkEndTheWindow)
{
    const std::tuple<const char*, std::function<void(CDetailsDialog&)>, int> cases[] = {
        {"OK",
         [](CDetailsDialog& d) {
             wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
             click.SetEventObject(d.OkButton());
             d.OkButton()->ProcessWindowEvent(click);
         },
         wxID_OK},
        {"close box", [](CDetailsDialog& d) { d.Close(); }, wxID_CANCEL},
        {"Escape",
         [](CDetailsDialog& d) {
             wxKeyEvent key(wxEVT_CHAR_HOOK);
             key.m_keyCode = WXK_ESCAPE;
             key.SetEventObject(d.Edit());
             d.Edit()->ProcessWindowEvent(key);
         },
         wxID_CANCEL},
    };
    wxFrame* parent = new wxFrame(nullptr, wxID_ANY, "parent");
    parent->Show();
    for (const auto& [name, close, result] : cases) {
        SCOPED_TRACE(name);
        bool parentDisabled = false;
        EXPECT_EQ(
            RunModal(new CDetailsDialog(parent),
                     [&](CDetailsDialog& shown) {
                         parentDisabled = !parent->IsEnabled();
                         EXPECT_TRUE(shown.IsEnabled() && shown.Edit()->IsEnabled() && shown.OkButton()->IsEnabled());
                         close(shown);
                     }),
            result);
        EXPECT_TRUE(parentDisabled);
        EXPECT_TRUE(parent->IsEnabled());
    }
    parent->Destroy();
    PumpEvents();
}

TEST(DetailsWindowTest, TextsComeFromTheLanguageFile)
{
    struct TextCase {
        const char* name;
        std::string languageFile;        ///< "" for no file
        std::vector<std::string> texts;  ///< menu, item, button, file filter
    };
    const std::vector<std::string> english = {"File", "Save as...", "OK", "Textfile(*.txt)|*.txt||"};
    const std::vector<TextCase> cases = {
        {"English defaults", "", english},
        {"translated",
         "FrmDetails.ID_MEN_DLGFILE=\"Datei\"\r\nFrmDetails.ID_MEN_DLGSAVE=\"Speichern & Co\"\r\n"
         "FrmDetails.m_BTNOk=\"Gut\"\r\nFrmDetails.m_acFileFilter=\"Text(*.txt)|*.txt||\"\r\n",
         {"Datei", "Speichern & Co", "Gut", "Text(*.txt)|*.txt||"}},
        // an empty text counts as missing
        {"empty entry", "FrmDetails.m_BTNOk=\"\"\r\n", english},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        auto* dialog = new CDetailsDialog(nullptr);
        if (!c.languageFile.empty()) {
            WriteBytes(folder.File("lang.ini"), c.languageFile);
            dialog->SetTexts(std::make_shared<const TextCatalog>(folder.File("lang.ini")));
        }
        RunModal(dialog, [&](CDetailsDialog& shown) {
            wxMenuBar* bar = shown.GetMenuBar();
            EXPECT_EQ((std::vector<std::string>{FromWx(bar->GetMenuLabelText(0)),
                                                FromWx(bar->FindItem(ToWxId(cmd::kDetailsSave))->GetItemLabelText()),
                                                FromWx(shown.OkButton()->GetLabelText()), shown.FileFilter()}),
                      c.texts);
            EXPECT_EQ(FromWx(shown.GetTitle()), "Details");
            shown.EndModal(wxID_OK);
        });
    }
    PumpEvents();
}

TEST(DetailsWindowTest, ResizeRule)
{
    struct LayoutCase {
        wxSize client;
        wxPoint editOrigin;
        wxRect edit;
        wxRect ok;
    };
    const LayoutCase cases[] = {
        {{400, 300}, {0, 0}, {0, 0, 400, 260}, {165, 265, 70, 25}},
        {{401, 300}, {5, 3}, {5, 3, 391, 260}, {165, 265, 70, 25}},  // (401 - 70) / 2 rounds down
    };
    for (const LayoutCase& c : cases) {
        const DetailsLayout layout = CDetailsDialog::LayoutFor(c.client, c.editOrigin);
        EXPECT_EQ(layout.edit, c.edit);
        EXPECT_EQ(layout.ok, c.ok);
    }

    // the rule is applied when the window's client area changes
    RunModal(new CDetailsDialog(nullptr), [&](CDetailsDialog& shown) {
        shown.SetClientSize(400, 300);
        PumpUntil([&] { return shown.Edit()->GetSize() == wxSize(400, 260); });
        EXPECT_EQ(shown.Edit()->GetRect(), wxRect(0, 0, 400, 260));
        EXPECT_EQ(shown.OkButton()->GetRect(), wxRect(165, 265, 70, 25));
        shown.EndModal(wxID_OK);
    });
    PumpEvents();
}
