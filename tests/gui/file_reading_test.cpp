// file_reading_test.cpp - files that are no profile through the main window: a pipe, a device, a
// huge file and a text file are refused and never become the current profile; a Latin-1 legacy
// profile searches with the bytes the fields show.
#include <sys/stat.h>

#include <filesystem>

#include "search/export_text.h"
#include "search_window_fixture.h"
#include "storage/file_utils.h"

TEST_F(SearchWindowTest, FilesThatAreNoProfileAreRefusedAndNeverOverwritten)
{
    TempFolder folder;
    const std::string notes = folder.File("notes.txt"), pipe = folder.File("pipe.cvl"), huge = folder.File("huge.cvl");
    const std::string notesText = "Call Smith\r\nabout the budget\r\n";
    WriteBytes(notes, notesText);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    WriteBytes(huge, "");
    std::filesystem::resize_file(huge, kMaxReadFileBytes + 1);

    for (const std::string& path : {notes, pipe, std::string("/dev/zero"), huge}) {
        SCOPED_TRACE(path);
        SetField(ctl::kServer, "kept");
        {
            FileDialogAnswers answers({path});
            wxTEST_DIALOG(RunMenu(cmd::kOpen), ExpectMessageBox("Cannot read file!", "ERROR", wxICON_INFORMATION));
        }
        EXPECT_EQ(FieldText(Window(), ctl::kServer), "kept");
        EXPECT_EQ(Window().Profile().Path(), "");
        EXPECT_EQ(Title(), "Corvane LDAP");
        // Save settings asks for a name instead of writing over the refused file.
        FileDialogAnswers cancelled({std::nullopt});
        RunMenu(cmd::kSave);
        EXPECT_EQ(cancelled.Requests().size(), 1u);
    }
    EXPECT_EQ(FileBytes(notes), notesText);
}

TEST_F(SearchWindowTest, LatinOneLegacyProfileFindsWhatItNames)
{
    // Made on Windows: preselection "Mü" in Latin-1, lines ended by CR CR LF.
    TempFolder folder;
    const std::string path = folder.File("legacy.cvl");
    WriteBytes(path, std::string(test_directory::kFixturesDn) + "\r\r\nM\xfc\r\r\n" + DirectoryServer::Host() +
                         "\r\r\n" + std::to_string(TestServer().Port()) + "\r\r\nsn\r\r\nl\r\r\n");
    ASSERT_TRUE(Window().Profile().Load(path));
    SetField(ctl::kSearchString, "ll");
    Commands().Search();
    WaitForQuery();
    EXPECT_EQ(ExportText(Commands().Result()), "M\xC3\xBCnchen  \r\n");
}
