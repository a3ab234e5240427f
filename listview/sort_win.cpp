#include "listview/sort.h"

#include <cmath>
#include <cstdint>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/listview_ops.h"
#include "app/state.h"
#include "common/text.h"
#include "listview/sortorder.h"

void HandleColumnClick(int column)
{
    uint32_t before = TickCount();
    // Counted modulo 2^32, so that even the 2^31st click is well defined.
    SortClickCount = static_cast<int>(static_cast<uint32_t>(SortClickCount) + 1u);
    bool ascending = std::fabs(std::fmod(static_cast<double>(SortClickCount), 2.0) - 1.0) > RealTolerance;
    SortKeyKind kind;
    if (ColumnSortKeyKind(column, kind))
        SortListByColumn(column, kind, ascending);
    uint32_t after = TickCount();
    SetStatusText("索引完毕，本次耗时" + ElapsedSecondsText(before, after) + "秒");
}

void SortListByColumn(int column, SortKeyKind kind, bool ascending)
{
    int current = CurrentRow();
    int remembered = 0;
    if (current != -1) {
        if (GetItemValue(current) == 0)
            SetItemValue(current, 1);
        remembered = GetItemValue(current);
    }

    // Whole rows move: their cells, hidden column 0 and item value together.
    // The list view keeps its selection by position and the cell colours are
    // keyed by position, so both stay where they are.
    std::vector<FileRow>& rows = FileListRows();
    std::vector<int32_t> order = SortedRowOrder(rows, column, kind);
    ArrangeRows(rows, order, ascending);
    NotifyFileListChanged(FileListChange::Rewritten, -1);

    if (remembered == 0)
        return;
    int count = RowCount();
    for (int row = 0; row < count; ++row) {
        if (GetItemValue(row) == remembered) {
            SetCurrentRow(row);
            ScrollIntoView(row);
            return;
        }
    }
}
