// Scan rate on a folder tree: the program's walk (ToggleScan, rows, cells,
// fingerprints, message pumping) or, as the yardstick under the same Wine, a
// minimal loop that only walks, opens, reads, hashes and closes.
// The third mode, fingerprint, is the minimal walk hashing each file with
// ComputeFileFingerprint: it shows what the fingerprint adds and what the
// program's walk adds on top.
// The fourth mode, window, starts the walk by a click on the real main
// window's scan button.
// Usage: scan_winbench scan|window|minimal|fingerprint FOLDER
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/mainwindow.h"
#include "app/window.h"
#include "bench_memory.h"
#include "scan/fingerprint.h"
#include "scan/md5.h"
#include "scan/walk.h"

namespace {

uint8_t readBuffer[5242880];

struct MinimalCount {
    bool programFingerprint = false;  // hash with ComputeFileFingerprint instead
    long files = 0;
    long long bytes = 0;
    unsigned digestXor = 0;  // keeps the hashing from being optimised away
};

void MinimalWalk(const std::string& folder, MinimalCount& count)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0)
                MinimalWalk(folder + "\\" + entry.cFileName, count);
            continue;
        }
        std::string path = folder + "\\" + entry.cFileName;
        if (count.programFingerprint) {
            count.digestXor ^= static_cast<unsigned>(ComputeFileFingerprint(path).size());
            ++count.files;
            continue;
        }
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        Md5Context context;
        Md5Init(&context);
        DWORD delivered = 0;
        while (ReadFile(file, readBuffer, sizeof readBuffer, &delivered, nullptr) && delivered > 0) {
            Md5Update(&context, readBuffer, delivered);
            count.bytes += delivered;
        }
        Md5Final(&context);
        CloseHandle(file);
        count.digestXor ^= context.digest[0];
        ++count.files;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: scan_winbench scan|window|minimal|fingerprint FOLDER\n");
        return 2;
    }
    const std::string mode = argv[1], folder = argv[2];
    double start = SecondsNow();
    long files = 0;
    if (mode == "minimal" || mode == "fingerprint") {
        MinimalCount count;
        count.programFingerprint = mode == "fingerprint";
        MinimalWalk(folder, count);
        files = count.files;
    } else if (mode == "window") {
        // The same walk started by a click on the real window's scan
        // button, with the list view and status line showing every file.
        InitCommonControls();
        HWND window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
        if (!window) {
            std::fprintf(stderr, "the main window could not be created\n");
            return 1;
        }
        SetAddressText(folder);
        SetKeywordText("");
        start = SecondsNow();
        SendMessageA(按钮_扫描, BM_CLICK, 0, 0);
        files = RowCount();
        DestroyWindow(window);
    } else {
        SetAddressText(folder);
        SetKeywordText("");
        ToggleScan();
        files = RowCount();
    }
    double seconds = SecondsNow() - start;
    const char* label = mode == "minimal"       ? "minimal Win32 loop"
                        : mode == "fingerprint" ? "minimal loop + fingerprint"
                        : mode == "window"      ? "window scan (click, list view)"
                                                : "ToggleScan (program walk)";
    std::printf("%-28s %7ld files in %7.2f s = %8.0f files/s (%.0f us/file)\n", label, files, seconds, files / seconds,
                seconds * 1e6 / (files ? files : 1));
    PrintPeakMemory((std::string("  ") + label).c_str());
    return 0;
}
