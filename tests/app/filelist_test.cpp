#include "app/filelist.h"

#include <gtest/gtest.h>

namespace {

class FileListTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteAllRows(); }
    void TearDown() override { DeleteAllRows(); }
};

TEST_F(FileListTest, AppendedRowsAreEmptyAndNumberedFromTheCount)
{
    EXPECT_EQ(ColumnCount(), 7);
    EXPECT_EQ(AppendRow(), 0);
    EXPECT_EQ(AppendRow(), 1);
    EXPECT_EQ(RowCount(), 2);
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(GetCellText(1, c), "");
    EXPECT_EQ(GetItemValue(1), 0);
}

TEST_F(FileListTest, CellsKeepTheirTextsWhenNeighboursChange)
{
    int row = AppendRow();
    const char* texts[7] = {"", "12", "文件.txt", "C:\\数据\\", "1.5 KB", "2024年1月2日", "0123456789ABCDEF0123456789ABCDEF"};
    for (int c = 6; c >= 0; --c)  // written out of order on purpose
        SetCellText(row, c, texts[c]);
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(GetCellText(row, c), texts[c]) << c;
    // Growing and shrinking a middle cell leaves the others alone.
    SetCellText(row, 3, "D:\\a much longer folder name\\below\\");
    SetCellText(row, 2, "");
    EXPECT_EQ(GetCellText(row, 1), "12");
    EXPECT_EQ(GetCellText(row, 2), "");
    EXPECT_EQ(GetCellText(row, 3), "D:\\a much longer folder name\\below\\");
    EXPECT_EQ(GetCellText(row, 4), "1.5 KB");
    EXPECT_EQ(GetCellText(row, 6), texts[6]);
}

TEST_F(FileListTest, OutOfRangeCellsReadEmptyAndIgnoreWrites)
{
    int row = AppendRow();
    SetCellText(row, 2, "x");
    struct {
        int row, column;
    } outside[] = {{-1, 2}, {1, 2}, {row, -1}, {row, 7}, {1000, 0}};
    for (auto cell : outside) {
        SetCellText(cell.row, cell.column, "written");
        EXPECT_EQ(GetCellText(cell.row, cell.column), "") << cell.row << "," << cell.column;
    }
    EXPECT_EQ(RowCount(), 1);
    EXPECT_EQ(GetCellText(row, 2), "x");
    EXPECT_EQ(GetItemValue(-1), 0);
    SetItemValue(5, 1);  // no row 5: nothing happens
    SetItemValue(row, 1);
    EXPECT_EQ(GetItemValue(row), 1);
}

TEST_F(FileListTest, RowsAreFoundAgainByIdAfterTheyMove)
{
    for (int i = 0; i < 5; ++i)
        SetCellText(AppendRow(), 1, std::to_string(i + 1));
    uint64_t id = RowId(3);
    EXPECT_EQ(FindRowById(id, 3), 3);
    std::swap(FileListRows()[3], FileListRows()[0]);
    EXPECT_EQ(FindRowById(id, 3), 0);
    EXPECT_EQ(GetCellText(0, 1), "4");
    DeleteAllRows();
    EXPECT_EQ(FindRowById(id, 0), -1);
    // Ids are never reused, so a new row in the old place is not mistaken for it.
    AppendRow();
    EXPECT_EQ(FindRowById(id, 0), -1);
    EXPECT_EQ(RowCount(), 1);
}

}  // namespace
