#include "app/commands.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "app/filelist_view.h"
#include "app/listview_ops.h"
#include "app/shellcalls.h"
#include "app/window.h"
#include "listio/listfile.h"

ShellExecuteFunction ShellExecuteCall = ShellExecuteA;
CreateProcessFunction CreateProcessCall = CreateProcessA;

namespace {

constexpr int MenuOffsetPixels = 3;
constexpr DWORD FolderWindowIdleWaitMs = 1000;

HMENU 菜单 = nullptr;

HMENU ListMenu()
{
    if (!菜单) {
        菜单 = CreatePopupMenu();
        AppendMenuA(菜单, MF_STRING, CommandOpen, "打开");
        AppendMenuA(菜单, MF_STRING, CommandSelectAll, "全选");
        AppendMenuA(菜单, MF_STRING, CommandCopy, "复制");
        AppendMenuA(菜单, MF_STRING, CommandSave, "保存");
        AppendMenuA(菜单, MF_STRING, CommandExit, "退出");
    }
    return 菜单;
}

void OpenCurrentRow()
{
    std::string path = RowFullPath(CurrentRow());
    ShellExecuteCall(MainWindow, nullptr, path.c_str(), nullptr, "", SW_SHOWNORMAL);
}

void SelectAllRows()
{
    if (!超级列表框_文件列表)
        return;
    // Index -1 selects every item of the owner-data list in one step; the
    // list must first know the current row count.
    SyncFileListView();
    ListView_SetItemState(超级列表框_文件列表, -1, LVIS_SELECTED, LVIS_SELECTED);
}

}  // namespace

void ShowListMenu()
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    TrackPopupMenu(ListMenu(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x + MenuOffsetPixels,
                   cursor.y + MenuOffsetPixels, 0, MainWindow, nullptr);
}

bool HandleMenuCommand(int commandId)
{
    switch (commandId) {
    case CommandOpen: OpenCurrentRow(); return true;
    case CommandSelectAll: SelectAllRows(); return true;
    case CommandCopy: CopySelectedRows(); return true;
    case CommandSave: ExportList(); return true;
    case CommandExit: DestroyWindow(MainWindow); return true;
    default: return false;
    }
}

void ShowCurrentRowInFolder()
{
    std::string commandLine = FolderWindowCommandLine(RowFullPath(CurrentRow()));
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessCall(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process))
        return;  // nothing to report: the folder window is a convenience
    WaitForInputIdle(process.hProcess, FolderWindowIdleWaitMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
