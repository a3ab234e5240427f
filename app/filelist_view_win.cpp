#include "app/filelist_view.h"

#include <commctrl.h>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/listview_ops.h"
#include "app/window.h"

namespace {

int shownRowCount = 0;   // the item count the list view was last told
uint32_t lastCountCostMs = 0;  // how long telling it took the last time
bool repaintPending = false;

bool ListExists() { return 超级列表框_文件列表 && IsWindow(超级列表框_文件列表); }

void OnFileListChanged(FileListChange change, int row)
{
    switch (change) {
    case FileListChange::Cleared:
        // At once: selection and current row must be gone with the rows.
        shownRowCount = 0;
        if (ListExists())
            ListView_SetItemCountEx(超级列表框_文件列表, 0, 0);
        break;
    case FileListChange::Appended:
        ScheduleViewRefresh();
        break;
    case FileListChange::CellChanged:
        if (row < shownRowCount) {
            repaintPending = true;
            ScheduleViewRefresh();
        }
        break;
    case FileListChange::Rewritten:
        repaintPending = true;
        ScheduleViewRefresh();
        break;
    }
}

}  // namespace

void AttachFileListView()
{
    shownRowCount = 0;
    repaintPending = false;
    SetFileListChangeHook(OnFileListChanged);
    SyncFileListView();
}

void SyncFileListView()
{
    if (!ListExists())
        return;
    int rows = RowCount();
    if (rows != shownRowCount) {
        LARGE_INTEGER start, end, frequency;
        QueryPerformanceCounter(&start);
        // Growing keeps the scroll position and repaints only the new rows.
        ListView_SetItemCountEx(超级列表框_文件列表, rows, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
        shownRowCount = rows;
        QueryPerformanceCounter(&end);
        QueryPerformanceFrequency(&frequency);
        lastCountCostMs = static_cast<uint32_t>((end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart);
    }
    if (repaintPending) {
        repaintPending = false;
        InvalidateRect(超级列表框_文件列表, nullptr, FALSE);
    }
}

uint32_t FileListCountCostMs() { return lastCountCostMs; }

bool FileListViewBehind() { return ListExists() && (RowCount() != shownRowCount || repaintPending); }

std::vector<int> SelectedRows()
{
    std::vector<int> rows;
    if (!ListExists())
        return rows;
    SyncFileListView();
    int selected = ListView_GetSelectedCount(超级列表框_文件列表);
    rows.reserve(static_cast<size_t>(selected));
    if (selected == shownRowCount) {
        // All selected (select all, then copy): no need to ask row by row.
        for (int row = 0; row < selected; ++row)
            rows.push_back(row);
        return rows;
    }
    int row = -1;
    while ((row = ListView_GetNextItem(超级列表框_文件列表, row, LVNI_SELECTED)) != -1)
        rows.push_back(row);
    return rows;
}

void SelectRow(int row)
{
    if (!ListExists())
        return;
    SyncFileListView();
    ListView_SetItemState(超级列表框_文件列表, row, LVIS_SELECTED, LVIS_SELECTED);
}

int CurrentRow()
{
    if (!ListExists())
        return -1;
    SyncFileListView();
    return ListView_GetNextItem(超级列表框_文件列表, -1, LVNI_SELECTED);
}

void SetCurrentRow(int row)
{
    if (!ListExists())
        return;
    SyncFileListView();
    ListView_SetItemState(超级列表框_文件列表, row, LVIS_FOCUSED, LVIS_FOCUSED);
}

void ScrollIntoView(int row)
{
    if (!ListExists())
        return;
    SyncFileListView();
    ListView_EnsureVisible(超级列表框_文件列表, row, FALSE);
}
