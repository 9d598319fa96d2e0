// export_test.cpp - Edit > Export result from the main window: the bytes written after a search,
// cancel, the default extension, a search stopped by a check, and an unwritable path.
#include <filesystem>
#include <tuple>

#include "search_window_fixture.h"

TEST_F(SearchWindowTest, ExportWritesTheShownValues)
{
    const std::tuple<const char*, const char*, const char*, std::string> cases[] = {
        // {name, search string, result attribute, bytes}
        {"two columns, a missing value", "Smith", "cn,mail", "Smith;  \r\nSmithers;smithers@corvane.test  \r\n"},
        {"several values share a cell, DN order", "Width", "telephoneNumber", "333  \r\n111, 222  \r\n"},
        // Smith has no mail: no list item, but its export line is there, empty
        {"entry without value", "Smith", "mail", "  \r\nsmithers@corvane.test  \r\n"},
        {"semicolon quoted, bytes unchanged", "M\xC3\xBCller", "description", "\"Zimmer 3; 2. Stock\"  \r\n"},
        {"no result", "Nobody", "cn", ""},
    };
    for (const auto& [name, searchString, resultAttribute, bytes] : cases) {
        SCOPED_TRACE(name);
        Search("sn", searchString, resultAttribute);
        TempFolder folder;
        FileDialogAnswers answers({folder.File("out.csv")});
        Commands().Export();
        EXPECT_EQ(FileBytes(folder.File("out.csv")), bytes);
        EXPECT_EQ(answers.Requests(), (Requests{{FileDialogMode::Save, "csv", "CSV file (*.csv)|*.csv||"}}));
    }
}

TEST_F(SearchWindowTest, ExportAfterAStoppedSearchWritesTheSearchBefore)
{
    Search("sn", "Smith", "cn");
    wxTEST_DIALOG(Search("sn", "", "cn"), ExpectMessageBox("No search string selected.", "ERROR", wxICON_INFORMATION));
    TempFolder folder;
    FileDialogAnswers answers({folder.File("result")});  // no extension: csv is added
    Commands().Export();
    EXPECT_EQ(FileBytes(folder.File("result.csv")), "Smith  \r\nSmithers  \r\n");
}

TEST_F(SearchWindowTest, ExportCancelOrAnUnwritablePathWritesNothing)
{
    Search("sn", "Smith", "cn");
    TempFolder folder;
    {
        FileDialogAnswers cancelled({std::nullopt});
        Commands().Export();
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));

    FileDialogAnswers answers({folder.File("missing/out.csv")});
    wxTEST_DIALOG(Commands().Export(), ExpectMessageBox("Cannot create file!", "ERROR", wxICON_ERROR));
    EXPECT_FALSE(std::filesystem::exists(folder.File("missing")));
}
