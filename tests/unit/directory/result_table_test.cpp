// result_table_test.cpp - ResultTable: stored cells against declared counts, growth, row removal,
// the case-folding sort and the bytes WriteToFile produces.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "directory/result_table.h"

namespace {

/// Every visible cell of a table, row by row.
std::vector<std::vector<std::string>> Visible(const ResultTable& table) {
    std::vector<std::vector<std::string>> rows;
    for (int32_t row = 0; row < table.RowCount(); ++row) {
        std::vector<std::string> cells;
        for (int32_t column = 0; column < table.ColumnCount(); ++column) {
            cells.push_back(table.GetCell(column, row));
        }
        rows.push_back(cells);
    }
    return rows;
}

ResultTable TableOf(const std::vector<std::vector<std::string>>& rows, int32_t columns) {
    ResultTable table;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < rows[row].size(); ++column) {
            EXPECT_TRUE(table.SetCell(static_cast<int32_t>(column), static_cast<int32_t>(row), rows[row][column]));
        }
    }
    table.SetDimensions(columns, static_cast<int32_t>(rows.size()));
    return table;
}

TEST(ResultTable, NewTableIsEmpty) {
    ResultTable table;
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ColumnCount(), 0);
    EXPECT_EQ(table.GetCell(0, 0), "");
    EXPECT_EQ(table.CellLength(0, 0), -1);
    EXPECT_EQ(table.Separator(), ";");
}

TEST(ResultTable, SetCellPlacesTextExactlyAndGrowsAroundIt) {
    ResultTable table;
    ASSERT_TRUE(table.SetCell(2, 0, "c"));
    EXPECT_EQ(table.RowCount(), 0) << "SetCell must not change the declared counts";
    ASSERT_TRUE(table.SetDimensions(3, 1));
    EXPECT_EQ(Visible(table), (std::vector<std::vector<std::string>>{{"", "", "c"}}));

    // A row far below the stored ones: the rows between are created, the text lands exactly.
    ASSERT_TRUE(table.SetCell(0, 2, "x"));
    ASSERT_TRUE(table.SetDimensions(3, 3));
    EXPECT_EQ(table.GetCell(0, 2), "x");
    EXPECT_EQ(table.GetCell(0, 1), "");
    EXPECT_EQ(table.GetCell(1, 2), "");
    EXPECT_EQ(table.CellLength(1, 2), -1) << "a cell past the row's end is missing";
    EXPECT_EQ(table.CellLength(0, 2), 1);

    // Replacing and lengthening a stored row.
    ASSERT_TRUE(table.SetCell(0, 0, "first"));
    ASSERT_TRUE(table.SetCell(4, 2, "far"));
    ASSERT_TRUE(table.SetDimensions(5, 3));
    EXPECT_EQ(table.GetCell(0, 0), "first");
    EXPECT_EQ(table.GetCell(4, 2), "far");
    EXPECT_EQ(table.GetCell(0, 2), "x");
}

TEST(ResultTable, NegativeIndexesAreRefusedOrReadAsMissing) {
    ResultTable table = TableOf({{"a", "b"}}, 2);
    EXPECT_FALSE(table.SetCell(-1, 0, "x"));
    EXPECT_FALSE(table.SetCell(0, -1, "x"));
    EXPECT_EQ(table.GetCell(-1, 0), "");
    EXPECT_EQ(table.CellLength(0, -1), -1);
    EXPECT_EQ(Visible(table), (std::vector<std::vector<std::string>>{{"a", "b"}}));
}

TEST(ResultTable, DeclaredCountsHideStoredCells) {
    ResultTable table = TableOf({{"0", "1", "2", "3", "4"}, {"r1"}}, 3);
    EXPECT_EQ(table.GetCell(4, 0), "");
    EXPECT_EQ(table.CellLength(4, 0), -1);
    EXPECT_EQ(table.GetCell(2, 0), "2");
    EXPECT_EQ(table.GetCell(1, 1), "") << "a shorter row reads empty in the missing columns";

    // The hidden cells stay stored and show again when the counts grow.
    ASSERT_TRUE(table.SetDimensions(5, 1));
    EXPECT_EQ(table.GetCell(4, 0), "4");
    EXPECT_EQ(table.GetCell(0, 1), "") << "row 1 lies beyond the declared rows";
}

TEST(ResultTable, DimensioningRules) {
    struct Case {
        int32_t columns;
        int32_t rows;
        bool accepted;
        int32_t columnCount;
        int32_t rowCount;
    };
    const Case cases[] = {
        {0, 5, false, 4, 4}, {2, -1, false, 4, 4}, {-3, 2, false, 4, 4}, {2, 0, true, 2, 0}, {1, 7, true, 1, 7},
    };
    for (const Case& c : cases) {
        ResultTable table;
        ASSERT_TRUE(table.SetDimensions(4, 4));
        EXPECT_EQ(table.SetDimensions(c.columns, c.rows), c.accepted) << c.columns << "," << c.rows;
        EXPECT_EQ(table.ColumnCount(), c.columnCount) << c.columns << "," << c.rows;
        EXPECT_EQ(table.RowCount(), c.rowCount) << c.columns << "," << c.rows;
    }
}

TEST(ResultTable, FirstDimensionsAndAddRows) {
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
    EXPECT_EQ(table.GetCell(0, 1), "") << "AddRows creates no cells";
}

TEST(ResultTable, RemoveRowMovesLaterRowsUp) {
    ResultTable table = TableOf({{"a"}, {"b"}, {"c"}}, 1);
    ASSERT_TRUE(table.RemoveRow(0));
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_EQ(Visible(table), (std::vector<std::vector<std::string>>{{"b"}, {"c"}}));
    EXPECT_FALSE(table.RemoveRow(2)) << "not stored";
    EXPECT_FALSE(table.RemoveRow(-1));
    EXPECT_EQ(table.RowCount(), 2);

    // A stored row beyond the declared count was never seen: the seen rows keep their count.
    ASSERT_TRUE(table.SetCell(0, 2, "hidden"));
    ASSERT_TRUE(table.RemoveRow(2));
    EXPECT_EQ(Visible(table), (std::vector<std::vector<std::string>>{{"b"}, {"c"}}));
}

TEST(ResultTable, GetCellTextCopiesOnlyWhatFits) {
    ResultTable table = TableOf({{"abc"}}, 1);
    char buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), 'Z');
    EXPECT_TRUE(table.GetCellText(0, 0, buffer, 4));
    EXPECT_STREQ(buffer, "abc");
    std::fill(std::begin(buffer), std::end(buffer), 'Z');
    EXPECT_TRUE(table.GetCellText(0, 0, buffer, 3)) << "text as long as the buffer does not fit";
    EXPECT_STREQ(buffer, "");
    std::fill(std::begin(buffer), std::end(buffer), 'Z');
    EXPECT_TRUE(table.GetCellText(3, 3, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_TRUE(table.GetCellText(0, 0, nullptr, 0));
}

TEST(ResultTable, HoldsAreReleasedAfterEveryOperation) {
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

TEST(ResultTable, CompareKeysFoldsAsciiLettersAndComparesUnsignedBytes) {
    struct Case {
        std::string a;
        std::string b;
        int sign;
    };
    const Case cases[] = {
        {"<ENTRY>CN=A", "<ENTRY>cn=a", 0},
        {"<ENTRY>cn=a", "<ENTRY>cn=a,o=x", -1},  // a prefix is the smaller
        {"<ENTRY>cn=b", "<ENTRY>CN=A", 1},
        {"_", "B", -1},                          // "_" lies between "Z" and "a": folded "b" is greater
        {"[", "a", -1},
        {"\xC3\xBC", "z", 1},                    // bytes above 127 sort after ASCII
        {"\xC3\x9C", "\xC3\xBC", -1},            // no folding outside A-Z
        {"", "", 0},
        {"", "a", -1},
    };
    for (const Case& c : cases) {
        const int order = ResultTable::CompareKeys(c.a, c.b);
        EXPECT_EQ((order > 0) - (order < 0), c.sign) << c.a << " vs " << c.b;
        const int reverse = ResultTable::CompareKeys(c.b, c.a);
        EXPECT_EQ((reverse > 0) - (reverse < 0), -c.sign) << c.b << " vs " << c.a;
    }
}

TEST(ResultTable, SortsByFoldedKeyAndMovesRowsWhole) {
    ResultTable table = TableOf({{"<ENTRY>cn=b", "<ATTRIBUTE>x", "<VALUE>1"},
                                 {"<ENTRY>CN=A"},
                                 {"<ENTRY>cn=a,o=x", "<ATTRIBUTE>y"}},
                                3);
    ASSERT_TRUE(table.SortRows(0, -1, -1));
    EXPECT_EQ(table.GetCell(0, 0), "<ENTRY>CN=A");
    EXPECT_EQ(table.CellLength(1, 0), -1) << "the one-cell row took no cell of another row";
    EXPECT_EQ(table.GetCell(0, 1), "<ENTRY>cn=a,o=x");
    EXPECT_EQ(table.GetCell(1, 1), "<ATTRIBUTE>y");
    EXPECT_EQ(table.CellLength(2, 1), -1);
    EXPECT_EQ(Visible(table)[2], (std::vector<std::string>{"<ENTRY>cn=b", "<ATTRIBUTE>x", "<VALUE>1"}));
}

TEST(ResultTable, SortAgreesWithStdSortOnManyKeyShapes) {
    std::mt19937 random(1640);
    auto randomKey = [&random](int alphabet) {
        static const std::string letters = "aAbBcC_[zZ\xC3\xBC;,= ";
        std::string key = "<ENTRY>cn=";
        const int length = static_cast<int>(random() % 6);
        for (int i = 0; i < length; ++i) {
            key += letters[random() % static_cast<unsigned>(alphabet)];
        }
        return key;
    };
    struct Shape {
        const char* name;
        int rows;
        int alphabet;  // 1: nearly all keys equal
        bool presorted;
    };
    const Shape shapes[] = {
        {"empty", 0, 4, false},        {"one", 1, 4, false},          {"two", 2, 4, false},
        {"random", 2000, 16, false},   {"few keys", 2000, 2, false},  {"all equal", 3000, 1, false},
        {"sorted", 3000, 16, true},
    };
    for (const Shape& shape : shapes) {
        std::vector<std::vector<std::string>> rows;
        for (int i = 0; i < shape.rows; ++i) {
            rows.push_back({randomKey(shape.alphabet), std::to_string(i)});
        }
        auto less = [](const std::vector<std::string>& a, const std::vector<std::string>& b) {
            return ResultTable::CompareKeys(a[0], b[0]) < 0;
        };
        if (shape.presorted) {
            std::sort(rows.begin(), rows.end(), less);
        }
        ResultTable table = TableOf(rows, 2);
        ASSERT_TRUE(table.SortRows(0, -1, -1)) << shape.name;

        std::vector<std::vector<std::string>> expected = rows;
        std::stable_sort(expected.begin(), expected.end(), less);
        const auto sorted = Visible(table);
        ASSERT_EQ(sorted.size(), expected.size()) << shape.name;
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            ASSERT_EQ(ResultTable::CompareKeys(sorted[i][0], expected[i][0]), 0) << shape.name << " row " << i;
        }
        // Every row is still a row of the input (key and number travel together).
        auto byNumber = [](const std::vector<std::string>& a, const std::vector<std::string>& b) { return a[1] < b[1]; };
        auto original = rows;
        auto moved = sorted;
        std::sort(original.begin(), original.end(), byNumber);
        std::sort(moved.begin(), moved.end(), byNumber);
        EXPECT_EQ(moved, original) << shape.name;
    }
}

TEST(ResultTable, SortRangeBoundsAndUnstoredRows) {
    ResultTable table = TableOf({{"d"}, {"c"}, {"b"}, {"a"}}, 1);
    ASSERT_TRUE(table.SortRows(0, 1, 2));
    EXPECT_EQ(Visible(table), (std::vector<std::vector<std::string>>{{"d"}, {"b"}, {"c"}, {"a"}}));
    ASSERT_TRUE(table.SortRows(0, 9, 99)) << "out-of-range bounds mean the whole table";
    EXPECT_EQ(Visible(table), (std::vector<std::vector<std::string>>{{"a"}, {"b"}, {"c"}, {"d"}}));

    // Declared rows that were never stored, and a column some rows lack: no crash, rows intact.
    table.AddRows(3);
    ASSERT_TRUE(table.SetCell(2, 1, "only here"));
    ASSERT_TRUE(table.SortRows(2, -1, -1));
    ASSERT_TRUE(table.SortRows(0, -1, -1));
    EXPECT_EQ(table.RowCount(), 7);
    EXPECT_EQ(table.GetCell(0, 3), "d");
    EXPECT_EQ(table.GetCell(0, 6), "");
}

/// A fresh folder for written files, removed afterwards.
class ResultTableFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-table-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string m_folder;
};

TEST_F(ResultTableFile, WritesSeparatedLinesByteForByte) {
    struct Case {
        const char* name;
        std::vector<std::vector<std::string>> rows;
        int32_t columns;
        std::string bytes;
    };
    const Case cases[] = {
        {"one column", {{"Smith"}, {"Jones"}}, 1, "Smith  \r\nJones  \r\n"},
        {"two columns", {{"Smith", "123"}}, 2, "Smith;123  \r\n"},
        {"no values", {{}}, 2, ";  \r\n"},
        {"separator inside a value", {{"a;b", "c"}}, 2, "a;b;c  \r\n"},
        {"short row and hidden cell", {{"x", "y", "hidden"}, {"z"}}, 2, "x;y  \r\nz;  \r\n"},
        {"8-bit bytes and CR LF kept", {{"M\xC3\xBCller\r\n&<"}}, 1, "M\xC3\xBCller\r\n&<  \r\n"},
    };
    for (const Case& c : cases) {
        ResultTable table;
        for (std::size_t row = 0; row < c.rows.size(); ++row) {
            for (std::size_t column = 0; column < c.rows[row].size(); ++column) {
                table.SetCell(static_cast<int32_t>(column), static_cast<int32_t>(row), c.rows[row][column]);
            }
        }
        ASSERT_TRUE(table.SetDimensions(c.columns, static_cast<int32_t>(c.rows.size())));
        const std::string path = m_folder + "/" + c.name + ".csv";
        ASSERT_TRUE(table.WriteToFile(path)) << c.name;
        EXPECT_EQ(Read(path), c.bytes) << c.name;
    }
}

TEST_F(ResultTableFile, NoRowsReplaceAFileWithAnEmptyOne) {
    const std::string path = m_folder + "/result.csv";
    std::ofstream(path, std::ios::binary) << "old content";
    ResultTable table;
    ASSERT_TRUE(table.WriteToFile(path));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST_F(ResultTableFile, FailuresReportFalseAndKeepExistingFiles) {
    ResultTable table = TableOf({{"a"}}, 1);
    EXPECT_FALSE(table.WriteToFile(""));
    EXPECT_FALSE(table.WriteToFile(m_folder + "/missing/result.csv"));
    // A folder standing where the file should go cannot be replaced by the export.
    std::filesystem::create_directory(m_folder + "/taken");
    std::ofstream(m_folder + "/taken/keep.txt", std::ios::binary) << "keep";
    EXPECT_FALSE(table.WriteToFile(m_folder + "/taken"));
    EXPECT_EQ(Read(m_folder + "/taken/keep.txt"), "keep");
}

}  // namespace
