// Content and times of the files the scan tests make (in the shared
// TempFolder of support/gui.h). Windows only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/gui.h"

namespace scan_test {

// Byte at an absolute file offset of a pattern: any range of a pattern file
// can be produced again without reading the file.
inline uint8_t PatternByte(uint64_t seed, uint64_t offset)
{
    uint64_t z = seed * 0x9E3779B97F4A7C15ull + (offset >> 3) + 1;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<uint8_t>(z >> (8 * (offset & 7)));
}

inline std::vector<uint8_t> PatternBytes(uint64_t seed, uint64_t offset, size_t length)
{
    std::vector<uint8_t> bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = PatternByte(seed, offset + i);
    return bytes;
}

// Sets a file's last-write time to a UTC calendar time.
inline bool SetLastWriteTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour)
{
    SYSTEMTIME fields = {};
    fields.wYear = year;
    fields.wMonth = month;
    fields.wDay = day;
    fields.wHour = hour;
    FILETIME time;
    if (!SystemTimeToFileTime(&fields, &time))
        return false;
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = SetFileTime(file, nullptr, nullptr, &time) != 0;
    CloseHandle(file);
    return ok;
}

}  // namespace scan_test
