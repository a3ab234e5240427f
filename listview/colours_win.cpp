#include "listview/colours.h"

#include <commctrl.h>

bool SubclassInstalled = false;
WNDPROC PreviousWindowProc = nullptr;

namespace {

void InstallSubclass(HWND window)
{
    if (SubclassInstalled)
        return;
    PreviousWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CellColourWindowProc)));
    SubclassInstalled = true;
}

LRESULT HandOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!PreviousWindowProc)
        return DefWindowProcA(window, message, wParam, lParam);
    return CallWindowProcA(PreviousWindowProc, window, message, wParam, lParam);
}

LRESULT HandleClose(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (PreviousWindowProc)
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviousWindowProc));
    return HandOn(window, WM_CLOSE, wParam, lParam);
}

// Writes the painted sub-item's colours into the record: its entry's, or
// black on the list's text background for a cell without entry.
void ApplySubItemColours(const ListColourRecord& record, NMLVCUSTOMDRAW& draw)
{
    const CellColourEntry* entry =
        FindCellColour(record, static_cast<int>(draw.nmcd.dwItemSpec), draw.iSubItem);
    if (entry) {
        draw.clrText = entry->textColour;
        draw.clrTextBk = entry->backColour;
    } else {
        draw.clrText = RGB(0, 0, 0);
        draw.clrTextBk = ListView_GetTextBkColor(draw.nmcd.hdr.hwndFrom);
    }
}

LRESULT HandleNotify(HWND window, WPARAM wParam, LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != static_cast<UINT>(NM_CUSTOMDRAW))
        return HandOn(window, WM_NOTIFY, wParam, lParam);
    const ListColourRecord* record = FindListColourRecord(CellColourTable, header->hwndFrom);
    if (!record)
        return HandOn(window, WM_NOTIFY, wParam, lParam);
    NMLVCUSTOMDRAW& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        ApplySubItemColours(*record, draw);
        break;
    }
    return HandOn(window, WM_NOTIFY, wParam, lParam);
}

}  // namespace

ListColours ReadListColours(HWND list)
{
    return ListColours{ListView_GetTextColor(list), ListView_GetTextBkColor(list)};
}

void SetCellColourWithoutRepaint(HWND window, HWND list, int row, int column, COLORREF textColour,
                                 std::optional<COLORREF> backColour, const ListColours& listColours)
{
    InstallSubclass(window);
    RegisterCellColour(CellColourTable, list, row, column, textColour, backColour, listColours);
}

// The list's colours are read afresh at every call: the program may change them.
void SetCellColour(HWND window, HWND list, int row, int column, COLORREF textColour,
                   std::optional<COLORREF> backColour)
{
    SetCellColourWithoutRepaint(window, list, row, column, textColour, backColour, ReadListColours(list));
    RepaintColouredList(list);
}

void RepaintColouredList(HWND list)
{
    ShowWindow(list, SW_HIDE);
    ShowWindow(list, SW_SHOW);
}

LRESULT CALLBACK CellColourWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE: return HandleClose(window, wParam, lParam);
    case WM_NOTIFY: return HandleNotify(window, wParam, lParam);
    default: return HandOn(window, message, wParam, lParam);
    }
}

void ReleaseCellColourTable() { CellColourRecords().swap(CellColourTable); }

void ResetCellColours()
{
    ReleaseCellColourTable();
    SubclassInstalled = false;
    PreviousWindowProc = nullptr;
}
