#include "support/gui.h"

#include <commctrl.h>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/filelist_view.h"
#include "app/mainwindow.h"
#include "app/state.h"

void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    } while (GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return done();
        PumpFor(5);
    }
    return true;
}

void DrainQuitMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

std::string ControlText(HWND control)
{
    char buffer[4096] = "";
    GetWindowTextA(control, buffer, sizeof buffer);
    return buffer;
}

RECT ChildRect(HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ClickButton(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

std::string ListViewCellText(HWND list, int row, int column)
{
    char buffer[1024] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

void MainWindowTest::SetUp()
{
    DeleteAllRows();
    ResetControlTexts();
    window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(window, nullptr);
    PumpFor(20);
}

void MainWindowTest::TearDown()
{
    if (window && IsWindow(window))
        DestroyWindow(window);
    PumpFor(5);
    DrainQuitMessages();
    DeleteAllRows();
    ResetControlTexts();
    ResetProgramState();  // a destroyed window leaves the stop request set
}

TempFolder::TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    path = std::string(temp) + "kestrine-test-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount()) + "-" + std::to_string(++counter) + "\\";
    CreateDirectoryA(path.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    SetCurrentDirectoryA(temp);
    RemoveTree(path);
}

bool WriteTestFile(const std::string& path, const std::string& content)
{
    // Create the folders on the way.
    for (size_t i = 3; i < path.size(); ++i)
        if (path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = content.empty() ||
              WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == content.size();
}

std::wstring LongPathW(const std::string& path)
{
    int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length) - 1);
    return L"\\\\?\\" + wide;
}

namespace {

bool RemoveTreeW(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = folder + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTreeW(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    return RemoveDirectoryW(folder.c_str()) != 0;
}

}  // namespace

bool RemoveTree(const std::string& path)
{
    std::string folder = path;
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return RemoveTreeW(LongPathW(folder));
}
