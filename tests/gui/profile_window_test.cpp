// profile_window_test.cpp - profiles through the main window: menu commands, title, command line,
// dropped files and the read and create error messages.
#include <cstdio>
#include <tuple>

#include "app/frame/main_window_template.h"
#include "main_window_fixture.h"
#include "platform/folders.h"

namespace {

using Strings = std::vector<std::string>;
const int kFieldIds[] = {ctl::kServer,          ctl::kPort,           ctl::kBaseDn, ctl::kPreselection,
                         ctl::kSearchAttribute, ctl::kResultAttribute};
const char* const kFieldKeys[] = {"LDAPServer", "LDAPServerPort",   "DN",
                                  "Preselect",  "SearchAttributes", "ResultAttributes"};
const char kHeader[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n";
const char kFooter[] = "</InitFile>\r\n";

std::string Entry(const std::string& key, const std::string& value)
{
    return "  <" + key + ">" + value + "</" + key + ">\r\n";
}

/// An XML-form profile with the six fields (server, port, DN, preselection, search, result) and
/// the given detail names.
std::string ProfileBytes(const Strings& fields, const Strings& details)
{
    std::string bytes = kHeader;
    for (size_t i = 0; i < 6; ++i) {
        bytes += Entry(kFieldKeys[i], fields[i]);
    }
    for (size_t i = 0; i < details.size(); ++i) {
        bytes += Entry("DetailAttribute" + std::to_string(i), details[i]);
    }
    return bytes + kFooter;
}

}  // namespace

class ProfileWindowTest : public MainWindowTest {
protected:
    void Fill(const Strings& fields)
    {
        for (size_t i = 0; i < 6; ++i) {
            SetFieldText(Window(), kFieldIds[i], fields[i]);
        }
    }
    Strings Fields()
    {
        Strings fields;
        for (const int id : kFieldIds) {
            fields.push_back(FieldText(Window(), id));
        }
        return fields;
    }
    /// Writes an XML-form profile in the folder; its path.
    std::string WriteProfile(const std::string& name, const std::string& server, const Strings& details = {})
    {
        WriteBytes(m_folder.File(name), ProfileBytes({server, "389", "", "", "sn", "cn"}, details));
        return m_folder.File(name);
    }

    TempFolder m_folder;
};

TEST_F(ProfileWindowTest, SaveAsWritesTheFieldsAndOpenReadsThemBack)
{
    // blanks, "&", markup characters and non-ASCII bytes survive byte for byte
    const Strings fields = {"ldap.example.org", " 636", "ou=M\xC3\xBCller & S\xC3\xB6hne,dc=example", "Dr. ", "sn",
                            "cn,mail"};
    Fill(fields);
    const DetailSlots details = SlotsFromList({"cn", "<mail>"});
    Window().Profile().SetDetailAttributes(details);
    {
        FileDialogAnswers answers({m_folder.File("R&D team")});
        RunMenu(cmd::kSaveAs);
        EXPECT_EQ(answers.Requests(), (Requests{{FileDialogMode::Save, "cvl", "LDAP profile(*.cvl)|*.cvl||"}}));
    }
    const std::string path = m_folder.File("R&D team.cvl");
    EXPECT_EQ(FileBytes(path), ProfileBytes(fields, {"cn", "<mail>"}));
    EXPECT_EQ(Window().Profile().Path(), path);
    EXPECT_EQ(Title(), "Corvane LDAP - R&D team.cvl");

    RunMenu(cmd::kNew);
    EXPECT_EQ(Title(), "Corvane LDAP");
    EXPECT_EQ(Fields(), (Strings{"", "389", "", "", "telephoneNumber", "cn"}));
    EXPECT_EQ(Window().Profile().DetailAttributes(), details);  // New settings keeps the detail list

    Window().Profile().SetDetailAttributes(DefaultDetailSlots());
    {
        FileDialogAnswers answers({path});
        RunMenu(cmd::kOpen);
        ASSERT_EQ(answers.Requests().size(), 1u);
        EXPECT_EQ(answers.Requests()[0].mode, FileDialogMode::Open);
        EXPECT_EQ(answers.Requests()[0].defaultExtension, "cvl");
    }
    EXPECT_EQ(Fields(), fields);
    EXPECT_EQ(Window().Profile().DetailAttributes(), details);
    EXPECT_EQ(Title(), "Corvane LDAP - R&D team.cvl");
}

TEST_F(ProfileWindowTest, SaveWritesToTheCurrentFileAndAsksWhenThereIsNone)
{
    const std::string path = m_folder.File("team.cvl");
    {
        FileDialogAnswers answers({path});
        RunMenu(cmd::kSave);  // no current profile: asks
        EXPECT_EQ(answers.Remaining(), 0u);
    }
    SetFieldText(Window(), ctl::kServer, "second");
    {
        FileDialogAnswers none({});
        RunMenu(cmd::kSave);  // current profile: writes without asking
    }
    EXPECT_NE(FileBytes(path).find(Entry("LDAPServer", "second")), std::string::npos);

    std::remove(path.c_str());
    {
        FileDialogAnswers answers({std::nullopt});  // the file went away: asks again; cancelled
        RunMenu(cmd::kSave);
        EXPECT_EQ(answers.Remaining(), 0u);
    }
    EXPECT_TRUE(FileBytes(path).empty());

    FileDialogAnswers cancelled({std::nullopt});
    RunMenu(cmd::kOpen);
    EXPECT_EQ(FieldText(Window(), ctl::kServer), "second");
}

TEST_F(ProfileWindowTest, LoadSetsExactlyWhatTheFileHolds)
{
    // missing keys empty their fields; a gap in the detail slots ends the list
    const std::string path = m_folder.File("partial.cvl");
    WriteBytes(path, std::string(kHeader) + Entry("LDAPServer", "srv") + Entry("DetailAttribute0", "mail") +
                         Entry("DetailAttribute2", "cn") + kFooter);
    Fill({"a", "1", "b", "c", "d", "e"});
    ASSERT_TRUE(Window().Profile().Load(path));
    EXPECT_EQ(Fields(), (Strings{"srv", "", "", "", "", ""}));
    EXPECT_EQ(DetailList(Window().Profile().DetailAttributes()), Strings{"mail"});

    // the older line form: fields in its own order, then the detail names
    const std::string legacy = m_folder.File("old.cvl");
    WriteBytes(legacy,
               "ou=old\r\r\npre\r\r\nold-server\r\r\n1389\r\r\nsn\r\r\ncn\r\r\ntelephoneNumber\r\r\nmail\r\r\n");
    ASSERT_TRUE(Window().Profile().Load(legacy));
    EXPECT_EQ(Fields(), (Strings{"old-server", "1389", "ou=old", "pre", "sn", "cn"}));
    EXPECT_EQ(DetailList(Window().Profile().DetailAttributes()), (Strings{"telephoneNumber", "mail"}));
    EXPECT_EQ(Title(), "Corvane LDAP - old.cvl");
}

TEST_F(ProfileWindowTest, TheFirstCommandLineArgumentIsLoaded)
{
    const std::string path = m_folder.File("start.cvl");
    WriteBytes(path, ProfileBytes({"start-server", "10389", "dc=start", "", "sn", "cn"}, {"cn"}));
    Open({path, "ignored.cvl"});
    EXPECT_EQ(FieldText(Window(), ctl::kServer), "start-server");
    EXPECT_EQ(DetailList(Window().Profile().DetailAttributes()), Strings{"cn"});
    EXPECT_EQ(Title(), "Corvane LDAP - start.cvl");

    // "--ENGLISH" is an option, not a profile: no read error is shown. It writes the English file
    // into the program folder, here a temporary one.
    SetProgramPathOverride(m_folder.File("corvane-ldap"));
    Open({"--ENGLISH"});
    SetProgramPathOverride("");
    EXPECT_NE(FileBytes(m_folder.File("LangLDAP_English.ini")), "");
    EXPECT_EQ(Title(), "Corvane LDAP");
    EXPECT_EQ(Window().Profile().DetailAttributes(), DefaultDetailSlots());
}

TEST_F(ProfileWindowTest, DroppedFilesLoadOnlyTheFirstProfileName)
{
    const std::string mixed = WriteProfile("Mixed.Cvl", "mixed"), second = WriteProfile("second.cvl", "second"),
                      notes = WriteProfile("notes.txt", "notes"), bak = m_folder.File("team.cvl.bak");
    WriteBytes(bak, "ou=bak\r\r\n\r\r\nbak-server\r\r\n389\r\r\nsn\r\r\ncn\r\r\n");
    const std::tuple<Strings, const char*, const char*> rows[] = {
        // {files, server afterwards, title}
        {{mixed}, "mixed", "Corvane LDAP - Mixed.Cvl"},
        {{bak}, "bak-server", "Corvane LDAP - team.cvl.bak"},
        {{second, mixed}, "second", "Corvane LDAP - second.cvl"},
        {{notes, mixed}, "unchanged", "Corvane LDAP"},
        {{}, "unchanged", "Corvane LDAP"},
    };
    for (const auto& [files, server, title] : rows) {
        SCOPED_TRACE(title);
        RunMenu(cmd::kNew);
        SetFieldText(Window(), ctl::kServer, "unchanged");
        auto* names = new wxString[files.size() + 1];  // the event owns and deletes its array of names
        for (size_t i = 0; i < files.size(); ++i) {
            names[i] = ToWx(files[i]);
        }
        wxDropFilesEvent drop(wxEVT_DROP_FILES, static_cast<int>(files.size()), names);
        Window().ProcessWindowEvent(drop);
        EXPECT_EQ(FieldText(Window(), ctl::kServer), server);
        EXPECT_EQ(Title(), title);
    }
}

TEST_F(ProfileWindowTest, AnUnreadableFileShowsTheReadError)
{
    ASSERT_TRUE(Window().Profile().Load(WriteProfile("kept.cvl", "kept")));
    SetFieldText(Window(), ctl::kPort, "1234");
    // a missing file, and a folder, cannot be read as a profile
    for (const std::string& path : {m_folder.File("missing.cvl"), m_folder.Path()}) {
        SCOPED_TRACE(path);
        bool loaded = true;
        wxTEST_DIALOG(loaded = Window().Profile().Load(path),
                      ExpectMessageBox("Cannot read file!", "ERROR", wxICON_INFORMATION));
        EXPECT_FALSE(loaded);
        EXPECT_EQ(Window().Profile().Path(), "");
        EXPECT_EQ(Title(), "Corvane LDAP");
        EXPECT_EQ(FieldText(Window(), ctl::kServer), "kept");
        EXPECT_EQ(FieldText(Window(), ctl::kPort), "1234");
    }
}

TEST_F(ProfileWindowTest, AFailedSaveShowsTheCreateErrorAndLeavesNoProfileCurrent)
{
    ASSERT_TRUE(Window().Profile().SaveTo(m_folder.File("ok.cvl")));
    bool saved = true;
    wxTEST_DIALOG(saved = Window().Profile().SaveTo(m_folder.File("no-such-folder/x.cvl")),
                  ExpectMessageBox("Cannot create file!", "ERROR", wxICON_ERROR));
    EXPECT_FALSE(saved);
    EXPECT_EQ(Window().Profile().Path(), "");
    EXPECT_EQ(Title(), "Corvane LDAP");
}

TEST_F(ProfileWindowTest, LongFieldsAreCutTo1023BytesWithoutSplittingACharacter)
{
    // 1022 ASCII bytes then a two-byte character: the cut drops the whole character
    SetFieldText(Window(), ctl::kServer, std::string(1022, 's') + "\xC3\xBC" + "tail");
    const std::string path = m_folder.File("long.cvl");
    ASSERT_TRUE(Window().Profile().SaveTo(path));
    EXPECT_NE(FileBytes(path).find(Entry("LDAPServer", std::string(1022, 's'))), std::string::npos);
}
