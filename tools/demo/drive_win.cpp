// Drives a running Kestrine window from outside, as a user would, for the
// screenshot script: types a folder into the address box, clicks 扫描, waits
// for the scan to finish, clicks 筛重 and waits for the marking to finish.
// Usage: kestrine_drive FOLDER
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/mainwindow.h"

namespace {

std::string Text(HWND window)
{
    char buffer[2048] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 5000,
                        nullptr);
    return buffer;
}

bool WaitFor(HWND status, const std::string& prefix, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (Text(status).compare(0, prefix.size(), prefix) == 0)
            return true;
        Sleep(50);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: kestrine_drive FOLDER\n");
        return 2;
    }
    HWND window = nullptr;
    for (int i = 0; i < 200 && !window; ++i) {
        window = FindWindowA("KestrineMainWindow", nullptr);
        Sleep(50);
    }
    if (!window) {
        std::fprintf(stderr, "the program's window did not appear\n");
        return 1;
    }
    HWND address = GetDlgItem(window, IdAddressEdit);
    HWND status = GetDlgItem(window, IdStatusLine);
    SendMessageA(address, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[1]));
    PostMessageA(GetDlgItem(window, IdScanButton), BM_CLICK, 0, 0);
    if (!WaitFor(status, "扫描完毕", 60000)) {
        std::fprintf(stderr, "the scan did not finish\n");
        return 1;
    }
    PostMessageA(GetDlgItem(window, IdDuplicatesButton), BM_CLICK, 0, 0);
    if (!WaitFor(status, "筛选重复文件完毕", 60000)) {
        std::fprintf(stderr, "duplicate marking did not finish\n");
        return 1;
    }
    return 0;
}
