// export_test.cpp - Edit > Export result from the main window: the bytes written after a search,
// cancel, the default extension, a search stopped by a check, and an unwritable path.
#include <filesystem>

#include "search_window_fixture.h"

TEST_F(SearchWindowTest, ExportWritesTheShownValues)
{
    struct ExportCase {
        const char* name;
        const char* searchString;
        const char* resultAttribute;
        std::string bytes;
    };
    const std::vector<ExportCase> cases = {
        {"two columns, a missing value", "Smith", "cn,mail", "Smith;  \r\nSmithers;smithers@corvane.test  \r\n"},
        {"first value only, DN order", "Width", "telephoneNumber", "333  \r\n111  \r\n"},
        // Smith has no mail: no list item, but its export line is there, empty
        {"entry without value", "Smith", "mail", "  \r\nsmithers@corvane.test  \r\n"},
        {"semicolon and bytes unchanged", "M\xC3\xBCller", "description", "Zimmer 3; 2. Stock  \r\n"},
        {"no result", "Nobody", "cn", ""},
    };
    for (const ExportCase& c : cases) {
        SCOPED_TRACE(c.name);
        Search("sn", c.searchString, c.resultAttribute);
        TempFolder folder;
        FileDialogAnswers answers({folder.File("out.csv")});
        Commands().Export();
        EXPECT_EQ(FileBytes(folder.File("out.csv")), c.bytes);
        ASSERT_EQ(answers.Requests().size(), 1u);
        EXPECT_EQ(answers.Requests()[0].mode, FileDialogMode::Save);
        EXPECT_EQ(answers.Requests()[0].defaultExtension, "csv");
        EXPECT_EQ(answers.Requests()[0].filter, "CSV file (*.csv)|*.csv||");
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

TEST_F(SearchWindowTest, ExportCancelWritesNothing)
{
    Search("sn", "Smith", "cn");
    TempFolder folder;
    FileDialogAnswers answers({std::nullopt});
    Commands().Export();
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST_F(SearchWindowTest, ExportToAnUnwritablePathSaysSo)
{
    Search("sn", "Smith", "cn");
    TempFolder folder;
    FileDialogAnswers answers({folder.File("missing/out.csv")});
    wxTEST_DIALOG(Commands().Export(), ExpectMessageBox("Cannot create file!", "ERROR", wxICON_ERROR));
    EXPECT_FALSE(std::filesystem::exists(folder.File("missing")));
}
