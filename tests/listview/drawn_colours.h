// A real top-level window with real report-style list views, whose own window
// procedure records every custom-draw notification that reaches it. Once the
// cell colours subclass the window, this procedure is the one they hand on
// to, so the record shows what the list view draws each sub-item with.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <ostream>
#include <vector>

#include "app/filelist.h"

namespace drawn {

struct SubItemColours {
    COLORREF text;
    COLORREF textBack;
};

inline bool operator==(SubItemColours a, SubItemColours b) { return a.text == b.text && a.textBack == b.textBack; }

inline std::ostream& operator<<(std::ostream& out, SubItemColours c)
{
    return out << "{text 0x" << std::hex << c.text << ", back 0x" << c.textBack << std::dec << "}";
}

struct Notification {
    HWND list;
    DWORD stage;
    int item;
    int subItem;
    SubItemColours colours;
};

inline std::vector<Notification> notifications;  // custom draw, as the window's own procedure saw it
inline int closeMessages = 0;
inline std::function<void()> onAppMessage;        // run when WM_APP arrives

inline void FillFromRowStore(NMLVDISPINFOA& info)
{
    if (info.item.mask & LVIF_TEXT) {
        std::string_view text = CellTextView(info.item.iItem, info.item.iSubItem);
        size_t length = text.size() < static_cast<size_t>(info.item.cchTextMax) ? text.size()
                                                                                 : info.item.cchTextMax - 1;
        text.copy(info.item.pszText, length);
        info.item.pszText[length] = '\0';
    }
}

inline LRESULT HandleNotify(LPARAM lParam)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == LVN_GETDISPINFOA) {
        FillFromRowStore(*reinterpret_cast<NMLVDISPINFOA*>(lParam));
    } else if (header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
        notifications.push_back(Notification{header->hwndFrom, draw->nmcd.dwDrawStage,
                                             static_cast<int>(draw->nmcd.dwItemSpec), draw->iSubItem,
                                             SubItemColours{draw->clrText, draw->clrTextBk}});
    }
    return 0;  // CDRF_DODEFAULT: the list view draws with what the record holds
}

inline LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY: return HandleNotify(lParam);
    case WM_CLOSE: ++closeMessages; return 0;  // the test destroys the window itself
    case WM_APP: if (onAppMessage) onAppMessage(); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Records the custom-draw notifications of a window that has a procedure of
// its own (the main window), then hands every message on to it.
inline WNDPROC recordedWindowProc = nullptr;

inline LRESULT CALLBACK RecordingSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(NM_CUSTOMDRAW))
        HandleNotify(lParam);
    return CallWindowProcA(recordedWindowProc, window, message, wParam, lParam);
}

inline void RecordBeneath(HWND window)
{
    recordedWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingSubclassProc)));
}

inline HWND CreateRecordingWindow()
{
    static ATOM windowClass = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordingWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "KestrineDrawnColoursWindow";
        return RegisterClassA(&wc);
    }();
    (void)windowClass;
    HWND window = CreateWindowExA(0, "KestrineDrawnColoursWindow", "colours", WS_POPUP | WS_VISIBLE,
                                  0, 0, 900, 700, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    return window;
}

// An owner-data report list with the file list's seven columns, all wide
// enough to be painted, showing `rows` rows of the row store.
inline HWND CreateList(HWND parent, int x, int y, int rows)
{
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, x, y, 740,
                                320, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    for (int column = 0; column < FileListColumnCount; ++column) {
        LVCOLUMNA columnInfo = {};
        columnInfo.mask = LVCF_WIDTH | LVCF_TEXT;
        columnInfo.cx = 100;
        char header[] = "c";
        columnInfo.pszText = header;
        SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&columnInfo));
    }
    ListView_SetItemCountEx(list, rows, 0);
    return list;
}

inline void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Paints the whole list now and keeps only the notifications of that paint.
inline void Repaint(HWND list)
{
    Pump();
    notifications.clear();
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump();
}

// The colours the list view last drew a sub-item with; empty when the
// window's own procedure saw no sub-item notification for it.
inline std::optional<SubItemColours> DrawnColours(HWND list, int item, int subItem)
{
    std::optional<SubItemColours> found;
    for (const Notification& n : notifications)
        if (n.list == list && n.stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM) && n.item == item &&
            n.subItem == subItem)
            found = n.colours;
    return found;
}

inline bool SawStage(HWND list, DWORD stage)
{
    for (const Notification& n : notifications)
        if (n.list == list && n.stage == stage)
            return true;
    return false;
}

}  // namespace drawn
