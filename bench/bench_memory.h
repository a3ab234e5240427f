// Peak memory of the running Windows process, for the benchmarks' reports.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <cstdio>

inline void PrintPeakMemory(const char* label)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        std::printf("%-34s peak working set %.1f MiB, peak pagefile usage %.1f MiB\n", label,
                    counters.PeakWorkingSetSize / 1048576.0, counters.PeakPagefileUsage / 1048576.0);
}

inline double SecondsNow()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}
