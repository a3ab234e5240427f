#pragma once

// The file list's popup menu 菜单 at the cursor.
void ShowListMenu();
// Runs a command of 菜单; false when the id is none of its items.
bool HandleMenuCommand(int commandId);
// Double click: shows the current row's file selected in a new folder window.
void ShowCurrentRowInFolder();
