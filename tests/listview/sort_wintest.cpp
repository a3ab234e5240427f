// Header clicks on the main window's file list: the rows are sorted and the
// direction alternates, the row that was current is scrolled to where it
// went, and the selection stays at its positions.
#include "listview/sort.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/filelist_view.h"
#include "app/listview_ops.h"
#include "app/state.h"
#include "app/mainwindow.h"
#include "app/window.h"
#include "support/gui.h"

namespace {

class SortWindowTest : public MainWindowTest {
protected:
    // One row per number, with the number in column 1, "name<number>" in
    // column 2 and a marker in hidden column 0.
    static void FillRows(const std::vector<int>& numbers)
    {
        for (int number : numbers) {
            FileRow row;
            row.SetCell(ColumnHidden, "h" + std::to_string(number));
            row.SetCell(ColumnNumber, std::to_string(number));
            row.SetCell(ColumnName, "name" + std::to_string(number));
            AppendFilledRow(std::move(row));
        }
        SyncFileListView();
    }

    // A click on the header, as the list view reports it to its parent.
    static void ClickHeader(int column)
    {
        NMLISTVIEW notify = {};
        notify.hdr.hwndFrom = 超级列表框_文件列表;
        notify.hdr.idFrom = IdFileList;
        notify.hdr.code = LVN_COLUMNCLICK;
        notify.iItem = -1;
        notify.iSubItem = column;
        SendMessageA(MainWindow, WM_NOTIFY, IdFileList, reinterpret_cast<LPARAM>(&notify));
        PumpFor(5);
    }

    // Column texts as the list view shows them (through LVN_GETDISPINFO).
    static std::vector<std::string> ShownColumn(int column)
    {
        std::vector<std::string> texts;
        int count = ListView_GetItemCount(超级列表框_文件列表);
        for (int row = 0; row < count; ++row)
            texts.push_back(ListViewCellText(超级列表框_文件列表, row, column));
        return texts;
    }

    static std::vector<std::string> Texts(const std::vector<int>& numbers, const char* prefix)
    {
        std::vector<std::string> texts;
        for (int number : numbers)
            texts.push_back(prefix + std::to_string(number));
        return texts;
    }

    static bool RowIsShown(int row)
    {
        int top = ListView_GetTopIndex(超级列表框_文件列表);
        int perPage = ListView_GetCountPerPage(超级列表框_文件列表);
        return row >= top && row < top + perPage;
    }

    static bool StatusIsSortMessage()
    {
        const std::string& text = StatusText();
        const std::string head = "索引完毕，本次耗时", tail = "秒";
        return text.size() > head.size() + tail.size() && text.compare(0, head.size(), head) == 0 &&
               text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
    }
};

}  // namespace

TEST_F(SortWindowTest, ClicksAlternateOverAllColumnsStartingDescending)
{
    std::vector<int> numbers = {7, 3, 11, 1, 9, 5, 2};
    FillRows(numbers);
    std::vector<int> ascending = numbers;
    std::sort(ascending.begin(), ascending.end());
    std::vector<int> descending(ascending.rbegin(), ascending.rend());
    // Names compare as bytes: "name11" sorts before "name2".
    std::vector<std::string> namesAscending = Texts(numbers, "name");
    std::sort(namesAscending.begin(), namesAscending.end());

    ClickHeader(ColumnNumber);
    EXPECT_EQ(ShownColumn(ColumnNumber), Texts(descending, ""));
    EXPECT_EQ(ShownColumn(ColumnHidden), Texts(descending, "h"));  // the hidden column moves with its row
    EXPECT_TRUE(StatusIsSortMessage()) << StatusText();

    ClickHeader(ColumnName);  // another column continues the alternation: ascending
    EXPECT_EQ(ShownColumn(ColumnName), namesAscending);

    SetStatusText("");
    ClickHeader(ColumnHidden);  // no key kind: nothing moves, but the click counts and reports
    EXPECT_EQ(ShownColumn(ColumnName), namesAscending);
    EXPECT_TRUE(StatusIsSortMessage()) << StatusText();
    EXPECT_EQ(SortClickCount, 3);

    ClickHeader(ColumnNumber);  // fourth click: ascending
    EXPECT_EQ(ShownColumn(ColumnNumber), Texts(ascending, ""));
}

TEST_F(SortWindowTest, EmptyListStillCountsAndReports)
{
    ClickHeader(ColumnSize);
    EXPECT_EQ(SortClickCount, 1);
    EXPECT_TRUE(StatusIsSortMessage()) << StatusText();
    EXPECT_EQ(RowCount(), 0);
}

TEST_F(SortWindowTest, CurrentRowIsMarkedAndScrolledToWhereItWent)
{
    std::vector<int> numbers;
    for (int i = 0; i < 300; ++i)
        numbers.push_back(i + 1);  // scan order: 1 to 300
    FillRows(numbers);
    SelectRow(0);   // number 1: the current row
    SelectRow(5);
    ClickHeader(ColumnNumber);  // descending: number 1 goes to the end

    EXPECT_EQ(CellTextView(299, ColumnNumber), "1");
    EXPECT_EQ(GetItemValue(299), 1);
    EXPECT_EQ(GetItemValue(0), 0);
    EXPECT_TRUE(RowIsShown(299));
    EXPECT_EQ(ListView_GetItemState(超级列表框_文件列表, 299, LVIS_FOCUSED), static_cast<UINT>(LVIS_FOCUSED));
    // The highlighted rows stay at their positions, now showing other rows.
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 5}));
    EXPECT_FALSE(RowIsShown(0));

    // A second current row is marked too; the list scrolls to the first
    // marked row of the new order.
    ListView_SetItemState(超级列表框_文件列表, -1, 0, LVIS_SELECTED);
    SelectRow(100);  // number 200
    ClickHeader(ColumnNumber);  // ascending: number 1 at row 0, number 200 at row 199
    EXPECT_EQ(GetItemValue(0), 1);
    EXPECT_EQ(GetItemValue(199), 1);
    EXPECT_EQ(CellTextView(199, ColumnNumber), "200");
    EXPECT_TRUE(RowIsShown(0));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{100}));
}

TEST_F(SortWindowTest, NoCurrentRowMarksNothingAndDoesNotScroll)
{
    std::vector<int> numbers;
    for (int i = 0; i < 200; ++i)
        numbers.push_back(i + 1);
    FillRows(numbers);
    ListView_EnsureVisible(超级列表框_文件列表, 150, FALSE);
    int top = ListView_GetTopIndex(超级列表框_文件列表);
    ASSERT_GT(top, 0);

    ClickHeader(ColumnNumber);
    EXPECT_EQ(ListView_GetTopIndex(超级列表框_文件列表), top);
    for (int row = 0; row < RowCount(); ++row)
        ASSERT_EQ(GetItemValue(row), 0) << row;
}
