// result_table_test.cpp - ResultTable: stored cells against declared counts, growth, row removal
// and the case-folding sort.
#include "result/result_table.h"
#include "result/row_cells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

/// Every visible cell of a table, row by row.
Rows Visible(const ResultTable& table)
{
    Rows rows(static_cast<std::size_t>(table.RowCount()));
    for (int32_t row = 0; row < table.RowCount(); ++row) {
        for (int32_t column = 0; column < table.ColumnCount(); ++column) {
            rows[static_cast<std::size_t>(row)].push_back(table.GetCell(column, row));
        }
    }
    return rows;
}

ResultTable TableOf(const Rows& rows, int32_t columns)
{
    ResultTable table;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < rows[row].size(); ++column) {
            EXPECT_TRUE(table.SetCell(static_cast<int32_t>(column), static_cast<int32_t>(row), rows[row][column]));
        }
    }
    table.SetDimensions(columns, static_cast<int32_t>(rows.size()));
    return table;
}

TEST(ResultTable, SetCellPlacesTextExactlyAndGrowsAroundIt)
{
    ResultTable table;
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ColumnCount(), 0);
    EXPECT_EQ(table.GetCell(0, 0), "");
    EXPECT_EQ(table.CellLength(0, 0), -1);
    ASSERT_TRUE(table.SetCell(2, 0, "c"));
    EXPECT_EQ(table.RowCount(), 0) << "SetCell must not change the declared counts";
    ASSERT_TRUE(table.SetDimensions(3, 1));
    EXPECT_EQ(Visible(table), (Rows{{"", "", "c"}}));

    // A row far below the stored ones: the rows between are created, the text lands exactly.
    ASSERT_TRUE(table.SetCell(0, 2, "x"));
    ASSERT_TRUE(table.SetDimensions(3, 3));
    EXPECT_EQ(Visible(table), (Rows{{"", "", "c"}, {"", "", ""}, {"x", "", ""}}));
    EXPECT_EQ(table.CellLength(1, 2), -1) << "a cell past the row's end is missing";
    EXPECT_EQ(table.CellLength(0, 2), 1);

    // Replacing and lengthening a stored row.
    ASSERT_TRUE(table.SetCell(0, 0, "first"));
    ASSERT_TRUE(table.SetCell(4, 2, "far"));
    ASSERT_TRUE(table.SetDimensions(5, 3));
    EXPECT_EQ(Visible(table), (Rows{{"first", "", "c", "", ""}, {"", "", "", "", ""}, {"x", "", "", "", "far"}}));
}

TEST(ResultTable, RowsGrowCellByCellTakeWholeRowsAndCopyDeep)
{
    ResultTable table;
    std::vector<std::string> expected;
    for (int32_t column = 0; column < 300; ++column) {
        expected.push_back(std::string(static_cast<std::size_t>(column % 7), static_cast<char>('a' + column % 26)));
        ASSERT_TRUE(table.SetCell(column, 0, expected.back()));
    }
    ASSERT_TRUE(table.SetCell(150, 0, "replaced inside"));
    expected[150] = "replaced inside";
    RowCells cells;
    cells.Add("<ENTRY>", "cn=x");
    cells.Add("", "");
    ASSERT_TRUE(table.SetRow(2, cells));
    // A row past 64 KiB keeps wide cell ends; a tag the answer does not use stays part of the text.
    const std::string large(70'000, 'v');
    cells.Clear();
    cells.Add("<ENTRY>", "cn=large");
    cells.Add("<OTHER>", "o");
    cells.Add("<VALUE>", large);
    ASSERT_TRUE(table.SetRow(3, cells));
    ASSERT_TRUE(table.SetDimensions(300, 4));
    EXPECT_EQ(table.GetCell(1, 3), "<OTHER>o");
    EXPECT_EQ(table.GetCell(2, 3), "<VALUE>" + large);
    EXPECT_EQ(table.CellLength(2, 3), 70'007);
    // A cell read apart from its tag, whether stored whole or set as one text.
    EXPECT_EQ(table.CellView(0, 2).tag, "<ENTRY>");
    EXPECT_EQ(table.CellView(0, 2).text, "cn=x");
    ASSERT_TRUE(table.SetCell(3, 3, "<VALUE>set"));  // the stored row grows: its tags stay
    EXPECT_EQ(table.CellView(3, 3).tag, "<VALUE>");
    EXPECT_EQ(table.CellView(3, 3).text, "set");
    EXPECT_EQ(table.GetCell(0, 3), "<ENTRY>cn=large");
    EXPECT_EQ(table.GetCell(2, 3), "<VALUE>" + large);

    const ResultTable& same = table;
    table = same;  // assigned to itself: the rows stored whole stay readable
    ResultTable copy;
    copy = table;
    ASSERT_TRUE(table.SetCell(0, 2, "changed after the copy"));
    for (int32_t column = 0; column < 300; ++column) {
        ASSERT_EQ(copy.GetCell(column, 0), expected[static_cast<std::size_t>(column)]) << column;
    }
    EXPECT_EQ(copy.CellLength(0, 1), -1) << "a row added before a whole row has no cells";
    EXPECT_EQ(copy.GetCell(0, 2), "<ENTRY>cn=x");
    EXPECT_EQ(copy.CellLength(1, 2), 0);
    EXPECT_EQ(copy.CellLength(2, 2), -1);
    EXPECT_EQ(table.GetCell(0, 2), "changed after the copy");
    EXPECT_EQ(table.GetCell(1, 2), "");
}

TEST(ResultTable, DeclaredCountsHideStoredCellsAndNegativeIndexesAreRefused)
{
    ResultTable table = TableOf({{"0", "1", "2", "3", "4"}, {"r1"}}, 3);
    EXPECT_FALSE(table.SetCell(-1, 0, "x"));
    EXPECT_FALSE(table.SetCell(0, -1, "x"));
    EXPECT_EQ(table.GetCell(-1, 0), "");
    EXPECT_EQ(table.CellLength(0, -1), -1);
    EXPECT_EQ(table.GetCell(4, 0), "");
    EXPECT_EQ(table.CellLength(4, 0), -1);
    EXPECT_EQ(Visible(table), (Rows{{"0", "1", "2"}, {"r1", "", ""}})) << "a shorter row reads empty";
    // The hidden cells stay stored and show again when the counts grow; row 1 is then beyond them.
    ASSERT_TRUE(table.SetDimensions(5, 1));
    EXPECT_EQ(table.GetCell(4, 0), "4");
    EXPECT_EQ(table.GetCell(0, 1), "");
}

TEST(ResultTable, DimensioningRules)
{
    struct Case {
        int32_t columns, rows;
        bool accepted;
        int32_t columnCount, rowCount;
    };
    const Case cases[] = {
        {0, 5, false, 4, 4}, {2, -1, false, 4, 4}, {-3, 2, false, 4, 4}, {2, 0, true, 2, 0}, {1, 7, true, 1, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.columns) + "," + std::to_string(c.rows));
        ResultTable table;
        ASSERT_TRUE(table.SetDimensions(4, 4));
        EXPECT_EQ(table.SetDimensions(c.columns, c.rows), c.accepted);
        EXPECT_EQ(table.ColumnCount(), c.columnCount);
        EXPECT_EQ(table.RowCount(), c.rowCount);
    }

    ResultTable table;
    table.AddRows(1);
    EXPECT_EQ(table.RowCount(), 0) << "AddRows before any dimensioning does nothing";
    table.FirstDimensions(0, 3);
    EXPECT_EQ(table.ColumnCount(), 0) << "no columns: not dimensioned";
    table.FirstDimensions(1, 0);
    EXPECT_EQ(table.ColumnCount(), 1);
    EXPECT_EQ(table.RowCount(), 0);
    table.FirstDimensions(5, 5);
    EXPECT_EQ(table.ColumnCount(), 1) << "only the first dimensioning counts";
    table.AddRows(2);
    table.AddRows(0);
    table.AddRows(-4);
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.CellLength(0, 1), -1) << "AddRows creates no cells";
}

TEST(ResultTable, RemoveRowMovesLaterRowsUp)
{
    ResultTable table = TableOf({{"a"}, {"b"}, {"c"}}, 1);
    ASSERT_TRUE(table.RemoveRow(0));
    EXPECT_EQ(Visible(table), (Rows{{"b"}, {"c"}}));
    EXPECT_FALSE(table.RemoveRow(2)) << "not stored";
    EXPECT_FALSE(table.RemoveRow(-1));
    // Every removed row lowers the declared count, a stored row beyond it too; never below 0.
    ASSERT_TRUE(table.SetCell(0, 2, "hidden"));
    ASSERT_TRUE(table.RemoveRow(2));
    EXPECT_EQ(Visible(table), (Rows{{"b"}}));
    ASSERT_TRUE(table.RemoveRow(0));
    ASSERT_TRUE(table.RemoveRow(0));
    EXPECT_EQ(table.RowCount(), 0);
}

TEST(ResultTable, GetCellTextCopiesOnlyWhatFits)
{
    ResultTable table = TableOf({{"abc"}}, 1);
    auto text = [&table](int32_t column, int32_t row, std::size_t size) {
        char buffer[8];
        std::fill(std::begin(buffer), std::end(buffer), 'Z');
        EXPECT_TRUE(table.GetCellText(column, row, buffer, size));
        return std::string(buffer);
    };
    EXPECT_EQ(text(0, 0, 4), "abc");
    EXPECT_EQ(text(0, 0, 3), "") << "text as long as the buffer does not fit";
    EXPECT_EQ(text(3, 3, 8), "");
    EXPECT_TRUE(table.GetCellText(0, 0, nullptr, 0));
}

TEST(ResultTable, HoldsAreReleasedAfterEveryOperation)
{
    // A hold left behind by any operation would make every later write fail.
    ResultTable table = TableOf({{"b", "1"}, {"a", "2"}}, 2);
    char buffer[16];
    for (int round = 0; round < 3; ++round) {
        (void)table.GetCell(0, 0);
        (void)table.GetCell(9, 9);
        table.GetCellText(0, 0, buffer, sizeof buffer);
        table.GetCellText(0, 0, buffer, 1);
        EXPECT_TRUE(table.SortRows(0, -1, -1));
        EXPECT_TRUE(table.SetCell(1, 0, "w" + std::to_string(round)));
        EXPECT_TRUE(table.SetDimensions(2, 2));
        table.AddRows(1);
        EXPECT_TRUE(table.SetDimensions(2, 2));
    }
    EXPECT_EQ(table.GetCell(1, 0), "w2");
}

TEST(ResultTable, CompareKeysFoldsAsciiLettersAndComparesUnsignedBytes)
{
    const struct {
        std::string a, b;
        int sign;
    } cases[] = {
        {"<ENTRY>CN=A", "<ENTRY>cn=a", 0},
        {"<ENTRY>cn=a", "<ENTRY>cn=a,o=x", -1},  // a prefix is the smaller
        {"<ENTRY>cn=b", "<ENTRY>CN=A", 1},
        {"_", "B", -1},  // "_" lies between "Z" and "a": folded "b" is greater
        {"[", "a", -1},
        {"\xC3\xBC", "z", 1},          // bytes above 127 sort after ASCII
        {"\xC3\x9C", "\xC3\xBC", -1},  // no folding outside A-Z
        {"", "", 0},
        {"", "a", -1},
    };
    auto sign = [](int order) {
        return (order > 0) - (order < 0);
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sign(ResultTable::CompareKeys(c.a, c.b)), c.sign) << c.a << " vs " << c.b;
        EXPECT_EQ(sign(ResultTable::CompareKeys(c.b, c.a)), -c.sign) << c.b << " vs " << c.a;
    }
}

TEST(ResultTable, SortsByFoldedKeyAndMovesRowsWhole)
{
    ResultTable table =
        TableOf({{"<ENTRY>cn=b", "<ATTRIBUTE>x", "<VALUE>1"}, {"<ENTRY>CN=A"}, {"<ENTRY>cn=a,o=x", "<ATTRIBUTE>y"}}, 3);
    ASSERT_TRUE(table.SortRows(0, -1, -1));
    EXPECT_EQ(Visible(table), (Rows{{"<ENTRY>CN=A", "", ""},
                                    {"<ENTRY>cn=a,o=x", "<ATTRIBUTE>y", ""},
                                    {"<ENTRY>cn=b", "<ATTRIBUTE>x", "<VALUE>1"}}));
    EXPECT_EQ(table.CellLength(1, 0), -1) << "the one-cell row took no cell of another row";
    EXPECT_EQ(table.CellLength(2, 1), -1);
}

TEST(ResultTable, SortAgreesWithStdSortOnManyKeyShapes)
{
    std::mt19937 random(1640);
    const std::string letters = "aAbBcC_[zZ\xC3\xBC;,= ";
    auto less = [](const std::vector<std::string>& a, const std::vector<std::string>& b) {
        return ResultTable::CompareKeys(a[0], b[0]) < 0;
    };
    const struct {
        const char* name;
        int rows;
        unsigned alphabet;  // 1: nearly all keys equal
        bool presorted;
    } shapes[] = {
        {"empty", 0, 4, false},      {"one", 1, 4, false},         {"two", 2, 4, false},
        {"random", 2000, 16, false}, {"few keys", 2000, 2, false}, {"all equal", 3000, 1, false},
        {"sorted", 3000, 16, true},
    };
    for (const auto& shape : shapes) {
        SCOPED_TRACE(shape.name);
        Rows rows;
        for (int i = 0; i < shape.rows; ++i) {
            std::string key = "<ENTRY>cn=";
            for (unsigned length = random() % 6; length > 0; --length) {
                key += letters[random() % shape.alphabet];
            }
            rows.push_back({key, std::to_string(i)});
        }
        if (shape.presorted) {
            std::sort(rows.begin(), rows.end(), less);
        }
        ResultTable table = TableOf(rows, 2);
        ASSERT_TRUE(table.SortRows(0, -1, -1));
        Rows expected = rows;
        std::stable_sort(expected.begin(), expected.end(), less);
        Rows sorted = Visible(table);
        ASSERT_EQ(sorted.size(), expected.size());
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            ASSERT_EQ(ResultTable::CompareKeys(sorted[i][0], expected[i][0]), 0) << "row " << i;
        }
        // Every row is still a row of the input (key and number travel together).
        std::sort(rows.begin(), rows.end());
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, rows);
    }
}

TEST(ResultTable, SortRangeBoundsAndUnstoredRows)
{
    ResultTable table = TableOf({{"d"}, {"c"}, {"b"}, {"a"}}, 1);
    ASSERT_TRUE(table.SortRows(0, 1, 2));
    EXPECT_EQ(Visible(table), (Rows{{"d"}, {"b"}, {"c"}, {"a"}}));
    ASSERT_TRUE(table.SortRows(0, 9, 99)) << "out-of-range bounds mean the whole table";
    EXPECT_EQ(Visible(table), (Rows{{"a"}, {"b"}, {"c"}, {"d"}}));

    // Declared rows that were never stored, and a column some rows lack: no crash, rows intact.
    table.AddRows(3);
    ASSERT_TRUE(table.SetCell(2, 1, "only here"));
    ASSERT_TRUE(table.SortRows(2, -1, -1));
    ASSERT_TRUE(table.SortRows(0, -1, -1));
    EXPECT_EQ(table.RowCount(), 7);
    EXPECT_EQ(table.GetCell(0, 3), "d");
    EXPECT_EQ(table.GetCell(0, 6), "");
}

}  // namespace
