#include "app/mainwindow.h"

#include <commctrl.h>
#include <process.h>

#include <atomic>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/state.h"
#include "app/window.h"
#include "support/gui.h"

namespace {

using MainWindowLayout = MainWindowTest;
using MainWindowActions = MainWindowTest;

TEST_F(MainWindowLayout, ControlsStandWhereTheFormPutsThem)
{
    EXPECT_EQ(ControlText(window), "Kestrine  Moravelle  tandrix");
    struct Expected {
        HWND control;
        const char* className;
        const char* text;
        RECT rect;  // left, top, right, bottom
    } controls[] = {
        {按钮_选择, "Button", "选择目录", {30, 15, 90, 45}},
        {编辑框_地址, "Edit", "", {100, 15, 420, 45}},
        {编辑框_关键字, "Edit", "关键字", {490, 15, 610, 45}},
        {按钮_扫描, "Button", "扫描", {680, 15, 740, 45}},
        {按钮_清空, "Button", "清空", {780, 15, 840, 45}},
        {按钮_筛重, "Button", "筛重", {880, 15, 940, 45}},
        {按钮_读取, "Button", "读取", {980, 15, 1040, 45}},
        {超级列表框_文件列表, "SysListView32", "", {0, 60, 1073, 552}},
        {标签_状态栏, "Static", "", {0, 551, 1073, 571}},
    };
    for (const Expected& e : controls) {
        ASSERT_TRUE(IsWindow(e.control)) << e.text;
        EXPECT_EQ(GetParent(e.control), window);
        char className[64] = "";
        GetClassNameA(e.control, className, sizeof className);
        EXPECT_STREQ(className, e.className);
        EXPECT_EQ(ControlText(e.control), e.text);
        RECT r = ChildRect(e.control);
        EXPECT_EQ(r.left, e.rect.left) << className << " " << e.text;
        EXPECT_EQ(r.top, e.rect.top) << className << " " << e.text;
        EXPECT_EQ(r.right, e.rect.right) << className << " " << e.text;
        EXPECT_EQ(r.bottom, e.rect.bottom) << className << " " << e.text;
    }
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_GE(frame.right - frame.left, 1079);
    EXPECT_GE(frame.bottom - frame.top, 600);
}

TEST_F(MainWindowLayout, FileListHasTheListSettingsAndColumns)
{
    HWND list = 超级列表框_文件列表;
    LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_OWNERDATA);
    EXPECT_TRUE(style & LVS_EDITLABELS);
    EXPECT_TRUE(style & WS_BORDER);
    EXPECT_FALSE(style & (LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_NOCOLUMNHEADER | LVS_SORTASCENDING |
                          LVS_SORTDESCENDING));
    DWORD ex = ListView_GetExtendedListViewStyle(list);
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
    EXPECT_TRUE(ex & LVS_EX_HEADERDRAGDROP);
    EXPECT_FALSE(ex & (LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE));
    EXPECT_EQ(ListView_GetTextColor(list), RGB(0, 0, 0));
    EXPECT_EQ(ListView_GetTextBkColor(list), RGB(128, 160, 128));
    EXPECT_EQ(ListView_GetBkColor(list), RGB(128, 160, 128));

    struct {
        const char* header;
        int width;
    } columns[] = {{"", 0}, {"序号", 48}, {"文件名称", 288}, {"文件路径", 288},
                   {"文件大小", 96}, {"创建时间", 96}, {"文件摘要", 240}};
    HWND header = ListView_GetHeader(list);
    EXPECT_EQ(Header_GetItemCount(header), 7);
    for (int i = 0; i < 7; ++i) {
        char text[64] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(text, columns[i].header);
        EXPECT_EQ(column.cx, columns[i].width) << i;
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    }
    EXPECT_EQ(ListView_GetItemCount(list), 0);
}

TEST_F(MainWindowLayout, ListAndStatusLineFollowTheWindowSizeButtonsStay)
{
    RECT before = ChildRect(按钮_读取);
    RECT client;
    GetClientRect(window, &client);
    RECT listBefore = ChildRect(超级列表框_文件列表);
    RECT statusBefore = ChildRect(标签_状态栏);
    SetWindowPos(window, nullptr, 0, 0, 1400, 900, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(10);
    RECT grown;
    GetClientRect(window, &grown);
    ASSERT_GT(grown.right, client.right);
    RECT list = ChildRect(超级列表框_文件列表);
    RECT status = ChildRect(标签_状态栏);
    LONG dx = grown.right - client.right, dy = grown.bottom - client.bottom;
    EXPECT_EQ(list.right, listBefore.right + dx);
    EXPECT_EQ(list.bottom, listBefore.bottom + dy);
    EXPECT_EQ(status.right, statusBefore.right + dx);
    EXPECT_EQ(status.top, statusBefore.top + dy);
    EXPECT_EQ(list.top, 60);
    EXPECT_EQ(list.bottom, status.top + 1);
    RECT after = ChildRect(按钮_读取);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);

    // Never smaller than the form.
    SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(10);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_GE(frame.right - frame.left, 1079);
    EXPECT_GE(frame.bottom - frame.top, 600);
}

COLORREF EditTextColour(HWND window, HWND edit)
{
    HDC dc = GetDC(edit);
    SendMessageA(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
    COLORREF colour = GetTextColor(dc);
    ReleaseDC(edit, dc);
    return colour;
}

TEST_F(MainWindowActions, KeywordPlaceholderClearsOnTheFirstClickOnly)
{
    EXPECT_EQ(EditTextColour(window, 编辑框_关键字), RGB(192, 192, 192));
    EXPECT_EQ(EditTextColour(window, 编辑框_地址), RGB(0, 0, 0));
    SendMessageA(编辑框_关键字, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(ControlText(编辑框_关键字), "关键字") << "the placeholder goes when the button is released";
    SendMessageA(编辑框_关键字, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(ControlText(编辑框_关键字), "");
    EXPECT_TRUE(KeywordCleared);
    EXPECT_EQ(EditTextColour(window, 编辑框_关键字), RGB(0, 0, 0));

    SetWindowTextA(编辑框_关键字, "报告");
    SendMessageA(编辑框_关键字, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(编辑框_关键字, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(ControlText(编辑框_关键字), "报告");
    EXPECT_EQ(KeywordText(), "报告");
}

TEST_F(MainWindowActions, ClearEmptiesTheListAndSaysSo)
{
    for (int i = 0; i < 50; ++i)
        SetCellText(AppendRow(), 2, "f" + std::to_string(i));
    PumpFor(40);
    ASSERT_EQ(ListView_GetItemCount(超级列表框_文件列表), 50);
    ListView_SetItemState(超级列表框_文件列表, 3, LVIS_SELECTED, LVIS_SELECTED);

    ClickButton(按钮_清空);
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(ListView_GetItemCount(超级列表框_文件列表), 0);
    EXPECT_EQ(ListView_GetNextItem(超级列表框_文件列表, -1, LVNI_SELECTED), -1);
    PumpFor(40);
    EXPECT_EQ(ControlText(标签_状态栏), "已清空文件列表");

    // An empty list still says it.
    SetStatusText("x");
    PumpFor(40);
    ClickButton(按钮_清空);
    PumpFor(40);
    EXPECT_EQ(ControlText(标签_状态栏), "已清空文件列表");
}

TEST_F(MainWindowActions, ListViewShowsTheRowStore)
{
    const int rows = 2000;
    for (int i = 0; i < rows; ++i) {
        int row = AppendRow();
        SetCellText(row, 1, std::to_string(i + 1));
        SetCellText(row, 2, "文件" + std::to_string(i) + ".txt");
    }
    EXPECT_TRUE(PumpUntil([] { return ListView_GetItemCount(超级列表框_文件列表) == rows; }, 2000));
    EXPECT_EQ(ListViewCellText(超级列表框_文件列表, 0, 1), "1");
    EXPECT_EQ(ListViewCellText(超级列表框_文件列表, 1999, 2), "文件1999.txt");
    SetCellText(5, 2, "改过的名字");
    EXPECT_EQ(ListViewCellText(超级列表框_文件列表, 5, 2), "改过的名字");

    // A text longer than the list view's buffer is cut before a whole character.
    std::string longName(300, 'a');
    longName += "中文";
    for (int i = 0; i < 200; ++i)
        longName += "文";
    SetCellText(0, 2, longName);
    char buffer[304] = "";
    LVITEMA item = {};
    item.iSubItem = 2;
    item.pszText = buffer;
    item.cchTextMax = 302;  // room for 300 ASCII bytes and half of 中
    SendMessageA(超级列表框_文件列表, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::string(buffer), std::string(300, 'a'));
}

TEST_F(MainWindowActions, LabelEditOfTheHiddenColumnIsKept)
{
    SetCellText(AppendRow(), 2, "a.txt");
    PumpFor(40);
    SetFocus(超级列表框_文件列表);
    HWND edit = ListView_EditLabel(超级列表框_文件列表, 0);
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, "备注");
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    PumpFor(20);
    EXPECT_EQ(GetCellText(0, 0), "备注");
    EXPECT_EQ(GetCellText(0, 2), "a.txt");
}

TEST_F(MainWindowActions, StatusLineShowsTheLatestText)
{
    for (int i = 0; i < 1000; ++i)
        SetStatusText("Z:\\tmp\\file" + std::to_string(i));
    EXPECT_TRUE(PumpUntil([] { return ControlText(标签_状态栏) == "Z:\\tmp\\file999"; }, 1000));
    EXPECT_EQ(StatusText(), "Z:\\tmp\\file999");
}

// Finds the folder browser of this process and cancels it, after checking
// that it shows the program's title text.
struct BrowserWatch {
    std::atomic<bool> sawTitle{false};
    std::atomic<bool> cancelled{false};
    std::atomic<bool> mainDisabled{false};
    HWND mainWindow = nullptr;
};

BOOL CALLBACK FindTitle(HWND child, LPARAM watch)
{
    char text[128] = "";
    GetWindowTextA(child, text, sizeof text);
    if (std::string(text) == "请选择目录")
        reinterpret_cast<BrowserWatch*>(watch)->sawTitle = true;
    return TRUE;
}

BOOL CALLBACK FindBrowser(HWND candidate, LPARAM watch)
{
    auto* w = reinterpret_cast<BrowserWatch*>(watch);
    DWORD process = 0;
    GetWindowThreadProcessId(candidate, &process);
    char className[64] = "";
    GetClassNameA(candidate, className, sizeof className);
    if (process != GetCurrentProcessId() || std::string(className) != "#32770" || !IsWindowVisible(candidate))
        return TRUE;
    EnumChildWindows(candidate, FindTitle, watch);
    w->mainDisabled = !IsWindowEnabled(w->mainWindow);
    PostMessageA(candidate, WM_COMMAND, IDCANCEL, 0);
    w->cancelled = true;
    return FALSE;
}

unsigned __stdcall CancelBrowserThread(void* watch)
{
    auto* w = static_cast<BrowserWatch*>(watch);
    for (int i = 0; i < 1000 && !w->cancelled; ++i) {
        EnumWindows(FindBrowser, reinterpret_cast<LPARAM>(w));
        Sleep(10);
    }
    return 0;
}

TEST_F(MainWindowActions, CancelledFolderBrowserLeavesAddressAndStatusEmpty)
{
    SetWindowTextA(编辑框_地址, "C:\\old");
    SetStatusText("old status");
    PumpFor(40);
    BrowserWatch watch;
    watch.mainWindow = window;
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, CancelBrowserThread, &watch, 0, nullptr));
    ASSERT_NE(thread, nullptr);
    ClickButton(按钮_选择);  // returns when the browser has been cancelled
    WaitForSingleObject(thread, 15000);
    CloseHandle(thread);
    EXPECT_TRUE(watch.cancelled);
    EXPECT_TRUE(watch.sawTitle);
    EXPECT_TRUE(watch.mainDisabled);
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_EQ(ControlText(编辑框_地址), "");
    PumpFor(40);
    EXPECT_EQ(ControlText(标签_状态栏), "");
}

}  // namespace

namespace {

// Counts the dark pixels the status line shows on the screen.
int DarkPixelsOfStatusLine()
{
    RECT rect = ChildRect(标签_状态栏);
    HDC dc = GetDC(MainWindow);
    int dark = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.left + 200; ++x) {
            COLORREF pixel = GetPixel(dc, x, y);
            if (pixel != CLR_INVALID && GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 200)
                ++dark;
        }
    ReleaseDC(MainWindow, dc);
    return dark;
}

TEST_F(MainWindowActions, StatusLineTextIsPaintedAndErased)
{
    // Only the normal painting that follows a change of text.
    SetStatusText("扫描完毕，本次耗时1.5秒");
    PumpFor(80);
    EXPECT_GT(DarkPixelsOfStatusLine(), 20);

    SetStatusText("");
    PumpFor(80);
    EXPECT_EQ(DarkPixelsOfStatusLine(), 0);
}

}  // namespace
