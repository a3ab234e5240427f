#include "app/mainwindow.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/controls.h"
#include "app/filelist.h"
#include "app/filelist_view.h"
#include "app/state.h"
#include "app/window.h"
#include "common/text.h"
#include "listio/listfile.h"
#include "listview/colours.h"
#include "listview/duplicates.h"
#include "listview/sort.h"
#include "scan/walk.h"

namespace {

constexpr const char* MainWindowClass = "KestrineMainWindow";
constexpr UINT_PTR KeywordSubclassId = 1;

// Where the list and the status line sit in the window's design size; when
// the window grows they grow with it, the buttons keep their places.
constexpr int DesignClientWidth = 1073;
constexpr int DesignClientHeight = 571;
constexpr int ListTop = 60;
constexpr int ListHeight = 492;
constexpr int StatusTop = 551;
constexpr int StatusHeight = 20;

struct ColumnSpec {
    const char* header;
    int width;
};

// Column 0 carries each row's first cell and is never shown.
const ColumnSpec FileListColumns[FileListColumnCount] = {
    {"", 0},
    {"序号", 48},
    {"文件名称", 288},
    {"文件路径", 288},
    {"文件大小", 96},
    {"创建时间", 96},
    {"文件摘要", 240},
};

HFONT controlFont = nullptr;
HBRUSH whiteBrush = nullptr;
// The client size the window opened with: the controls stand at their form
// positions at this size, and the list and status line take up any growth.
SIZE baseClientSize = {DesignClientWidth, DesignClientHeight};

// ---- fonts -----------------------------------------------------------------

int CALLBACK FontFoundProc(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontInstalled(HDC dc, const char* face)
{
    LOGFONTA query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExA(dc, &query, FontFoundProc, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// A font that has the Chinese characters, or every text shows as boxes.
HFONT CreateControlFont()
{
    static const char* const faces[] = {
        "Microsoft YaHei", "微软雅黑", "SimSun", "宋体", "NSimSun", "WenQuanYi Micro Hei", "文泉驿微米黑",
    };
    HDC dc = GetDC(nullptr);
    const char* chosen = nullptr;
    for (const char* face : faces) {
        if (FontInstalled(dc, face)) {
            chosen = face;
            break;
        }
    }
    ReleaseDC(nullptr, dc);
    if (!chosen)
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, chosen);
}

// ---- controls --------------------------------------------------------------

HWND CreateControl(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle, int x, int y,
                   int width, int height, int id)
{
    HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), FALSE);
    return control;
}

HWND CreateButton(HWND parent, const char* text, int x, int id)
{
    return CreateControl(parent, "BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON, 0, x, 15, 60, 30, id);
}

HWND CreateFileListView(HWND parent)
{
    HWND list = CreateControl(parent, WC_LISTVIEWA, "",
                              WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_EDITLABELS, 0, 0, ListTop,
                              DesignClientWidth, ListHeight, IdFileList);
    ListView_SetExtendedListViewStyle(
        list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_DOUBLEBUFFER);
    ListView_SetTextColor(list, RGB(0, 0, 0));
    ListView_SetTextBkColor(list, FileListBackColour);
    ListView_SetBkColor(list, FileListBackColour);
    return list;
}

void AppendFileListColumns(HWND list)
{
    for (int i = 0; i < FileListColumnCount; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = FileListColumns[i].width;
        column.pszText = const_cast<char*>(FileListColumns[i].header);
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

LRESULT CALLBACK KeywordEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_LBUTTONUP)
        ClearKeywordPlaceholder();
    return DefSubclassProc(edit, message, wParam, lParam);
}

void CreateControls(HWND window)
{
    按钮_选择 = CreateButton(window, "选择目录", 30, IdChooseButton);
    编辑框_地址 = CreateControl(window, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 100, 15, 320, 30,
                               IdAddressEdit);
    编辑框_关键字 = CreateControl(window, "EDIT", KeywordPlaceholder, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                                490, 15, 120, 30, IdKeywordEdit);
    SetWindowSubclass(编辑框_关键字, KeywordEditProc, KeywordSubclassId, 0);
    按钮_扫描 = CreateButton(window, "扫描", 680, IdScanButton);
    按钮_清空 = CreateButton(window, "清空", 780, IdClearButton);
    按钮_筛重 = CreateButton(window, "筛重", 880, IdDuplicatesButton);
    按钮_读取 = CreateButton(window, "读取", 980, IdImportButton);
    超级列表框_文件列表 = CreateFileListView(window);
    // The status line shows the window's own background behind its text
    // (see HandleControlColour), so it looks transparent without the
    // painting-order troubles of WS_EX_TRANSPARENT.
    标签_状态栏 = CreateControl(window, "STATIC", "", SS_LEFT | SS_NOPREFIX, 0, 0, StatusTop,
                              DesignClientWidth, StatusHeight, IdStatusLine);
}

void ForgetControls()
{
    MainWindow = nullptr;
    按钮_选择 = nullptr;
    编辑框_地址 = nullptr;
    编辑框_关键字 = nullptr;
    按钮_扫描 = nullptr;
    按钮_清空 = nullptr;
    按钮_筛重 = nullptr;
    按钮_读取 = nullptr;
    超级列表框_文件列表 = nullptr;
    标签_状态栏 = nullptr;
}

// ---- message handlers ------------------------------------------------------

LRESULT HandleCreate(HWND window)
{
    MainWindow = window;
    CreateControls(window);
    AppendFileListColumns(超级列表框_文件列表);
    KeywordCleared = false;
    StopRequested = false;
    AttachFileListView();
    return 0;
}

void LayoutControls(int clientWidth, int clientHeight)
{
    if (!超级列表框_文件列表)
        return;
    int extraWidth = clientWidth - baseClientSize.cx;
    int extraHeight = clientHeight - baseClientSize.cy;
    if (extraWidth < 0)
        extraWidth = 0;
    if (extraHeight < 0)
        extraHeight = 0;
    MoveWindow(超级列表框_文件列表, 0, ListTop, DesignClientWidth + extraWidth, ListHeight + extraHeight, TRUE);
    MoveWindow(标签_状态栏, 0, StatusTop + extraHeight, DesignClientWidth + extraWidth, StatusHeight, TRUE);
    InvalidateRect(MainWindow, nullptr, TRUE);
}

LRESULT HandleSize(LPARAM lParam)
{
    LayoutControls(LOWORD(lParam), HIWORD(lParam));
    return 0;
}

LRESULT HandleMinMaxInfo(LPARAM lParam)
{
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = MainWindowWidth;
    info->ptMinTrackSize.y = MainWindowHeight;
    return 0;
}

void ClearFileList()
{
    DeleteAllRows();
    SetStatusText("已清空文件列表");
}

LRESULT HandleCommand(WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam);
    if (lParam == 0) {  // a menu item
        HandleMenuCommand(id);
        return 0;
    }
    if (HIWORD(wParam) != BN_CLICKED)
        return 0;
    switch (id) {
    case IdChooseButton: ChooseFolder(); break;
    case IdScanButton: ToggleScan(); break;
    case IdClearButton: ClearFileList(); break;
    case IdDuplicatesButton: MarkDuplicates(); break;
    case IdImportButton: ImportList(); break;
    }
    return 0;
}

// Copies a cell into the list view's buffer without splitting a double-byte character.
void CopyCellText(std::string_view text, char* buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return;
    size_t limit = static_cast<size_t>(capacity) - 1;
    size_t length = 0;
    while (length < text.size()) {
        size_t next = length + CharLengthAt(text, length);
        if (next > limit)
            break;
        length = next;
    }
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

LRESULT HandleGetDispInfoA(NMLVDISPINFOA* info)
{
    if (info->item.mask & LVIF_TEXT)
        CopyCellText(CellTextView(info->item.iItem, info->item.iSubItem), info->item.pszText, info->item.cchTextMax);
    return 0;
}

LRESULT HandleGetDispInfoW(NMLVDISPINFOW* info)
{
    if (!(info->item.mask & LVIF_TEXT) || !info->item.pszText || info->item.cchTextMax <= 0)
        return 0;
    std::string_view text = CellTextView(info->item.iItem, info->item.iSubItem);
    int written = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), info->item.pszText,
                                      info->item.cchTextMax - 1);
    info->item.pszText[written > 0 ? written : 0] = L'\0';
    return 0;
}

// The label edit of the hidden first column keeps what the user typed.
LRESULT HandleEndLabelEditA(NMLVDISPINFOA* info)
{
    if (!info->item.pszText)
        return FALSE;
    SetCellText(info->item.iItem, ColumnHidden, info->item.pszText);
    return TRUE;
}

LRESULT HandleEndLabelEditW(NMLVDISPINFOW* info)
{
    if (!info->item.pszText)
        return FALSE;
    int length = WideCharToMultiByte(CP_ACP, 0, info->item.pszText, -1, nullptr, 0, nullptr, nullptr);
    std::string text(length > 0 ? static_cast<size_t>(length) : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, info->item.pszText, -1, text.data(), length, nullptr, nullptr);
    text.resize(std::strlen(text.c_str()));
    SetCellText(info->item.iItem, ColumnHidden, text);
    return TRUE;
}

LRESULT HandleFileListNotify(NMHDR* header)
{
    switch (header->code) {
    case LVN_GETDISPINFOA: return HandleGetDispInfoA(reinterpret_cast<NMLVDISPINFOA*>(header));
    case LVN_GETDISPINFOW: return HandleGetDispInfoW(reinterpret_cast<NMLVDISPINFOW*>(header));
    case LVN_ENDLABELEDITA: return HandleEndLabelEditA(reinterpret_cast<NMLVDISPINFOA*>(header));
    case LVN_ENDLABELEDITW: return HandleEndLabelEditW(reinterpret_cast<NMLVDISPINFOW*>(header));
    case LVN_COLUMNCLICK: HandleColumnClick(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem); return 0;
    case NM_RCLICK: ShowListMenu(); return 0;
    case NM_DBLCLK: ShowCurrentRowInFolder(); return 0;
    case NM_CUSTOMDRAW: return CDRF_DODEFAULT;  // the cell colours hook in front of this window
    }
    return 0;
}

LRESULT HandleNotify(LPARAM lParam)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom == 超级列表框_文件列表 && 超级列表框_文件列表)
        return HandleFileListNotify(header);
    return 0;
}

LRESULT HandleControlColour(WPARAM wParam, LPARAM lParam)
{
    HDC dc = reinterpret_cast<HDC>(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control == 标签_状态栏) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    bool placeholder = control == 编辑框_关键字 && !KeywordCleared;
    SetTextColor(dc, placeholder ? PlaceholderTextColour : RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(whiteBrush);
}

LRESULT HandleClose(HWND window)
{
    // A running scan or duplicate marking pumps messages: the close can
    // arrive in the middle of it. It ends at its next test and writes to no
    // control from then on.
    WindowClosing = true;
    StopRequested = true;
    DestroyWindow(window);
    return 0;
}

LRESULT HandleDestroy(HWND window)
{
    // "退出" destroys the window without a WM_CLOSE: a walk running beneath
    // must end here too, or the program would go on invisibly until it is done.
    WindowClosing = true;
    StopRequested = true;
    KillTimer(window, ViewRefreshTimerId);
    ForgetControls();
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: return HandleCreate(window);
    case WM_SIZE: return HandleSize(lParam);
    case WM_GETMINMAXINFO: return HandleMinMaxInfo(lParam);
    case WM_COMMAND: return HandleCommand(wParam, lParam);
    case WM_NOTIFY: return HandleNotify(lParam);
    case WM_NOTIFYFORMAT: return NFR_ANSI;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return HandleControlColour(wParam, lParam);
    case WM_TIMER:
        if (wParam == ViewRefreshTimerId)
            HandleViewRefreshTimer();
        return 0;
    case WM_CLOSE: return HandleClose(window);
    case WM_DESTROY: return HandleDestroy(window);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass = {};
    if (GetClassInfoExA(instance, MainWindowClass, &windowClass))
        return true;
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                                         GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = MainWindowClass;
    return RegisterClassExA(&windowClass) != 0;
}

// ---- folder chooser helpers ------------------------------------------------

struct TopLevelWindowState {
    HWND window;
    bool enabled;
};

BOOL CALLBACK CollectThreadWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<TopLevelWindowState>*>(list)->push_back({window, IsWindowEnabled(window) != 0});
    return TRUE;
}

}  // namespace

void ClearKeywordPlaceholder()
{
    if (KeywordCleared)
        return;
    SetKeywordText("");
    KeywordCleared = true;
    if (编辑框_关键字)
        InvalidateRect(编辑框_关键字, nullptr, TRUE);  // repaint in black
}

void ChooseFolder()
{
    SetAddressText("");
    SetStatusText("");
    FlushStatusLine();

    // The browser is modal to the program: every other window of this thread
    // is disabled while it is open, and afterwards put back as it was.
    HWND owner = GetActiveWindow();
    if (!owner)
        owner = MainWindow;
    HWND foreground = GetForegroundWindow();
    std::vector<TopLevelWindowState> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectThreadWindow, reinterpret_cast<LPARAM>(&windows));
    for (const TopLevelWindowState& w : windows)
        if (w.enabled)
            EnableWindow(w.window, FALSE);

    BROWSEINFOA browse = {};
    browse.hwndOwner = owner;
    browse.lpszTitle = "请选择目录";
    browse.ulFlags = BIF_EDITBOX;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);

    for (const TopLevelWindowState& w : windows)
        if (IsWindow(w.window))
            EnableWindow(w.window, w.enabled);
    if (foreground && IsWindow(foreground))
        SetForegroundWindow(foreground);
    if (owner && IsWindow(owner))
        SetActiveWindow(owner);

    if (!chosen)
        return;
    char path[MAX_PATH] = "";
    if (SHGetPathFromIDListA(chosen, path))
        SetAddressText(path);
    CoTaskMemFree(chosen);
}

HWND CreateMainWindow(HINSTANCE instance, int showCommand)
{
    ResetProgramState();
    if (!controlFont)
        controlFont = CreateControlFont();
    if (!whiteBrush)
        whiteBrush = CreateSolidBrush(RGB(255, 255, 255));
    if (!RegisterMainWindowClass(instance))
        return nullptr;

    // The controls are laid out for a client area of 1073 x 571; the window
    // is never smaller than 1079 x 600.
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame = {0, 0, DesignClientWidth, DesignClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    if (width < MainWindowWidth)
        width = MainWindowWidth;
    if (height < MainWindowHeight)
        height = MainWindowHeight;

    // The controls stand at their places until the window has its first size.
    baseClientSize = {1 << 15, 1 << 15};
    HWND window = CreateWindowExA(0, MainWindowClass, MainWindowCaption, style, CW_USEDEFAULT, CW_USEDEFAULT, width,
                                  height, nullptr, nullptr, instance, nullptr);
    if (!window)
        return nullptr;
    RECT client;
    GetClientRect(window, &client);
    baseClientSize = {client.right, client.bottom};
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return window;
}

int RunApplication(HINSTANCE instance, int showCommand)
{
    OleInitialize(nullptr);  // the shell's folder browser needs COM
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    int exitCode = 1;
    if (CreateMainWindow(instance, showCommand)) {
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        exitCode = static_cast<int>(msg.wParam);
    }
    ReleaseCellColourTable();
    DeleteAllRows();
    OleUninitialize();
    return exitCode;
}
