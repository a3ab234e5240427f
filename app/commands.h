// The commands on the rows of the file list: the popup menu 菜单 with its
// five items, and the double click that shows a file in a folder window.
#pragma once

#include <string>
#include <string_view>

// Command ids of the items of 菜单, as WM_COMMAND brings them to MainWindow.
enum ListMenuCommand {
    CommandOpen = 40001,  // "打开"
    CommandSelectAll,     // "全选"
    CommandCopy,          // "复制"
    CommandSave,          // "保存"
    CommandExit,          // "退出"
};

// Shows 菜单 at the mouse cursor (3 pixels to the right and down).
void ShowListMenu();
// Runs the item with this command id; false when the id is none of ours.
bool HandleMenuCommand(int commandId);
// Starts a new shell folder window with the current row's file selected.
void ShowCurrentRowInFolder();

// The full path of a row: its folder (column 3) followed by its name (column 2).
std::string RowFullPath(int row);
// The command line of the folder window that shows fullPath selected; the
// path goes unquoted, exactly as the two cells join.
std::string FolderWindowCommandLine(std::string_view fullPath);
