// The file list's own row store. The list view on the window is an owner-data
// list that shows these rows; every subsystem reads and writes rows through
// the functions here, by 0-based row and column. Window-free: selection,
// current row and scrolling belong to the list view (app/listview_ops.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int FileListColumnCount = 7;  // hidden column 0 and the six visible ones

// Column indexes of the visible columns.
enum FileListColumn {
    ColumnHidden = 0,
    ColumnNumber = 1,    // 序号
    ColumnName = 2,      // 文件名称
    ColumnFolder = 3,    // 文件路径
    ColumnSize = 4,      // 文件大小
    ColumnDate = 5,      // 创建时间
    ColumnDigest = 6,    // 文件摘要
};

// One row: its seven cells stored back to back in one string, so that a
// million rows cost one allocation each instead of seven.
struct FileRow {
    std::string text;                          // cells 0..6 concatenated
    uint32_t cellEnd[FileListColumnCount] = {};  // end offset of each cell in text
    int32_t itemValue = 0;
    uint64_t id = 0;                           // serial number, never reused; moves with the row

    std::string_view Cell(int column) const
    {
        uint32_t begin = column == 0 ? 0 : cellEnd[column - 1];
        return std::string_view(text).substr(begin, cellEnd[column] - begin);
    }
    void SetCell(int column, std::string_view value);
};

int RowCount();
int ColumnCount();
// Appends an empty row with item value 0; returns its index.
int AppendRow();
// Empty for a row or column that does not exist (-1 included).
std::string GetCellText(int row, int column);
std::string_view CellTextView(int row, int column);
// Does nothing for a row or column that does not exist.
void SetCellText(int row, int column, std::string_view text);
int GetItemValue(int row);
void SetItemValue(int row, int value);
void DeleteAllRows();

// Row identity, for work that must find its row again after message pumping
// (a sort may have moved it, a clear or import deleted it).
uint64_t RowId(int row);
// The row that carries id, trying hint first; -1 when it is gone.
int FindRowById(uint64_t id, int hint);

// Direct access for bulk operations (sort, import). Whoever changes rows this
// way calls NotifyFileListChanged afterwards.
std::vector<FileRow>& FileListRows();
// Appends a row built elsewhere (its id is assigned here); returns its index.
int AppendFilledRow(FileRow&& row);
// Replaces every row by rows built elsewhere (an import), which get fresh
// ids; the old rows are freed before the list hears of the change.
void ReplaceAllRows(std::vector<FileRow>&& newRows);

// The window layer learns of changes through this hook, so that it can keep
// the list view's item count and painting in step. Null while no window exists.
enum class FileListChange { Appended, Cleared, CellChanged, Rewritten };
using FileListChangeHook = void (*)(FileListChange change, int row);
void SetFileListChangeHook(FileListChangeHook hook);
void NotifyFileListChanged(FileListChange change, int row);
