// The scan driven through the real main window: the click on 按钮_扫描, the
// rows in the owner-data list view, the caption and the status line.
#include <windows.h>
#include <commctrl.h>

#include <ostream>

#include "app/commands.h"
#include "app/controls.h"
#include "app/filelist.h"
#include "app/state.h"
#include "app/window.h"
#include "support/gui.h"
#include "support/reference_md5.h"

namespace {

using ScanThroughTheWindow = MainWindowTest;

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

TEST_F(ScanThroughTheWindow, ClickListsTheTreeInTheListView)
{
    TempFolder folder;
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

// The two ways the window goes while a walk runs: closing it, and "退出",
// which destroys it without closing it first.
struct WindowEnding {
    const char* name;
    UINT message;
    WPARAM wParam;
};

void PrintTo(const WindowEnding& ending, std::ostream* out) { *out << ending.name; }

class WindowGoneDuringAWalk : public MainWindowTest, public ::testing::WithParamInterface<WindowEnding> {};

TEST_P(WindowGoneDuringAWalk, EndsTheWalkAndTheProgram)
{
    TempFolder folder;
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(WriteTestFile(folder.path + "S\\d" + std::to_string(i % 4) + "\\f" + std::to_string(i) + ".txt", "x"));
    SetAddressText(folder.path + "S");
    // The message is queued; the walk's first pump destroys the window in the
    // middle of the walk, which must then end without touching any control.
    PostMessageA(window, GetParam().message, GetParam().wParam, 0);
    ClickButton(按钮_扫描);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(MainWindow, nullptr);
    EXPECT_EQ(超级列表框_文件列表, nullptr);
    EXPECT_LT(RowCount(), 20) << "the walk went on after the window was gone";
    EXPECT_FALSE(StopRequested);
    EXPECT_TRUE(WindowClosing);
    EXPECT_TRUE(StartsWith(StatusText(), "扫描完毕，本次耗时"));
    // The message loop gets its quit message.
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

INSTANTIATE_TEST_SUITE_P(CloseAndExit, WindowGoneDuringAWalk,
                         ::testing::Values(WindowEnding{"close", WM_CLOSE, 0},
                                           WindowEnding{"exit from the menu", WM_COMMAND, CommandExit}));

}  // namespace
