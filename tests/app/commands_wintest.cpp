#include "app/commands.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <set>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/listview_ops.h"
#include "app/mainwindow.h"
#include "app/shellcalls.h"
#include "app/window.h"
#include "support/dialogdriver.h"
#include "support/gui.h"
#include "support/listrows.h"

namespace {

// What the commands handed to the shell, through the replaceable calls.
struct ShellRecord {
    int calls = 0;
    HWND owner = nullptr;
    bool verbNull = false;
    std::string file;
    bool parametersNull = false;
    std::string directory = "<null>";
    INT show = -1;
};
ShellRecord shellRecord;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                    INT show)
{
    ++shellRecord.calls;
    shellRecord.owner = owner;
    shellRecord.verbNull = verb == nullptr;
    shellRecord.file = file ? file : "<null>";
    shellRecord.parametersNull = parameters == nullptr;
    shellRecord.directory = directory ? directory : "<null>";
    shellRecord.show = show;
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

struct ProcessRecord {
    int calls = 0;
    bool applicationNull = false;
    std::string commandLine;
    DWORD startupFlags = 0;
    WORD showWindow = 0;
    bool started = false;
    DWORD processId = 0;
};
ProcessRecord processRecord;
bool startForReal = false;

BOOL WINAPI RecordCreateProcess(LPCSTR application, LPSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                                LPSECURITY_ATTRIBUTES threadAttributes, BOOL inherit, DWORD flags, LPVOID environment,
                                LPCSTR directory, LPSTARTUPINFOA startup, LPPROCESS_INFORMATION process)
{
    ++processRecord.calls;
    processRecord.applicationNull = application == nullptr;
    processRecord.commandLine = commandLine ? commandLine : "<null>";
    processRecord.startupFlags = startup->dwFlags;
    processRecord.showWindow = startup->wShowWindow;
    if (!startForReal)
        return FALSE;  // a failed start, which the command ignores
    BOOL started = CreateProcessA(application, commandLine, processAttributes, threadAttributes, inherit, flags,
                                  environment, directory, startup, process);
    processRecord.started = started != 0;
    processRecord.processId = started ? process->dwProcessId : 0;
    return started;
}

std::set<DWORD> ProcessesNamed(const char* name)
{
    std::set<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, name) == 0)
            ids.insert(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

void EndProcess(DWORD id)
{
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

// A notification of the file list as the list view sends it to MainWindow.
void SendListNotification(UINT code)
{
    NMITEMACTIVATE notification = {};
    notification.hdr.hwndFrom = 超级列表框_文件列表;
    notification.hdr.idFrom = IdFileList;
    notification.hdr.code = code;
    notification.iItem = -1;
    SendMessageA(MainWindow, WM_NOTIFY, IdFileList, reinterpret_cast<LPARAM>(&notification));
}

class CommandsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        shellRecord = ShellRecord();
        processRecord = ProcessRecord();
        startForReal = false;
        ShellExecuteCall = RecordShellExecute;
        CreateProcessCall = RecordCreateProcess;
        for (int i = 0; i < 5; ++i)
            AppendRowWithCells({std::to_string(i + 1), "文件 " + std::to_string(i) + ".txt",
                                "C:\\有 空格\\" + std::to_string(i) + "\\", "", "", ""});
    }
    void TearDown() override
    {
        ShellExecuteCall = ShellExecuteA;
        CreateProcessCall = CreateProcessA;
        MainWindowTest::TearDown();
    }
};

}  // namespace

TEST_F(CommandsTest, OpenHandsTheLowestSelectedRowsPathToTheShell)
{
    SelectRow(3);
    SelectRow(1);
    SendMessageA(MainWindow, WM_COMMAND, CommandOpen, 0);
    EXPECT_EQ(shellRecord.calls, 1);
    EXPECT_EQ(shellRecord.file, "C:\\有 空格\\1\\文件 1.txt");
    EXPECT_TRUE(shellRecord.verbNull);
    EXPECT_TRUE(shellRecord.parametersNull);
    EXPECT_EQ(shellRecord.directory, "");
    EXPECT_EQ(shellRecord.show, SW_SHOWNORMAL);
    EXPECT_EQ(shellRecord.owner, MainWindow);

    // No current row: an empty path.
    ListView_SetItemState(超级列表框_文件列表, -1, 0, LVIS_SELECTED);
    HandleMenuCommand(CommandOpen);
    EXPECT_EQ(shellRecord.calls, 2);
    EXPECT_EQ(shellRecord.file, "");
}

TEST_F(CommandsTest, DoubleClickHandsTheFolderWindowTheUnquotedPathOfTheLowestSelectedRow)
{
    SelectRow(4);
    SelectRow(2);
    SendListNotification(NM_DBLCLK);
    EXPECT_EQ(processRecord.calls, 1);
    EXPECT_TRUE(processRecord.applicationNull);
    EXPECT_EQ(processRecord.commandLine, "explorer.exe /n,/select, C:\\有 空格\\2\\文件 2.txt");
    EXPECT_TRUE(processRecord.startupFlags & STARTF_USESHOWWINDOW);
    EXPECT_EQ(processRecord.showWindow, SW_SHOWNORMAL);

    ListView_SetItemState(超级列表框_文件列表, -1, 0, LVIS_SELECTED);
    ShowCurrentRowInFolder();
    EXPECT_EQ(processRecord.commandLine, "explorer.exe /n,/select, ");
}

TEST_F(CommandsTest, FolderWindowProcessReallyStarts)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    DeleteAllRows();
    AppendRowWithCells({"1", "kestrine_folder_window.txt", temp});
    SelectRow(0);
    std::set<DWORD> before = ProcessesNamed("explorer.exe");
    startForReal = true;
    ShowCurrentRowInFolder();
    ASSERT_TRUE(processRecord.started);
    EXPECT_EQ(processRecord.commandLine, std::string("explorer.exe /n,/select, ") + temp + "kestrine_folder_window.txt");
    EXPECT_EQ(before.count(processRecord.processId), 0u);
    EndProcess(processRecord.processId);
}

TEST_F(CommandsTest, SelectAllSelectsEveryRow)
{
    for (int i = 0; i < 2000; ++i)
        AppendRow();
    SelectRow(7);
    SendMessageA(MainWindow, WM_COMMAND, CommandSelectAll, 0);
    int rows = RowCount();
    int selected = 0;
    for (int row = 0; row < rows; ++row)
        selected += ListView_GetItemState(超级列表框_文件列表, row, LVIS_SELECTED) == LVIS_SELECTED;
    EXPECT_EQ(selected, rows);
    EXPECT_EQ(CurrentRow(), 0);

    DeleteAllRows();
    EXPECT_TRUE(HandleMenuCommand(CommandSelectAll));
    EXPECT_EQ(SelectedRows(), std::vector<int>{});
}

TEST_F(CommandsTest, CopyAndExitThroughTheirCommands)
{
    SelectRow(2);
    SelectRow(0);
    SendMessageA(MainWindow, WM_COMMAND, CommandCopy, 0);
    EXPECT_EQ(StatusText(), "复制成功");
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    std::string text = data ? static_cast<const char*>(GlobalLock(data)) : "<none>";
    if (data)
        GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(text, "1\t文件 0.txt\tC:\\有 空格\\0\\\t\t\t\r\n3\t文件 2.txt\tC:\\有 空格\\2\\\t\t\t\r\n");

    EXPECT_FALSE(HandleMenuCommand(0));
    SendMessageA(MainWindow, WM_COMMAND, CommandExit, 0);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(CommandsTest, ListMenuOpensBesideTheCursorAndItsItemsReachTheWindow)
{
    SetForegroundWindow(MainWindow);
    SetCursorPos(300, 200);
    PumpFor(50);
    // The cursor as the menu was opened: nothing moves it in between, but the
    // display may still report where the pointer was before the move above.
    POINT cursor = {};

    RECT menuRect = {};
    std::vector<std::string> items;
    std::vector<UINT> ids;
    {
        DialogDriver driver(
            [&](HWND popup) {
                if (!popup)
                    return;
                GetCursorPos(&cursor);
                GetWindowRect(popup, &menuRect);
                HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
                for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                    char text[64] = "";
                    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
                    items.push_back(text);
                    ids.push_back(GetMenuItemID(menu, i));
                }
                // The second item, "全选", by the keyboard.
                PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
                PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
                PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
            },
            "#32768");
        SendListNotification(NM_RCLICK);  // a right click in the list
    }
    PumpFor(200);

    EXPECT_EQ(menuRect.left, cursor.x + 3);
    EXPECT_EQ(menuRect.top, cursor.y + 3);
    EXPECT_EQ(items, (std::vector<std::string>{"打开", "全选", "复制", "保存", "退出"}));
    EXPECT_EQ(ids, (std::vector<UINT>{CommandOpen, CommandSelectAll, CommandCopy, CommandSave, CommandExit}));
    // The chosen item came through MainWindow's menu routing.
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2, 3, 4}));
}
