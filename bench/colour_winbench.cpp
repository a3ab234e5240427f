// Cell colours and duplicate marking in the main window at one million rows, next to the same
// figures for 10,000 rows in the same run: appending the rows to the store
// and the owner-data list view, marking the duplicates (every fingerprint
// occurs twice, so every row gets a colour entry), painting one screen of
// rows with and without the colour entries, and the peak working set.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/mainwindow.h"
#include "app/window.h"
#include "listview/colour_table.h"
#include "listview/colours.h"
#include "listview/duplicates.h"

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double PeakWorkingSetMiB()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A fingerprint that looks like one; rows i and i + rows / 2 share it.
std::string Fingerprint(uint64_t value)
{
    uint64_t a = value * 0x9E3779B97F4A7C15ull;
    uint64_t b = (a ^ (a >> 31)) * 0xBF58476D1CE4E5B9ull;
    char text[40];
    std::snprintf(text, sizeof(text), "%016llX%016llX", static_cast<unsigned long long>(a),
                  static_cast<unsigned long long>(b));
    return text;
}

void FillRows(int rows)
{
    for (int i = 0; i < rows; ++i) {
        int row = AppendRow();
        SetCellText(row, 1, std::to_string(i + 1));
        SetCellText(row, 2, "file_" + std::to_string(i) + ".dat");
        SetCellText(row, 3, "C:\\data\\folder" + std::to_string(i / 100) + "\\");
        SetCellText(row, 4, "1.5 MB");
        SetCellText(row, 5, "2024年3月15日");
        SetCellText(row, 6, Fingerprint(static_cast<uint64_t>(i % (rows / 2))));
    }
    FlushPendingViewUpdates();
}

// Milliseconds to paint one screen of rows, averaged over a few screens
// spread over the list (top, middle, end).
double PaintScreenMs(int rows)
{
    const int rounds = 10;
    const int positions[] = {0, rows / 2, rows - 1};
    double total = 0;
    for (int position : positions) {
        ListView_EnsureVisible(超级列表框_文件列表, position, FALSE);
        Pump();
        double start = Now();
        for (int i = 0; i < rounds; ++i)
            RedrawWindow(超级列表框_文件列表, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        total += Now() - start;
    }
    return total * 1000.0 / (rounds * 3);
}

struct Figures {
    double appendMs;
    double markMs;
    size_t entries;
    double paintPlainMs;
    double paintColouredMs;
    double peakMiB;
};

Figures Measure(int rows)
{
    DeleteAllRows();
    ReleaseCellColourTable();  // the subclass stays, as in the program
    Pump();
    Figures figures = {};
    double start = Now();
    FillRows(rows);
    figures.appendMs = (Now() - start) * 1000.0;
    std::fprintf(stderr, "%d rows: appended in %.0f ms\n", rows, figures.appendMs);

    figures.paintPlainMs = PaintScreenMs(rows);

    start = Now();
    MarkDuplicates();
    figures.markMs = (Now() - start) * 1000.0;
    std::fprintf(stderr, "%d rows: marked in %.0f ms\n", rows, figures.markMs);
    const ListColourRecord* record = FindListColourRecord(CellColourTable, 超级列表框_文件列表);
    figures.entries = record ? ListColourEntryCount(*record) : 0;

    figures.paintColouredMs = PaintScreenMs(rows);
    figures.peakMiB = PeakWorkingSetMiB();
    return figures;
}

}  // namespace

int main(int argc, char** argv)
{
    int largeRows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    if (!CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWMAXIMIZED))
        return 1;
    Pump();
    double baseMiB = PeakWorkingSetMiB();
    Figures small = Measure(10000);
    Figures large = Measure(largeRows);

    std::printf("%-44s %14s %11d rows\n", "", "10000 rows", largeRows);
    std::printf("%-44s %14.1f %16.1f\n", "append rows to store and list view (ms)", small.appendMs, large.appendMs);
    std::printf("%-44s %14.1f %16.1f   goal < 1000\n", "MarkDuplicates (ms)", small.markMs, large.markMs);
    std::printf("%-44s %14zu %16zu\n", "colour entries after marking", small.entries, large.entries);
    std::printf("%-44s %14.2f %16.2f\n", "paint one screen, list not registered (ms)", small.paintPlainMs,
                large.paintPlainMs);
    std::printf("%-44s %14.2f %16.2f\n", "paint one screen, every row coloured (ms)", small.paintColouredMs,
                large.paintColouredMs);
    std::printf("%-44s %14.1f %16.1f   goal < 512 (at start %.1f)\n", "peak working set (MiB)", small.peakMiB,
                large.peakMiB, baseMiB);
    return 0;
}
