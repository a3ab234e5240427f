#include "scan/walk.h"

#include <windows.h>

#include <cstring>
#include <memory>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/pump.h"
#include "app/state.h"
#include "common/text.h"
#include "scan/fingerprint.h"

namespace {

struct FindCloser {
    void operator()(HANDLE handle) const { FindClose(handle); }
};
using SearchHandle = std::unique_ptr<void, FindCloser>;

// One open search over one folder's entries, keeping either only folders or
// only non-folders. Hidden, system and read-only entries are kept, and links
// to folders count as folders. An exhausted search has no handle.
struct DirectorySearch {
    SearchHandle handle;
    WIN32_FIND_DATAA entry;
    bool foldersOnly = false;

    bool Exhausted() const { return !handle; }
};

bool EntryMatchesFilter(const DirectorySearch& search)
{
    bool isFolder = (search.entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return isFolder == search.foldersOnly;
}

void SkipToMatchingEntry(DirectorySearch& search)
{
    while (search.handle && !EntryMatchesFilter(search))
        if (!FindNextFileA(search.handle.get(), &search.entry))
            search.handle.reset();
}

// Starting a search ends the one the level had open.
void StartSearch(DirectorySearch& search, const std::string& pattern, bool foldersOnly)
{
    search.handle.reset();
    search.foldersOnly = foldersOnly;
    HANDLE found = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &search.entry, FindExSearchNameMatch, nullptr,
                                    FIND_FIRST_EX_LARGE_FETCH);
    if (found != INVALID_HANDLE_VALUE)
        search.handle.reset(found);
    SkipToMatchingEntry(search);
}

void NextEntry(DirectorySearch& search)
{
    if (!search.handle)
        return;
    if (!FindNextFileA(search.handle.get(), &search.entry))
        search.handle.reset();
    else
        SkipToMatchingEntry(search);
}

bool IsDotEntry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

// The local last-write date. The directory entry the search just returned
// carries the same time a second search by full path would find.
std::string LastWriteDateText(const FILETIME& lastWrite)
{
    FILETIME local;
    SYSTEMTIME fields;
    if (!FileTimeToLocalFileTime(&lastWrite, &local) || !FileTimeToSystemTime(&local, &fields))
        return DateText(99999, 12, 31);  // beyond what a calendar date can show
    return DateText(fields.wYear, fields.wMonth, fields.wDay);
}

void ListFile(const std::string& folder, const WIN32_FIND_DATAA& entry)
{
    const std::string fullPath = folder + entry.cFileName;
    SetStatusText(fullPath);
    int row = AppendRow();
    const uint64_t rowId = RowId(row);
    SetCellText(row, ColumnNumber, RowNumberText(row));
    SetCellText(row, ColumnName, entry.cFileName);
    SetCellText(row, ColumnFolder, folder);
    SetCellText(row, ColumnDate, LastWriteDateText(entry.ftLastWriteTime));
    const std::string fingerprint = ComputeFileFingerprint(fullPath);
    // The fingerprint pumps messages: a sort may have moved this row, a
    // clear or an import removed it. Its last two cells go to the row
    // itself, wherever it is now, and nowhere when it is gone.
    row = FindRowById(rowId, row);
    if (row < 0)
        return;
    SetCellText(row, ColumnSize, SizeCellText(fingerprint));
    SetCellText(row, ColumnDigest, DigestCellText(fingerprint));
}

// Walks one folder: its subfolders first, each depth first, so that the
// folder's own files come after everything below it. Entering each folder
// (and returning to its parent when it is done) keeps the current directory
// where the user expects it after a walk; the searches name the folder in
// full, so a command that changes the current directory during the pumping
// cannot make the walk list another folder's entries.
void WalkFolder(const std::string& folderPath, const std::string& filePattern)
{
    if (!SetCurrentDirectoryA(folderPath.c_str()))
        return;  // skipped with everything below it, without a report
    if (StopRequested)
        return;
    const std::string folder = FolderWithSeparator(folderPath);
    DirectorySearch search;
    StartSearch(search, folder + "*", true);
    while (!search.Exhausted()) {
        if (StopRequested)
            return;
        if (!IsDotEntry(search.entry.cFileName))
            WalkFolder(folder + search.entry.cFileName, filePattern);
        NextEntry(search);
        PumpPendingMessages();
    }
    if (StopRequested)
        return;
    StartSearch(search, folder + filePattern, false);
    while (!search.Exhausted()) {
        if (StopRequested)
            return;  // a stopped walk stays in the folder it was in
        ListFile(folder, search.entry);
        NextEntry(search);
        PumpPendingMessages();
    }
    SetCurrentDirectoryA("..");
}

// A start path typed by hand may be relative; the walk names every file by
// its full path, so the start is made absolute first. An empty path stays
// empty and lists nothing.
std::string AbsoluteStartPath(const std::string& folder)
{
    if (folder.empty() || IsAbsolutePath(folder))
        return folder;
    DWORD needed = GetFullPathNameA(folder.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return folder;
    std::string absolute(needed, '\0');
    DWORD length = GetFullPathNameA(folder.c_str(), needed, absolute.data(), nullptr);
    if (length == 0 || length >= needed)
        return folder;
    absolute.resize(length);
    return absolute;
}

}  // namespace

void ScanDirectory(const std::string& folder, const std::string& keyword)
{
    WalkFolder(AbsoluteStartPath(folder), FilePatternForKeyword(keyword));
}

void ToggleScan()
{
    // Clicked again while a walk runs: ask it to stop. It notices at its next
    // test and unwinds; clicks until then are ignored.
    if (ScanButtonCaption() == "停止") {
        StopRequested = true;
        SetScanButtonCaption("扫描");
        return;
    }
    if (StopRequested)
        return;
    SetScanButtonCaption("停止");
    const uint32_t before = TickCount();
    const std::string folder = AddressText();
    const std::string keyword = KeywordText();
    ScanDirectory(folder, keyword);
    const uint32_t after = TickCount();
    SetStatusText("扫描完毕，本次耗时" + ElapsedSecondsText(before, after) + "秒");
    StopRequested = false;
    SetScanButtonCaption("扫描");
}
