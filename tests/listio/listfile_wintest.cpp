#include "listio/listfile.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/listview_ops.h"
#include "app/window.h"
#include "listio/listtext.h"
#include "support/gui.h"
#include "support/listrows.h"

namespace {

// Row i as the tests fill it, and its row text written out by hand.
RowCells TestRowCells(int i)
{
    char name[64], folder[64], date[64], digest[64];
    std::snprintf(name, sizeof(name), "文件%d.txt", i);
    std::snprintf(folder, sizeof(folder), "C:\\目录 %d\\", i);
    std::snprintf(date, sizeof(date), "2024年1月%d日", i + 1);
    std::snprintf(digest, sizeof(digest), "%032X", i * 7919);
    return {std::to_string(i + 1), name, folder, i % 2 ? "1.5 KB" : "", date, i % 3 ? digest : ""};
}

std::string TestRowText(int i)
{
    char text[256];
    std::snprintf(text, sizeof(text), "%d\t文件%d.txt\tC:\\目录 %d\\\t%s\t2024年1月%d日\t", i + 1, i, i,
                  i % 2 ? "1.5 KB" : "", i + 1);
    std::string line = text;
    if (i % 3) {
        std::snprintf(text, sizeof(text), "%032X", i * 7919);
        line += text;
    }
    return line + "\r\n";
}

void FillTestRows(int count)
{
    for (int i = 0; i < count; ++i)
        AppendRowWithCells(TestRowCells(i));
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string ClipboardText()
{
    std::string text = "<no text>";
    if (!OpenClipboard(nullptr))
        return "<not opened>";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* locked = static_cast<const char*>(GlobalLock(data))) {
            text = locked;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// Another thread keeps the clipboard open until told to let go.
struct ClipboardHolder {
    HANDLE opened, release;
    bool held;
};

DWORD WINAPI HoldClipboard(LPVOID parameter)
{
    ClipboardHolder* holder = static_cast<ClipboardHolder*>(parameter);
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    holder->held = OpenClipboard(owner) != 0;
    SetEvent(holder->opened);
    WaitForSingleObject(holder->release, INFINITE);
    if (holder->held)
        CloseClipboard();
    DestroyWindow(owner);
    return 0;
}

class ListFileTest : public MainWindowTest {
protected:
    TempFolder temp;
    const std::string& folder = temp.path;
};

}  // namespace

TEST_F(ListFileTest, ExportedFileReadsBackIntoTheSameColumns)
{
    FillTestRows(12);
    AppendRowWithCells({});  // a row of empty cells
    std::vector<RowCells> written;
    std::string expectedBytes;
    for (int row = 0; row < RowCount(); ++row) {
        written.push_back(RowCellsOf(row));
        expectedBytes += row < 12 ? TestRowText(row) : "\t\t\t\t\t\r\n";
    }

    ASSERT_TRUE(ExportListText(folder + "全部", ListText()));
    EXPECT_EQ(StatusText(), "导出" + folder + "全部.txt成功");
    EXPECT_EQ(FileBytes(folder + "全部.txt"), expectedBytes);

    DeleteAllRows();
    AppendRowWithCells({"old"});
    ASSERT_TRUE(ImportListFromFile(folder + "全部.txt"));
    EXPECT_EQ(StatusText(), "读取文件列表成功");
    EXPECT_EQ(AllRowCells(), written);
}

TEST_F(ListFileTest, ExportWritesTheFileTheDialogConfirmed)
{
    FillTestRows(2);
    struct Case {
        std::string confirmed;
        std::string written;
    } cases[] = {
        {"a", "a.txt"},
        {"b.txt", "b.txt"},
        {"c.TXT", "c.TXT"},
        {"d.dat", "d.dat.txt"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ExportListText(folder + c.confirmed, ListText())) << c.confirmed;
        EXPECT_EQ(StatusText(), "导出" + folder + c.written + "成功");
        EXPECT_EQ(FileBytes(folder + c.written), TestRowText(0) + TestRowText(1)) << c.confirmed;
    }
    // Nothing else was written: no name.txt.txt, no temporary file left.
    EXPECT_EQ(NamesIn(folder).size(), 4u);
}

TEST_F(ListFileTest, ExportReplacesALongerExistingFileWhole)
{
    ASSERT_TRUE(WriteTestFile(folder + "list.txt", std::string(10000, 'z')));
    FillTestRows(1);
    ASSERT_TRUE(ExportListText(folder + "list.txt", ListText()));
    EXPECT_EQ(FileBytes(folder + "list.txt"), TestRowText(0));
}

TEST_F(ListFileTest, EmptyListExportsZeroBytes)
{
    ASSERT_TRUE(ExportListText(folder + "empty", ListText()));
    EXPECT_EQ(FileBytes(folder + "empty.txt"), "");
    EXPECT_EQ(StatusText(), "导出" + folder + "empty.txt成功");
}

TEST_F(ListFileTest, FailedExportSaysSoAndLeavesNothing)
{
    FillTestRows(3);
    // A folder that does not exist.
    EXPECT_FALSE(ExportListText(folder + "missing\\list", ListText()));
    EXPECT_EQ(StatusText(), "导出" + folder + "missing\\list.txt失败");
    EXPECT_FALSE(Exists(folder + "missing"));

    // A target that cannot be replaced (a folder of that name): the
    // temporary file must not stay behind.
    ASSERT_TRUE(CreateDirectoryA((folder + "taken.txt").c_str(), nullptr));
    EXPECT_FALSE(ExportListText(folder + "taken", ListText()));
    EXPECT_EQ(StatusText(), "导出" + folder + "taken.txt失败");
    EXPECT_EQ(NamesIn(folder), std::vector<std::string>{"taken.txt"});
}

TEST_F(ListFileTest, UnreadableImportKeepsTheList)
{
    FillTestRows(4);
    std::vector<RowCells> before = AllRowCells();

    ASSERT_TRUE(WriteTestFile(folder + "locked.txt", "1\tx\r\n"));
    HANDLE locked = CreateFileA((folder + "locked.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    for (const std::string& path : {folder + "missing.txt", folder + "locked.txt", folder}) {
        SetStatusText("");
        EXPECT_FALSE(ImportListFromFile(path)) << path;
        EXPECT_EQ(StatusText(), "读取文件列表失败") << path;
        EXPECT_EQ(AllRowCells(), before) << path;
    }
    CloseHandle(locked);
}

TEST_F(ListFileTest, ImportReplacesRowsAndClearsTheSelection)
{
    FillTestRows(5);
    SelectRow(1);
    SelectRow(3);
    ASSERT_TRUE(WriteTestFile(folder + "in.txt", "7\ta\r\n\r\n8\tb\tc\td\te\tf\tg\th"));
    ASSERT_TRUE(ImportListFromFile(folder + "in.txt"));
    EXPECT_EQ(RowCount(), 3);
    EXPECT_EQ(RowCellsOf(0), (RowCells{"7", "a", "", "", "", ""}));
    EXPECT_EQ(RowCellsOf(1), (RowCells{"", "", "", "", "", ""}));
    EXPECT_EQ(RowCellsOf(2), (RowCells{"8", "b", "c", "d", "e", "f"}));
    EXPECT_EQ(SelectedRows(), std::vector<int>{});
    EXPECT_EQ(ListView_GetItemCount(超级列表框_文件列表), 3);
    EXPECT_EQ(ListViewCellText(超级列表框_文件列表, 2, ColumnDigest), "f");
}

TEST_F(ListFileTest, CopyPutsSelectedRowsInAscendingOrderOnTheClipboard)
{
    FillTestRows(12);
    for (int row : {5, 2, 9})
        SelectRow(row);
    CopySelectedRows();
    EXPECT_EQ(StatusText(), "复制成功");
    EXPECT_EQ(ClipboardText(), TestRowText(2) + TestRowText(5) + TestRowText(9));

    // No row selected: an empty text, still a success.
    ListView_SetItemState(超级列表框_文件列表, -1, 0, LVIS_SELECTED);
    SetStatusText("");
    CopySelectedRows();
    EXPECT_EQ(StatusText(), "复制成功");
    EXPECT_EQ(ClipboardText(), "");
}

TEST_F(ListFileTest, CopyWhileAnotherHoldsTheClipboardSaysSo)
{
    FillTestRows(3);
    SelectRow(0);
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ClipboardHolder events = {opened, release, false};
    HANDLE holder = CreateThread(nullptr, 0, HoldClipboard, &events, 0, nullptr);
    WaitForSingleObject(opened, INFINITE);
    ASSERT_TRUE(events.held);
    CopySelectedRows();
    EXPECT_EQ(StatusText(), "复制失败");
    SetEvent(release);
    WaitForSingleObject(holder, INFINITE);
    CloseHandle(holder);
    CloseHandle(opened);
    CloseHandle(release);
}
