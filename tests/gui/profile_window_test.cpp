// profile_window_test.cpp - profiles through the main window: menu commands, title, command line,
// dropped files and the read and create error messages.
#include <sys/stat.h>

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>

#include "app/main_window_template.h"
#include "main_window_fixture.h"
#include "platform/command_ids.h"

namespace {

const char kHeader[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n";
const char kFooter[] = "</InitFile>\r\n";

std::string Entry(const std::string& key, const std::string& value)
{
    return "  <" + key + ">" + value + "</" + key + ">\r\n";
}

/// An XML-form profile with the six keys and the given detail names.
std::string ProfileBytes(const std::string& server, const std::string& port, const std::string& dn,
                         const std::string& preselect, const std::string& search, const std::string& result,
                         const std::vector<std::string>& details)
{
    std::string bytes = kHeader;
    bytes += Entry("LDAPServer", server) + Entry("LDAPServerPort", port) + Entry("DN", dn) +
             Entry("Preselect", preselect) + Entry("SearchAttributes", search) + Entry("ResultAttributes", result);
    for (size_t i = 0; i < details.size(); ++i)
        bytes += Entry("DetailAttribute" + std::to_string(i), details[i]);
    return bytes + kFooter;
}

void RunMenu(CLDAPDlg& window, int command)
{
    wxCommandEvent event(wxEVT_MENU, ToWxId(command));
    window.ProcessWindowEvent(event);
}

}  // namespace

class ProfileWindowTest : public MainWindowTest {
protected:
    void Fill(const std::string& server, const std::string& port, const std::string& dn, const std::string& preselect,
              const std::string& search, const std::string& result)
    {
        Window().SetFieldText(ctl::kServer, server);
        Window().SetFieldText(ctl::kPort, port);
        Window().SetFieldText(ctl::kBaseDn, dn);
        Window().SetFieldText(ctl::kPreselection, preselect);
        Window().SetFieldText(ctl::kSearchAttribute, search);
        Window().SetFieldText(ctl::kResultAttribute, result);
    }
    std::vector<std::string> Fields()
    {
        std::vector<std::string> fields;
        for (const int id : {ctl::kServer, ctl::kPort, ctl::kBaseDn, ctl::kPreselection, ctl::kSearchAttribute,
                             ctl::kResultAttribute})
            fields.push_back(Window().FieldText(id));
        return fields;
    }

    TempFolder m_folder;
};

TEST_F(ProfileWindowTest, SaveAsWritesTheFieldsAndOpenReadsThemBack)
{
    // blanks, "&", markup characters and non-ASCII bytes survive byte for byte
    Fill("ldap.example.org", " 636", "ou=M\xC3\xBCller & S\xC3\xB6hne,dc=example", "Dr. ", "sn", "cn,mail");
    DetailSlots details{};
    details[0] = "cn";
    details[1] = "<mail>";
    Window().SetDetailAttributes(details);
    {
        FileDialogAnswers answers({m_folder.File("R&D team")});
        RunMenu(Window(), cmd::kSaveAs);
        ASSERT_EQ(answers.Requests().size(), 1u);
        EXPECT_EQ(answers.Requests()[0].mode, FileDialogMode::Save);
        EXPECT_EQ(answers.Requests()[0].defaultExtension, "cvl");
        EXPECT_EQ(answers.Requests()[0].filter, "LDAP profile(*.cvl)|*.cvl||");
    }
    const std::string path = m_folder.File("R&D team.cvl");
    EXPECT_EQ(FileBytes(path), ProfileBytes("ldap.example.org", " 636", "ou=M\xC3\xBCller & S\xC3\xB6hne,dc=example",
                                            "Dr. ", "sn", "cn,mail", {"cn", "<mail>"}));
    EXPECT_EQ(Window().CurrentProfilePath(), path);
    EXPECT_EQ(Title(), "Corvane LDAP - R&D team.cvl");

    RunMenu(Window(), cmd::kNew);
    EXPECT_EQ(Title(), "Corvane LDAP");
    EXPECT_EQ(Fields(), (std::vector<std::string>{"", "389", "", "", "telephoneNumber", "cn"}));
    EXPECT_EQ(Window().DetailAttributes(), details);  // New settings keeps the detail list

    Window().SetDetailAttributes(DefaultDetailSlots());
    {
        FileDialogAnswers answers({path});
        RunMenu(Window(), cmd::kOpen);
        ASSERT_EQ(answers.Requests().size(), 1u);
        EXPECT_EQ(answers.Requests()[0].mode, FileDialogMode::Open);
        EXPECT_EQ(answers.Requests()[0].defaultExtension, "cvl");
    }
    EXPECT_EQ(Fields(), (std::vector<std::string>{"ldap.example.org", " 636", "ou=M\xC3\xBCller & S\xC3\xB6hne,dc=example",
                                                  "Dr. ", "sn", "cn,mail"}));
    EXPECT_EQ(Window().DetailAttributes(), details);
    EXPECT_EQ(Title(), "Corvane LDAP - R&D team.cvl");
}

TEST_F(ProfileWindowTest, SaveWritesToTheCurrentFileAndAsksWhenThereIsNone)
{
    const std::string path = m_folder.File("team.cvl");
    {
        FileDialogAnswers answers({path});
        RunMenu(Window(), cmd::kSave);  // no current profile: asks
        EXPECT_EQ(answers.Remaining(), 0u);
    }
    Window().SetFieldText(ctl::kServer, "second");
    {
        FileDialogAnswers none({});
        RunMenu(Window(), cmd::kSave);  // current profile: writes without asking
    }
    EXPECT_NE(FileBytes(path).find(Entry("LDAPServer", "second")), std::string::npos);

    std::remove(path.c_str());
    {
        FileDialogAnswers answers({std::nullopt});  // the file went away: asks again; cancelled
        RunMenu(Window(), cmd::kSave);
        EXPECT_EQ(answers.Remaining(), 0u);
    }
    EXPECT_TRUE(FileBytes(path).empty());

    FileDialogAnswers cancelled({std::nullopt});
    RunMenu(Window(), cmd::kOpen);
    EXPECT_EQ(Window().FieldText(ctl::kServer), "second");
}

TEST_F(ProfileWindowTest, LoadSetsExactlyWhatTheFileHolds)
{
    // missing keys empty their fields; a gap in the detail slots ends the list
    const std::string path = m_folder.File("partial.cvl");
    WriteBytes(path, std::string(kHeader) + Entry("LDAPServer", "srv") + Entry("DetailAttribute0", "mail") +
                         Entry("DetailAttribute2", "cn") + kFooter);
    Fill("a", "1", "b", "c", "d", "e");
    ASSERT_TRUE(Window().LoadProfile(path));
    EXPECT_EQ(Fields(), (std::vector<std::string>{"srv", "", "", "", "", ""}));
    EXPECT_EQ(DetailList(Window().DetailAttributes()), std::vector<std::string>{"mail"});

    // the older line form: fields in its own order, then the detail names
    const std::string legacy = m_folder.File("old.cvl");
    WriteBytes(legacy, "ou=old\r\r\npre\r\r\nold-server\r\r\n1389\r\r\nsn\r\r\ncn\r\r\ntelephoneNumber\r\r\nmail\r\r\n");
    ASSERT_TRUE(Window().LoadProfile(legacy));
    EXPECT_EQ(Fields(), (std::vector<std::string>{"old-server", "1389", "ou=old", "pre", "sn", "cn"}));
    EXPECT_EQ(DetailList(Window().DetailAttributes()), (std::vector<std::string>{"telephoneNumber", "mail"}));
    EXPECT_EQ(Title(), "Corvane LDAP - old.cvl");
}

TEST_F(ProfileWindowTest, TheFirstCommandLineArgumentIsLoaded)
{
    const std::string path = m_folder.File("start.cvl");
    WriteBytes(path, ProfileBytes("start-server", "10389", "dc=start", "", "sn", "cn", {"cn"}));
    Open({path, "ignored.cvl"});
    EXPECT_EQ(Window().FieldText(ctl::kServer), "start-server");
    EXPECT_EQ(DetailList(Window().DetailAttributes()), std::vector<std::string>{"cn"});
    EXPECT_EQ(Title(), "Corvane LDAP - start.cvl");

    // "--ENGLISH" is an option, not a profile: no read error is shown
    Open({"--ENGLISH"});
    EXPECT_EQ(Title(), "Corvane LDAP");
    EXPECT_EQ(Window().DetailAttributes(), DefaultDetailSlots());
}

TEST_F(ProfileWindowTest, DroppedFilesLoadOnlyTheFirstProfileName)
{
    WriteBytes(m_folder.File("Mixed.Cvl"), ProfileBytes("mixed", "389", "", "", "sn", "cn", {}));
    WriteBytes(m_folder.File("second.cvl"), ProfileBytes("second", "389", "", "", "sn", "cn", {}));
    WriteBytes(m_folder.File("team.cvl.bak"), "ou=bak\r\r\n\r\r\nbak-server\r\r\n");
    WriteBytes(m_folder.File("notes.txt"), ProfileBytes("notes", "389", "", "", "sn", "cn", {}));
    struct Row {
        std::vector<std::string> files;
        const char* server;  ///< the server field afterwards
        const char* title;
    };
    const Row rows[] = {
        {{m_folder.File("Mixed.Cvl")}, "mixed", "Corvane LDAP - Mixed.Cvl"},
        {{m_folder.File("team.cvl.bak")}, "bak-server", "Corvane LDAP - team.cvl.bak"},
        {{m_folder.File("second.cvl"), m_folder.File("Mixed.Cvl")}, "second", "Corvane LDAP - second.cvl"},
        {{m_folder.File("notes.txt"), m_folder.File("Mixed.Cvl")}, "unchanged", "Corvane LDAP"},
        {{}, "unchanged", "Corvane LDAP"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        RunMenu(Window(), cmd::kNew);
        Window().SetFieldText(ctl::kServer, "unchanged");
        // the event owns and deletes its array of names
        auto* names = new wxString[row.files.size() + 1];
        for (size_t i = 0; i < row.files.size(); ++i)
            names[i] = ToWx(row.files[i]);
        wxDropFilesEvent drop(wxEVT_DROP_FILES, static_cast<int>(row.files.size()), names);
        Window().ProcessWindowEvent(drop);
        EXPECT_EQ(Window().FieldText(ctl::kServer), row.server);
        EXPECT_EQ(Title(), row.title);
    }
}

TEST_F(ProfileWindowTest, AnUnreadableFileShowsTheReadError)
{
    const std::string path = m_folder.File("kept.cvl");
    WriteBytes(path, ProfileBytes("kept", "389", "", "", "sn", "cn", {}));
    ASSERT_TRUE(Window().LoadProfile(path));
    Window().SetFieldText(ctl::kPort, "1234");

    bool loaded = true;
    wxTEST_DIALOG(loaded = Window().LoadProfile(m_folder.File("missing.cvl")),
                  ExpectMessageBox("Cannot read file!", "ERROR", wxICON_INFORMATION));
    EXPECT_FALSE(loaded);
    EXPECT_EQ(Window().CurrentProfilePath(), "");
    EXPECT_EQ(Title(), "Corvane LDAP");
    EXPECT_EQ(Window().FieldText(ctl::kServer), "kept");
    EXPECT_EQ(Window().FieldText(ctl::kPort), "1234");

    // a folder cannot be read as a profile either
    wxTEST_DIALOG(loaded = Window().LoadProfile(m_folder.Path()),
                  ExpectMessageBox("Cannot read file!", "ERROR", wxICON_INFORMATION));
    EXPECT_FALSE(loaded);
}

TEST_F(ProfileWindowTest, AFailedSaveShowsTheCreateErrorAndLeavesNoProfileCurrent)
{
    const std::string path = m_folder.File("ok.cvl");
    ASSERT_TRUE(Window().SaveProfile(path));
    bool saved = true;
    wxTEST_DIALOG(saved = Window().SaveProfile(m_folder.File("no-such-folder/x.cvl")),
                  ExpectMessageBox("Cannot create file!", "ERROR", wxICON_ERROR));
    EXPECT_FALSE(saved);
    EXPECT_EQ(Window().CurrentProfilePath(), "");
    EXPECT_EQ(Title(), "Corvane LDAP");
}

TEST_F(ProfileWindowTest, LongFieldsAreCutTo1023BytesWithoutSplittingACharacter)
{
    // 1022 ASCII bytes then a two-byte character: the cut drops the whole character
    const std::string server = std::string(1022, 's') + "\xC3\xBC" + "tail";
    Window().SetFieldText(ctl::kServer, server);
    const std::string path = m_folder.File("long.cvl");
    ASSERT_TRUE(Window().SaveProfile(path));
    EXPECT_NE(FileBytes(path).find(Entry("LDAPServer", std::string(1022, 's'))), std::string::npos);
}
