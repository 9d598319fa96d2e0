// view_writers_test.cpp - the export, the LDIF export and the copied items read the laid-out view:
// every entry in the shown order with its own texts, edited labels only in the copy, the export
// kept when the list is emptied.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "result/result_table.h"
#include "result/shown_result.h"
#include "search/copied_items.h"
#include "search/export_text.h"
#include "search/ldif_export.h"

namespace {

/// A view of rows, each an entry's cells as the queries write them, in columns cn and mail.
ShownResult ShownOf(const std::vector<std::vector<std::string>>& rows)
{
    ResultTable table;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            table.SetCell(static_cast<int32_t>(c), static_cast<int32_t>(r), rows[r][c]);
        }
    }
    table.SetDimensions(6, static_cast<int32_t>(rows.size()));
    ResultColumns columns;
    columns.attributes = columns.headings = {"cn", "mail"};
    ShownResult shown;
    shown.Set(std::move(table), columns);
    return shown;
}

TEST(ViewWriters, TheExportFollowsTheShownOrderWithTheEntriesOwnTexts)
{
    const struct {
        bool ascending;
        std::map<size_t, std::string> edited;
        std::string exported;
    } cases[] = {
        {true, {}, ";  \r\nx;  \r\nx;  \r\ny;  \r\n"},
        {false, {}, "y;  \r\nx;  \r\nx;  \r\n;  \r\n"},
        {true, {{1, "a"}}, ";  \r\ny;  \r\nx;  \r\nx;  \r\n"},  // sorted by the label, exported with the value
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exported);
        // Items: cn=a "x", cn=b "y", cn=c "x"; cn=d has no value and no item.
        ShownResult shown = ShownOf({{"<ENTRY>cn=a", "<ATTRIBUTE>cn", "<VALUE>x"},
                                     {"<ENTRY>cn=b", "<ATTRIBUTE>cn", "<VALUE>y"},
                                     {"<ENTRY>cn=c", "<ATTRIBUTE>cn", "<VALUE>x"},
                                     {"<ENTRY>cn=d"}});
        for (const auto& [item, label] : c.edited) {
            shown.SetLabel(item, label);
        }
        std::vector<uint32_t> followed(shown.ItemCount());
        std::iota(followed.begin(), followed.end(), uint32_t{0});
        ASSERT_TRUE(shown.SortBy(
            0, c.ascending, [](std::string_view) { return std::nullopt; }, followed));
        EXPECT_EQ(ExportText(shown), c.exported);
    }
}

TEST(ViewWriters, EachWriterReadsTheViewAndTheExportOutlivesTheList)
{
    ShownResult shown = ShownOf({
        {"<ENTRY>cn=a", "<ATTRIBUTE>cn", "<VALUE>A1", "<VALUE>A;2", "<ATTRIBUTE>mail", "<VALUE>a@x"},
        {"<ENTRY>cn=b", "<ATTRIBUTE>other", "<VALUE>zzz"},
        {"<ENTRY>cn=c", "<ATTRIBUTE>mail", "<VALUE>"},
    });
    const std::string exported = "\"A1, A;2\";a@x  \r\n;  \r\n;  \r\n";
    EXPECT_EQ(ExportText(shown), exported);
    // The values apart, under their names; an entry without values is named alone.
    EXPECT_EQ(LdifExport(shown),
              "version: 1\n\ndn: cn=a\ncn: A1\ncn: A;2\nmail: a@x\n\ndn: cn=b\n\ndn: cn=c\nmail:\n\n");
    // A label edited on the list is the list's and the copy's, never the export's.
    shown.SetLabel(1, "edited");
    EXPECT_EQ(CopiedItems(shown, {}), "cn\tmail\nA1, A;2\ta@x\nedited\t\n");
    EXPECT_EQ(CopiedItems(shown, {1}), "cn\tmail\nedited\t\n");
    EXPECT_EQ(ExportText(shown), exported);
    shown.ClearItems();
    EXPECT_EQ(ExportText(shown), exported);
    shown.Clear();
    EXPECT_EQ(ExportText(shown), "");
}

TEST(ViewWriters, NamesAndDnsThatAreNotUtf8AreShownReadableAndWrittenToLdifAsTheyCame)
{
    ResultTable table;
    const std::vector<std::string> cells = {"<ENTRY>cn=M\xFCller", "<ATTRIBUTE>n\xE4me", "<VALUE>v", "<ATTRIBUTE>cn",
                                            "<VALUE>c"};
    for (size_t c = 0; c < cells.size(); ++c) {
        table.SetCell(static_cast<int32_t>(c), 0, cells[c]);
    }
    table.SetDimensions(static_cast<int32_t>(cells.size()), 1);
    ResultColumns columns;
    columns.attributes = columns.headings = {"*"};
    ShownResult shown;
    shown.Set(std::move(table), columns);
    EXPECT_EQ(CopiedItems(shown, {}), "n\\E4me\tcn\nv\tc\n");
    // The DN's bytes in base64; a name LDIF cannot hold is named in a comment line instead.
    EXPECT_EQ(LdifExport(shown),
              "version: 1\n\ndn:: Y249TfxsbGVy\n"
              "# left out, its name is no LDIF attribute name: n\\E4me (1 value)\ncn: c\n\n");
}

}  // namespace
