// Files and folders made by the scan tests under the temporary folder, and
// the content they are filled with. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

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

inline std::wstring LongPathW(const std::string& path)
{
    int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length) - 1);
    return L"\\\\?\\" + wide;
}

// Deletes a folder tree, read-only entries and paths longer than MAX_PATH included.
inline void RemoveTreeW(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTreeW(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

// A fresh folder under the temporary folder, deleted with everything in it
// at the end of the test.
struct TempFolder {
    std::string path;  // without a trailing "\"

    TempFolder()
    {
        static int counter = 0;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        std::string base = temp;
        if (!base.empty() && base.back() == '\\')
            base.pop_back();
        path = base + "\\kestrine_scan_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~TempFolder()
    {
        // The walk may have left the current directory inside the tree.
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        SetCurrentDirectoryA(temp);
        RemoveTreeW(LongPathW(path));
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(const std::string& relative) const { return path + "\\" + relative; }
};

inline bool WriteBytes(const std::string& path, const void* data, size_t length)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = length == 0 || (WriteFile(file, data, static_cast<DWORD>(length), &written, nullptr) && written == length);
    CloseHandle(file);
    return ok;
}

inline bool WriteText(const std::string& path, const std::string& text) { return WriteBytes(path, text.data(), text.size()); }

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
