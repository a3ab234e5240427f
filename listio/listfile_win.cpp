#include "listio/listfile.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/listview_ops.h"
#include "listio/filedialog.h"
#include "listio/listtext.h"

namespace {

constexpr DWORD FileIoPieceSize = 1 << 20;
constexpr int TempNameAttempts = 100;
constexpr int ClipboardOpenAttempts = 10;
constexpr DWORD ClipboardRetryDelayMs = 10;

struct HandleCloser {
    void operator()(HANDLE handle) const
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

std::string HexText(DWORD value)
{
    char text[16];
    wsprintfA(text, "%lX", value);
    return text;
}

// Creates a new file of its own beside target, opened for writing with no
// sharing; its name comes back in tempPath.
FileHandle CreateTempFileBeside(const std::string& target, std::string& tempPath)
{
    static DWORD serial = 0;
    for (int attempt = 0; attempt < TempNameAttempts; ++attempt) {
        tempPath = target + ".~" + HexText(GetCurrentProcessId()) + "-" + HexText(++serial) + ".tmp";
        FileHandle file(CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() != INVALID_HANDLE_VALUE)
            return file;
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            break;
    }
    return FileHandle(INVALID_HANDLE_VALUE);
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, FileIoPieceSize * 16));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr) || written != piece)
            return false;
        done += written;
    }
    return true;
}

bool WriteFileReplacing(const std::string& target, const std::string& bytes)
{
    std::string tempPath;
    FileHandle file = CreateTempFileBeside(target, tempPath);
    if (file.get() == INVALID_HANDLE_VALUE)
        return false;
    bool written = WriteAll(file.get(), bytes);
    // A failed close can mean lost data on some file systems; it counts too.
    written = CloseHandle(file.release()) && written;
    if (written && MoveFileExA(tempPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileA(tempPath.c_str());
    return false;
}

// Reads the whole file into rows; false when it cannot be opened or read.
bool ReadListFile(const std::string& path, std::vector<FileRow>& rows)
{
    // Others may go on reading the file, but not write it while we read.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return false;
    std::unique_ptr<char[]> buffer(new char[FileIoPieceSize]);
    ListTextReader reader;
    while (!reader.textEnded) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer.get(), FileIoPieceSize, &got, nullptr))
            return false;
        if (got == 0)
            break;
        ReadListTextPiece(reader, std::string_view(buffer.get(), got));
    }
    rows = FinishListText(reader);
    return true;
}

bool OpenClipboardWithRetry()
{
    // Another program may hold the clipboard for a moment.
    for (int attempt = 0; attempt < ClipboardOpenAttempts; ++attempt) {
        if (OpenClipboard(nullptr))
            return true;
        Sleep(ClipboardRetryDelayMs);
    }
    return false;
}

// Puts the list text of the rows on the clipboard as CF_TEXT. The text is
// written straight into the clipboard's memory: a million rows are a
// hundred megabytes, not to be built twice.
bool PutRowsOnClipboard(const std::vector<int>& rows)
{
    if (!OpenClipboardWithRetry())
        return false;
    bool placed = false;
    if (EmptyClipboard()) {
        size_t length = ListTextOfRowsLength(rows);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 1);
        if (memory) {
            if (char* target = static_cast<char*>(GlobalLock(memory))) {
                *WriteListTextOfRows(target, rows) = '\0';
                GlobalUnlock(memory);
                // Once placed, the memory belongs to the clipboard.
                placed = SetClipboardData(CF_TEXT, memory) != nullptr;
            }
            if (!placed)
                GlobalFree(memory);
        }
    }
    CloseClipboard();
    return placed;
}

}  // namespace

bool ExportListText(const std::string& confirmedPath, const std::string& listText)
{
    std::string target = ExportTargetPath(confirmedPath);
    bool written = WriteFileReplacing(target, listText);
    SetStatusText("导出" + target + (written ? "成功" : "失败"));
    return written;
}

bool ImportListFromFile(const std::string& path)
{
    // The file is read completely before the old rows go, so a file that
    // cannot be read leaves the list as it was.
    std::vector<FileRow> rows;
    if (!ReadListFile(path, rows)) {
        SetStatusText("读取文件列表失败");
        return false;
    }
    ReplaceAllRows(std::move(rows));
    SetStatusText("读取文件列表成功");
    return true;
}

bool CopyRowsToClipboard(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    bool copied = PutRowsOnClipboard(rows);
    SetStatusText(copied ? "复制成功" : "复制失败");
    return copied;
}

void ExportList()
{
    // The text is taken before the dialog, from the rows as they are now.
    std::string listText = ListText();
    if (!ShowFileDialog(通用对话框_另存为txt))
        return;
    ExportListText(通用对话框_另存为txt.path, listText);
}

void ImportList()
{
    if (!ShowFileDialog(通用对话框_读取))
        return;
    ImportListFromFile(通用对话框_读取.path);
}

void CopySelectedRows() { CopyRowsToClipboard(SelectedRows()); }
