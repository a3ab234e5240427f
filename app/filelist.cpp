#include "app/filelist.h"

namespace {

std::vector<FileRow> rows;
uint64_t nextRowId = 1;
FileListChangeHook changeHook = nullptr;

bool RowExists(int row) { return row >= 0 && static_cast<size_t>(row) < rows.size(); }
bool ColumnExists(int column) { return column >= 0 && column < FileListColumnCount; }

}  // namespace

void FileRow::SetCell(int column, std::string_view value)
{
    uint32_t begin = column == 0 ? 0 : cellEnd[column - 1];
    uint32_t end = cellEnd[column];
    text.replace(begin, end - begin, value.data(), value.size());
    int64_t delta = static_cast<int64_t>(value.size()) - static_cast<int64_t>(end - begin);
    for (int c = column; c < FileListColumnCount; ++c)
        cellEnd[c] = static_cast<uint32_t>(cellEnd[c] + delta);
}

int RowCount() { return static_cast<int>(rows.size()); }

int ColumnCount() { return FileListColumnCount; }

int AppendRow() { return AppendFilledRow(FileRow()); }

int AppendFilledRow(FileRow&& row)
{
    row.id = nextRowId++;
    rows.push_back(std::move(row));
    int index = static_cast<int>(rows.size()) - 1;
    NotifyFileListChanged(FileListChange::Appended, index);
    return index;
}

void ReplaceAllRows(std::vector<FileRow>&& newRows)
{
    for (FileRow& row : newRows)
        row.id = nextRowId++;
    rows.swap(newRows);
    std::vector<FileRow>().swap(newRows);
    // Selection and current row go with the old rows.
    NotifyFileListChanged(FileListChange::Cleared, -1);
    NotifyFileListChanged(FileListChange::Rewritten, -1);
}

std::string GetCellText(int row, int column) { return std::string(CellTextView(row, column)); }

std::string_view CellTextView(int row, int column)
{
    if (!RowExists(row) || !ColumnExists(column))
        return std::string_view();
    return rows[row].Cell(column);
}

void SetCellText(int row, int column, std::string_view text)
{
    if (!RowExists(row) || !ColumnExists(column))
        return;
    rows[row].SetCell(column, text);
    NotifyFileListChanged(FileListChange::CellChanged, row);
}

int GetItemValue(int row) { return RowExists(row) ? rows[row].itemValue : 0; }

void SetItemValue(int row, int value)
{
    if (RowExists(row))
        rows[row].itemValue = value;
}

void DeleteAllRows()
{
    std::vector<FileRow>().swap(rows);
    NotifyFileListChanged(FileListChange::Cleared, -1);
}

uint64_t RowId(int row) { return RowExists(row) ? rows[row].id : 0; }

int FindRowById(uint64_t id, int hint)
{
    if (id == 0)
        return -1;
    if (RowExists(hint) && rows[hint].id == id)
        return hint;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].id == id)
            return static_cast<int>(i);
    return -1;
}

std::vector<FileRow>& FileListRows() { return rows; }

void SetFileListChangeHook(FileListChangeHook hook) { changeHook = hook; }

void NotifyFileListChanged(FileListChange change, int row)
{
    if (changeHook)
        changeHook(change, row);
}
