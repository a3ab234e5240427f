// A window with the file list for the tests of the list commands: a hidden
// top-level window and an owner-data report list over the row store,
// assigned to MainWindow and 超级列表框_文件列表.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/filelist_view.h"
#include "app/window.h"

inline void OpenListWindow()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    MainWindow = CreateWindowExA(0, "STATIC", "list", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                 instance, nullptr);
    超级列表框_文件列表 = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA,
                                         0, 0, 780, 560, MainWindow, nullptr, instance, nullptr);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    for (int i = 0; i < FileListColumnCount; ++i)
        ListView_InsertColumn(超级列表框_文件列表, i, &column);
    AttachFileListView();
}

inline void CloseListWindow()
{
    SetFileListChangeHook(nullptr);
    if (MainWindow && IsWindow(MainWindow))
        DestroyWindow(MainWindow);
    MainWindow = nullptr;
    超级列表框_文件列表 = nullptr;
    DeleteAllRows();
    ResetControlTexts();
}

using RowCells = std::vector<std::string>;  // columns 1 to 6

inline int AppendRowWithCells(const RowCells& cells)
{
    int row = AppendRow();
    for (size_t i = 0; i < cells.size(); ++i)
        SetCellText(row, static_cast<int>(i) + 1, cells[i]);
    return row;
}

inline RowCells RowCellsOf(int row)
{
    RowCells cells;
    for (int column = ColumnNumber; column <= ColumnDigest; ++column)
        cells.push_back(GetCellText(row, column));
    return cells;
}

inline std::string TempFolder()
{
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    return path;
}

// The whole content of a file, or "<missing>".
inline std::string FileBytes(const std::string& path)
{
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return "<missing>";
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.append(buffer, got);
    std::fclose(file);
    return bytes;
}
