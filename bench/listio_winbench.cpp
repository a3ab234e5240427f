// Export, import and copy of a list of N rows, one operation per run so that
// each peak memory figure belongs to that operation alone.
// Usage: listio_winbench export|import|copy ROWS FILE
// Prints: operation rows seconds file-MiB peak-MiB-above-start
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/controls.h"
#include "app/filelist.h"
#include "app/mainwindow.h"
#include "app/window.h"
#include "listio/listfile.h"
#include "listio/listtext.h"

namespace {

double MiB(double bytes) { return bytes / (1024.0 * 1024.0); }

SIZE_T WorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.WorkingSetSize;
}

SIZE_T PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
}

double Seconds(const LARGE_INTEGER& before, const LARGE_INTEGER& after)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(after.QuadPart - before.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Rows as a scan of a deep folder tree writes them.
void FillRows(int count)
{
    FileListRows().reserve(static_cast<size_t>(count));
    char text[128];
    for (int i = 0; i < count; ++i) {
        FileRow row;
        std::snprintf(text, sizeof(text), "%d", i + 1);
        row.SetCell(ColumnNumber, text);
        std::snprintf(text, sizeof(text), "照片_%06d.jpg", i);
        row.SetCell(ColumnName, text);
        std::snprintf(text, sizeof(text), "D:\\资料\\相册\\%04d年\\第%03d组\\", 2000 + i % 25, i % 500);
        row.SetCell(ColumnFolder, text);
        row.SetCell(ColumnSize, i % 3 ? "1.53 MB" : "812.5 KB");
        std::snprintf(text, sizeof(text), "%d年%d月%d日", 2000 + i % 25, 1 + i % 12, 1 + i % 28);
        row.SetCell(ColumnDate, text);
        std::snprintf(text, sizeof(text), "%08X%08X%08X%08X", i * 2654435761u, i ^ 0x5bd1e995u, i * 40503u, ~i);
        row.SetCell(ColumnDigest, text);
        AppendFilledRow(std::move(row));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: listio_winbench export|import|copy ROWS FILE\n");
        return 2;
    }
    std::string operation = argv[1];
    int rows = std::atoi(argv[2]);
    std::string path = argv[3];
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    if (operation == "copy") {
        CreateMainWindow(GetModuleHandleA(nullptr), SW_HIDE);
        if (!ImportListFromFile(path))
            return 1;
        HandleMenuCommand(CommandSelectAll);
    } else if (operation == "export") {
        FillRows(rows);
    }
    SIZE_T start = WorkingSet();
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    bool done = false;
    if (operation == "export")
        done = ExportListText(path, ListText());
    else if (operation == "import")
        done = ImportListFromFile(path);
    else if (operation == "copy")
        done = (CopySelectedRows(), StatusText() == "复制成功");
    QueryPerformanceCounter(&after);
    SIZE_T peak = PeakWorkingSet();
    if (!done || RowCount() != rows) {
        std::fprintf(stderr, "%s failed: %d rows\n", operation.c_str(), RowCount());
        return 1;
    }

    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes);
    double fileBytes = static_cast<double>((static_cast<ULONGLONG>(attributes.nFileSizeHigh) << 32) |
                                           attributes.nFileSizeLow);
    std::printf("%s %d %.3f %.1f %.1f\n", operation.c_str(), rows, Seconds(before, after), MiB(fileBytes),
                MiB(static_cast<double>(peak > start ? peak - start : 0)));
    return 0;
}
