// Duplicate marking in the real main window, started by a click on 按钮_筛重;
// the colours are read back from the file list's custom-draw notifications.
#include "listview/duplicates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/mainwindow.h"
#include "app/state.h"
#include "app/window.h"
#include "listview/colour_table.h"
#include "listview/colours.h"
#include "listview/drawn_colours.h"
#include "support/gui.h"

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);

class DuplicateMarking : public MainWindowTest {
protected:
    void SetUp() override
    {
        ResetCellColours();
        ResetProgramState();
        MainWindowTest::SetUp();
        // Beneath the cell colours' subclass, which the first colour installs.
        drawn::RecordBeneath(window);
        list = 超级列表框_文件列表;
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        ResetCellColours();
        ResetProgramState();
    }

    // One row per digest, numbered like the scan numbers them.
    void FillRows(const std::vector<std::string>& digests)
    {
        for (const std::string& digest : digests) {
            int row = AppendRow();
            SetCellText(row, ColumnNumber, std::to_string(row + 1));
            SetCellText(row, ColumnName, "file" + std::to_string(row));
            SetCellText(row, ColumnDigest, digest);
        }
        FlushPendingViewUpdates();
    }

    std::set<int> RowsWithEntries()
    {
        std::set<int> rows;
        if (const ListColourRecord* record = FindListColourRecord(CellColourTable, list))
            for (const CellColourEntry& entry : ListColourEntries(*record)) {
                EXPECT_EQ(entry.column, ColumnDigest);
                rows.insert(entry.row);
            }
        return rows;
    }

    HWND list = nullptr;
};

TEST_F(DuplicateMarking, EachGroupSharesOneColourAndSinglesStayUncoloured)
{
    const std::string a(32, 'A'), b(32, 'B'), c(32, 'C'), d(32, 'D');
    //                              0  1           2  3  4           5  6   7  8   9  10 11
    const std::vector<std::string> digests = {b, "读取错误", a, b, "读取错误", a, "", c, "", a, d, "a" + a.substr(1)};
    const std::vector<std::set<int>> groups = {{2, 5, 9}, {0, 3}, {1, 4}, {6, 8}};
    const std::set<int> singles = {7, 10, 11};
    FillRows(digests);

    uint32_t before = GetTickCount();
    ClickButton(按钮_筛重);
    uint32_t after = GetTickCount();

    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&CellColourWindowProc));
    std::set<int> marked;
    for (const auto& group : groups)
        marked.insert(group.begin(), group.end());
    EXPECT_EQ(RowsWithEntries(), marked);

    drawn::Repaint(list);
    for (const auto& group : groups) {
        std::optional<drawn::SubItemColours> first = drawn::DrawnColours(list, *group.begin(), ColumnDigest);
        ASSERT_TRUE(first) << *group.begin();
        EXPECT_EQ(first->textBack, FileListBackColour);
        for (int row : group)
            EXPECT_EQ(drawn::DrawnColours(list, row, ColumnDigest), first) << "row " << row;
    }
    for (int row : singles)
        EXPECT_EQ(drawn::DrawnColours(list, row, ColumnDigest), (drawn::SubItemColours{Black, FileListBackColour}))
            << row;
    EXPECT_EQ(drawn::DrawnColours(list, 2, ColumnName), (drawn::SubItemColours{Black, FileListBackColour}));

    // The status line gives the run's time in seconds.
    FlushPendingViewUpdates();
    const std::string prefix = "筛选重复文件完毕，本次耗时";
    const std::string status = ControlText(标签_状态栏);
    ASSERT_GT(status.size(), prefix.size() + 2);
    EXPECT_EQ(status.substr(0, prefix.size()), prefix);
    EXPECT_EQ(status.substr(status.size() - 2), "秒");
    double seconds = std::stod(status.substr(prefix.size(), status.size() - prefix.size() - 2));
    EXPECT_GE(seconds, 0.0);
    EXPECT_LE(seconds, (after - before) / 1000.0);

    // Colours belong to positions: a sort by a header click moves the texts
    // and leaves the colours where they were.
    std::map<int, drawn::SubItemColours> shown;
    for (int row = 0; row < RowCount(); ++row)
        shown[row] = *drawn::DrawnColours(list, row, ColumnDigest);
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = IdFileList;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = ColumnName;  // the first click sorts descending: file9 first
    SendMessageA(window, WM_NOTIFY, IdFileList, reinterpret_cast<LPARAM>(&click));
    ASSERT_EQ(GetCellText(0, ColumnName), "file9");
    EXPECT_EQ(GetCellText(0, ColumnDigest), a);
    FlushPendingViewUpdates();
    drawn::Repaint(list);
    for (int row = 0; row < RowCount(); ++row)
        EXPECT_EQ(drawn::DrawnColours(list, row, ColumnDigest), shown[row]) << row;
}

TEST_F(DuplicateMarking, NothingHappensWhenTheFirstRowHasNoNumber)
{
    struct Case {
        const char* what;
        std::vector<std::string> digests;
    };
    const Case cases[] = {{"empty list", {}}, {"row 0 without number", {"X", "X", "Y", "Y"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteAllRows();
        FillRows(c.digests);
        if (RowCount() > 0)
            SetCellText(0, ColumnNumber, "");
        SetStatusText("before");
        ClickButton(按钮_筛重);
        EXPECT_EQ(StatusText(), "before");
        EXPECT_EQ(FindListColourRecord(CellColourTable, list), nullptr);
        EXPECT_FALSE(SubclassInstalled);
    }
}

// Posts WM_CLOSE once the colouring has begun, at the run's next pump.
void CALLBACK CloseOnceColouring(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!SubclassInstalled || !MainWindow)
        return;
    KillTimer(nullptr, timer);
    PostMessageA(MainWindow, WM_CLOSE, 0, 0);
}

// The window is closed while the run pumps its messages: the run ends there,
// the close takes the subclass off, and nothing is written to the destroyed
// controls or the status line.
TEST_F(DuplicateMarking, StopsWhenTheWindowClosesDuringTheRun)
{
    std::vector<std::string> digests;
    const int rows = 200000;
    for (int row = 0; row < rows; ++row)
        digests.push_back(std::to_string(row % (rows / 2)));
    FillRows(digests);
    SetStatusText("before");
    FlushPendingViewUpdates();
    UINT_PTR timer = SetTimer(nullptr, 0, 1, CloseOnceColouring);
    ASSERT_NE(timer, 0u);

    MarkDuplicates();
    KillTimer(nullptr, timer);

    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(StatusText(), "before");
    // It had begun colouring and stopped before the end.
    ASSERT_NE(FindListColourRecord(CellColourTable, list), nullptr);
    EXPECT_LT(RowsWithEntries().size(), static_cast<size_t>(rows));
}

}  // namespace
