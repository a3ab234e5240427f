// Column sort: the blocked-list ordering with keys read once, against the
// plain binary insertion into shifting lists that re-reads every key text at
// every comparison and rewrites every cell, on the same generated rows.
// Usage: sort_bench [largest reference size, default 100000]
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "app/filelist.h"
#include "listview/sortkey.h"
#include "listview/sortorder.h"

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...)
{
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

// Rows as a scan of a large tree leaves them: running numbers (shuffled, as
// after an earlier sort), names, folders with long shared beginnings, sizes
// with units and dates, with as many ties as real lists have.
std::vector<FileRow> MakeRows(size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    static const char* units[] = {"B", "KB", "MB", "GB"};
    std::vector<FileRow> rows(n);
    for (size_t i = 0; i < n; ++i) {
        FileRow& row = rows[i];
        row.SetCell(ColumnNumber, std::to_string(random() % n + 1));
        row.SetCell(ColumnName, Format("%s%u.%s", random() % 3 ? "文件" : "file", static_cast<unsigned>(random() % (n / 2 + 1)),
                                       random() % 2 ? "txt" : "jpg"));
        row.SetCell(ColumnFolder, Format("D:\\资料\\照片\\%u\\%u\\", static_cast<unsigned>(random() % 50),
                                         static_cast<unsigned>(random() % 200)));
        int unit = static_cast<int>(random() % 4);
        double size = (random() % 102400) / 100.0;
        row.SetCell(ColumnSize, unit == 0 ? Format("%u B", static_cast<unsigned>(random() % 1024))
                                          : Format("%.4g %s", size, units[unit]));
        row.SetCell(ColumnDate, Format("%d年%d月%d日", 2000 + static_cast<int>(random() % 25),
                                       1 + static_cast<int>(random() % 12), 1 + static_cast<int>(random() % 28)));
        row.SetCell(ColumnDigest, Format("%08X%08X%08X%08X", static_cast<unsigned>(random()), static_cast<unsigned>(random()),
                                         static_cast<unsigned>(random()), static_cast<unsigned>(random())));
    }
    return rows;
}

// The sort in its plain form: parallel lists with shifting inserts, key texts
// re-read at every comparison, then every cell read into a buffer and written back.
void ReferenceSort(std::vector<FileRow>& rows, int column, SortKeyKind kind, bool ascending)
{
    int n = static_cast<int>(rows.size());
    std::vector<std::string> keyList;
    std::vector<int> sourceRows;
    std::vector<int> values;
    for (int i = 0; i < n; ++i) {
        std::string key = ColumnKeyText(rows[i].Cell(column), column);
        int p = FindInsertPosition(keyList, key, kind);
        keyList.insert(keyList.begin() + (p - 1), key);
        sourceRows.insert(sourceRows.begin() + (p - 1), i);
        values.insert(values.begin() + (p - 1), rows[i].itemValue);
    }
    int h = FileListColumnCount;
    std::vector<std::string> cells(static_cast<size_t>(n) * h);
    for (int u = 0; u < n; ++u) {
        int idx = ascending ? u : n - 1 - u;
        for (int c = 0; c < h; ++c)
            cells[static_cast<size_t>(u) * h + c] = std::string(rows[sourceRows[idx]].Cell(c));
    }
    for (int u = 0; u < n; ++u) {
        int idx = ascending ? u : n - 1 - u;
        for (int c = 0; c < h; ++c) {
            rows[u].SetCell(c, cells[static_cast<size_t>(u) * h + c]);
            rows[u].itemValue = values[idx];
        }
    }
}

void FastSort(std::vector<FileRow>& rows, int column, SortKeyKind kind, bool ascending)
{
    ArrangeRows(rows, SortedRowOrder(rows, column, kind), ascending);
}

double Seconds(void (*sort)(std::vector<FileRow>&, int, SortKeyKind, bool), std::vector<FileRow>& rows, int column,
               SortKeyKind kind)
{
    auto start = std::chrono::steady_clock::now();
    sort(rows, column, kind, true);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    size_t referenceLimit = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    struct Column {
        const char* name;
        int column;
    } columns[] = {
        {"number (1 seq)", ColumnNumber},
        {"text (2 name)", ColumnName},
        {"text (3 folder)", ColumnFolder},
        {"date (5 date)", ColumnDate},
        {"size (4 size)", ColumnSize},
    };
    std::printf("%-22s %10s %14s %16s %10s\n", "column", "rows", "fast (s)", "reference (s)", "same order");
    for (size_t n : {10000, 100000, 1000000}) {
        const std::vector<FileRow> rows = MakeRows(n, static_cast<unsigned>(n));
        for (const Column& c : columns) {
            SortKeyKind kind;
            ColumnSortKeyKind(c.column, kind);
            std::vector<FileRow> fast = rows;
            double fastSeconds = Seconds(FastSort, fast, c.column, kind);
            if (n > referenceLimit) {
                std::printf("%-22s %10zu %14.3f %16s %10s\n", c.name, n, fastSeconds, "-", "-");
                continue;
            }
            std::vector<FileRow> reference = rows;
            double referenceSeconds = Seconds(ReferenceSort, reference, c.column, kind);
            bool same = true;
            for (size_t i = 0; i < n && same; ++i)
                same = fast[i].text == reference[i].text;
            std::printf("%-22s %10zu %14.3f %16.3f %10s\n", c.name, n, fastSeconds, referenceSeconds, same ? "yes" : "NO");
        }
    }
    return 0;
}
