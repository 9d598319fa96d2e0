// copy_and_bases_test.cpp - Edit > Copy through the clipboard, the details window's Copy, Edit >
// Export as LDIF, and the base DNs the server names (the menu command and the empty DN field).
#include <wx/choicdlg.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include "platform/command_ids.h"
#include "scripted_directory.h"
#include "search_window_fixture.h"

namespace {

std::string ClipboardText()
{
    wxTextDataObject data;
    if (!wxTheClipboard->Open()) {
        return "<clipboard not opened>";
    }
    const bool got = wxTheClipboard->GetData(data);
    wxTheClipboard->Close();
    return got ? FromWx(data.GetText()) : "<no text>";
}

/** wxTEST_DIALOG expectation of the base DN choice: notes what it offers and takes the first. */
class ChooseFirstBase : public wxExpectModalBase<wxSingleChoiceDialog, ChooseFirstBase> {
public:
    explicit ChooseFirstBase(std::vector<std::string>* offered) : m_offered(offered) {}

protected:
    int OnInvoked(wxSingleChoiceDialog* dialog) const override
    {
        dialog->SetSelection(0);
        for (wxWindow* child : dialog->GetChildren()) {
            if (auto* list = dynamic_cast<wxListBox*>(child)) {
                for (const wxString& base : list->GetStrings()) {
                    m_offered->push_back(FromWx(base));
                }
            }
        }
        return wxID_OK;
    }

private:
    std::vector<std::string>* m_offered;
};

}  // namespace

TEST_F(SearchWindowTest, CopyPutsTheShownRowsOnTheClipboardAsATable)
{
    Search("sn", "Width", "cn,telephoneNumber");
    const struct {
        std::vector<size_t> selected;
        std::string text;
    } cases[] = {
        {{}, "cn\ttelephoneNumber\nWidth Five\t333\nWidth Four\t111, 222\n"},
        {{1}, "cn\ttelephoneNumber\nWidth Four\t111, 222\n"},
    };
    for (const auto& c : cases) {
        List()->SetFocus();
        List()->SelectItems(c.selected);
        RunMenu(cmd::kCopy);
        EXPECT_EQ(ClipboardText(), c.text);
    }
    // A selection in a field is the field's to copy.
    auto* searchString = Get<wxTextCtrl>(ctl::kSearchString);
    searchString->SetFocus();
    searchString->SetSelection(0, 3);
    RunMenu(cmd::kCopy);
    EXPECT_EQ(ClipboardText(), "Wid");
}

TEST_F(SearchWindowTest, DetailsWindowCopiesItsText)
{
    m_window->Profile().SetDetailAttributes(SlotsFromList({"cn"}));
    Search("sn", "Jones", "cn");
    std::string shown;
    DetailsShownHook hook([&](CDetailsDialog& dialog) {
        shown = FromWx(dialog.Edit()->GetValue());
        dialog.CopyText();
        dialog.EndModal(wxID_OK);
    });
    Commands().Details();
    WaitForQuery();
    ASSERT_EQ(hook.Calls(), 1);
    EXPECT_EQ(shown, DetailsEntry(test_directory::kJonesDn, {"cn: Jones"}));
    EXPECT_EQ(ClipboardText(), shown);
}

TEST_F(SearchWindowTest, ExportAsLdifWritesTheShownEntries)
{
    Search("sn", "Width", "telephoneNumber");
    TempFolder folder;
    FileDialogAnswers answers({folder.File("out")});
    RunMenu(cmd::kExportLdif);
    EXPECT_EQ(FileBytes(folder.File("out.ldif")),
              "version: 1\n\ndn: cn=Width Five,ou=fixtures,dc=corvane,dc=test\ntelephoneNumber: 333\n\n"
              "dn: cn=Width Four,ou=fixtures,dc=corvane,dc=test\ntelephoneNumber: 111\ntelephoneNumber: 222\n\n");
    EXPECT_EQ(answers.Requests(), (Requests{{FileDialogMode::Save, "ldif", "LDIF file (*.ldif)|*.ldif||"}}));
}

TEST_F(SearchWindowTest, BaseDnsComeFromTheServer)
{
    // The menu command offers the server's one naming context; choosing it fills the field.
    SetField(ctl::kBaseDn, "ou=elsewhere");
    std::vector<std::string> offered;
    wxTEST_DIALOG(
        {
            RunMenu(cmd::kBaseDns);
            WaitForQuery();
        },
        ChooseFirstBase(&offered));
    EXPECT_EQ(offered, std::vector<std::string>{test_directory::kBaseDn});
    EXPECT_EQ(FromWx(Get<wxTextCtrl>(ctl::kBaseDn)->GetValue()), test_directory::kBaseDn);

    // A search with an empty DN field searches below it.
    SetField(ctl::kBaseDn, "");
    SetField(ctl::kSearchAttribute, "cn");
    SetField(ctl::kResultAttribute, "cn");
    SetField(ctl::kSearchString, "Schulz (IT)");
    Commands().Search();
    EXPECT_TRUE(PumpUntil([&] { return !Commands().Searching() && List()->ItemCount() > 0; }));
    EXPECT_EQ(FromWx(Get<wxTextCtrl>(ctl::kBaseDn)->GetValue()), test_directory::kBaseDn);
    EXPECT_EQ(ListCells(), (std::vector<std::vector<std::string>>{{"Schulz (IT)"}}));
}

TEST_F(SearchWindowTest, AnEmptyDnFieldOffersSeveralBasesAndSearchesAGlobalCatalogsForest)
{
    // Several bases are offered, and the search goes on below the one chosen; a global catalog is
    // searched below the empty base, the field left empty.
    for (const auto script : {ScriptedDirectory::Script::SeveralBases, ScriptedDirectory::Script::GlobalCatalog}) {
        const bool catalog = script == ScriptedDirectory::Script::GlobalCatalog;
        ScriptedDirectory server(script);
        ASSERT_TRUE(server.Running());
        SetField(ctl::kPort, std::to_string(server.Port()));
        SetField(ctl::kBaseDn, "");
        SetField(ctl::kSearchAttribute, "cn");
        SetField(ctl::kResultAttribute, "cn");
        SetField(ctl::kSearchString, "Several");
        std::vector<std::string> offered;
        const auto search = [&] {
            Commands().Search();
            EXPECT_TRUE(PumpUntil([&] { return !Commands().Searching() && List()->ItemCount() > 0; }));
        };
        if (catalog) {
            search();
        } else {
            wxTEST_DIALOG(search(), ChooseFirstBase(&offered));
        }
        const std::vector<std::string> bases = {"dc=one", "dc=two"};
        EXPECT_EQ(offered, catalog ? std::vector<std::string>() : bases);
        EXPECT_EQ(FromWx(Get<wxTextCtrl>(ctl::kBaseDn)->GetValue()), catalog ? "" : "dc=one");
        EXPECT_EQ(ListCells(), (std::vector<std::vector<std::string>>{{"Several"}}));
    }
}
