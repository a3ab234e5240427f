// The scan driven through the real main window: the click on 按钮_扫描, the
// rows in the owner-data list view, the caption and the status line.
#include <windows.h>
#include <commctrl.h>

#include "app/commands.h"
#include "app/controls.h"
#include "app/filelist.h"
#include "app/state.h"
#include "app/window.h"
#include "support/gui.h"
#include "support/reference_md5.h"

namespace {

using ScanThroughTheWindow = MainWindowTest;

// A complete walk leaves the current directory in the start folder's parent,
// which could then not be removed; this puts it back before the folder goes.
struct CurrentDirectoryRestorer {
    char saved[MAX_PATH] = "";
    CurrentDirectoryRestorer() { GetCurrentDirectoryA(MAX_PATH, saved); }
    ~CurrentDirectoryRestorer() { SetCurrentDirectoryA(saved); }
};

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

TEST_F(ScanThroughTheWindow, ClickListsTheTreeInTheListView)
{
    TempFolder folder;
    CurrentDirectoryRestorer restorer;
    ASSERT_TRUE(WriteTestFile(folder.path + "S\\sub\\inner.txt", "inner"));
    ASSERT_TRUE(WriteTestFile(folder.path + "S\\outer.txt", "outer text"));
    SetAddressText(folder.path + "S");
    SetKeywordText("");
    ClickButton(按钮_扫描);
    PumpFor(50);

    ASSERT_EQ(RowCount(), 2);
    HWND list = 超级列表框_文件列表;
    EXPECT_EQ(ListView_GetItemCount(list), 2);
    EXPECT_EQ(ListViewCellText(list, 0, ColumnName), "inner.txt");
    EXPECT_EQ(ListViewCellText(list, 0, ColumnFolder), folder.path + "S\\sub\\");
    EXPECT_EQ(ListViewCellText(list, 0, ColumnDigest), reference_md5::HexOf("inner"));
    EXPECT_EQ(ListViewCellText(list, 1, ColumnNumber), "2");
    EXPECT_EQ(ListViewCellText(list, 1, ColumnName), "outer.txt");
    EXPECT_EQ(ListViewCellText(list, 1, ColumnSize), "10 B");
    EXPECT_EQ(ControlText(按钮_扫描), "扫描");
    EXPECT_TRUE(StartsWith(ControlText(标签_状态栏), "扫描完毕，本次耗时")) << ControlText(标签_状态栏);
}

TEST_F(ScanThroughTheWindow, SecondClickWhileTheWalkRunsStopsIt)
{
    TempFolder folder;
    CurrentDirectoryRestorer restorer;
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(WriteTestFile(folder.path + "S\\f" + std::to_string(i) + ".txt", "x"));
    SetAddressText(folder.path + "S");
    // The queued click reaches the button at the walk's first pump, before
    // any file has been listed, and runs the handler nested inside the walk.
    PostMessageA(按钮_扫描, BM_CLICK, 0, 0);
    ClickButton(按钮_扫描);
    EXPECT_EQ(RowCount(), 0);
    EXPECT_FALSE(StopRequested);
    EXPECT_EQ(ControlText(按钮_扫描), "扫描");
    PumpFor(50);
    EXPECT_TRUE(StartsWith(ControlText(标签_状态栏), "扫描完毕，本次耗时")) << ControlText(标签_状态栏);

    // The next click scans again, completely.
    ClickButton(按钮_扫描);
    EXPECT_EQ(RowCount(), 5);
}

TEST_F(ScanThroughTheWindow, ClosingTheWindowEndsTheWalkAndTheProgram)
{
    TempFolder folder;
    CurrentDirectoryRestorer restorer;
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(WriteTestFile(folder.path + "S\\d" + std::to_string(i % 4) + "\\f" + std::to_string(i) + ".txt", "x"));
    SetAddressText(folder.path + "S");
    // The close is queued; the walk's first pump destroys the window in the
    // middle of the walk, which must then end without touching any control.
    PostMessageA(window, WM_CLOSE, 0, 0);
    ClickButton(按钮_扫描);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(MainWindow, nullptr);
    EXPECT_EQ(超级列表框_文件列表, nullptr);
    EXPECT_LT(RowCount(), 20) << "the walk went on after the window was closed";
    EXPECT_FALSE(StopRequested);
    EXPECT_TRUE(WindowClosing);
    EXPECT_TRUE(StartsWith(StatusText(), "扫描完毕，本次耗时"));
    // The message loop gets its quit message.
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(ScanThroughTheWindow, ExitFromTheMenuDuringAWalkEndsIt)
{
    TempFolder folder;
    CurrentDirectoryRestorer restorer;
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(WriteTestFile(folder.path + "S\\f" + std::to_string(i) + ".txt", "x"));
    SetAddressText(folder.path + "S");
    // "退出" destroys the window without closing it first.
    PostMessageA(window, WM_COMMAND, CommandExit, 0);
    ClickButton(按钮_扫描);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_LT(RowCount(), 20) << "the walk went on after the window was gone";
    EXPECT_FALSE(StopRequested);
}

}  // namespace
