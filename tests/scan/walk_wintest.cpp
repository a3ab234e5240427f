#include "scan/walk.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/filelist_view.h"
#include "app/state.h"
#include "scan/fingerprint.h"
#include "scan_test_files.h"
#include "support/reference_md5.h"

using namespace scan_test;

namespace {

struct Row {
    std::string number, name, folder, size, date, digest;
};

std::vector<Row> AllRows()
{
    std::vector<Row> rows;
    for (int i = 0; i < RowCount(); ++i)
        rows.push_back({GetCellText(i, ColumnNumber), GetCellText(i, ColumnName), GetCellText(i, ColumnFolder),
                        GetCellText(i, ColumnSize), GetCellText(i, ColumnDate), GetCellText(i, ColumnDigest)});
    return rows;
}

std::vector<std::string> Names(const std::vector<Row>& rows)
{
    std::vector<std::string> names;
    for (const Row& row : rows)
        names.push_back(row.name);
    return names;
}

std::set<std::string> NameSet(const std::vector<Row>& rows)
{
    std::vector<std::string> names = Names(rows);
    return std::set<std::string>(names.begin(), names.end());
}

// Every file of the trees below holds its own name, so a digest shows which
// file it belongs to. Its last-write time is noon UTC, whose local date is
// the same day in every time zone from UTC-11 to UTC+11.
void MakeFile(const std::string& path, const std::string& content)
{
    ASSERT_TRUE(WriteTestFile(path, content)) << path;
    ASSERT_TRUE(SetLastWriteTime(path, 2021, 6, 15, 12)) << path;
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

void MakeNamedFile(const std::string& path) { MakeFile(path, NameOf(path)); }

std::string DigestOfName(const std::string& name) { return reference_md5::HexOf(name); }

// The subfolder names of a folder in the order the platform's search gives them.
std::vector<std::string> PlatformFolderOrder(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

std::string CurrentDirectory()
{
    char buffer[MAX_PATH * 2];
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, length);
}

bool IsFinalMessage(const std::string& status)
{
    const std::string prefix = "扫描完毕，本次耗时", suffix = "秒";
    return status.size() > prefix.size() + suffix.size() && status.compare(0, prefix.size(), prefix) == 0 &&
           status.compare(status.size() - suffix.size(), suffix.size(), suffix) == 0;
}

class WalkTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetFileListChangeHook(nullptr);
        DeleteAllRows();
        ResetProgramState();
        ResetControlTexts();
    }
    void TearDown() override
    {
        SetFileListChangeHook(nullptr);
        DeleteAllRows();
    }

    // The tree S of the example: S holds s.txt and the subfolders A and C, A
    // holds a.txt and the subfolder B with b.txt, C holds c.txt.
    std::string MakeExampleTree()
    {
        std::string s = root / "S";
        CreateDirectoryA(s.c_str(), nullptr);
        CreateDirectoryA((s + "\\A").c_str(), nullptr);
        CreateDirectoryA((s + "\\A\\B").c_str(), nullptr);
        CreateDirectoryA((s + "\\C").c_str(), nullptr);
        MakeNamedFile(s + "\\s.txt");
        MakeNamedFile(s + "\\A\\a.txt");
        MakeNamedFile(s + "\\A\\B\\b.txt");
        MakeNamedFile(s + "\\C\\c.txt");
        return s;
    }

    TempFolder root;
};

}  // namespace

TEST_F(WalkTest, SubfoldersFirstDepthFirstThenTheFoldersOwnFiles)
{
    std::string s = MakeExampleTree();
    SetAddressText(s);
    SetKeywordText("关键字");
    ToggleScan();

    // b.txt, a.txt for A and c.txt for C, in the order the search returns A
    // and C; the start folder's own s.txt last.
    std::vector<std::pair<std::string, std::string>> expected;  // name, folder
    for (const std::string& sub : PlatformFolderOrder(s)) {
        if (sub == "A") {
            expected.push_back({"b.txt", s + "\\A\\B\\"});
            expected.push_back({"a.txt", s + "\\A\\"});
        } else {
            expected.push_back({"c.txt", s + "\\C\\"});
        }
    }
    expected.push_back({"s.txt", s + "\\"});

    std::vector<Row> rows = AllRows();
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(rows[i].number, std::to_string(i + 1));
        EXPECT_EQ(rows[i].name, expected[i].first);
        EXPECT_EQ(rows[i].folder, expected[i].second);
        EXPECT_EQ(rows[i].size, "5 B");
        EXPECT_EQ(rows[i].date, "2021年6月15日");
        EXPECT_EQ(rows[i].digest, DigestOfName(expected[i].first));
        EXPECT_EQ(GetCellText(static_cast<int>(i), ColumnHidden), "");
        EXPECT_EQ(GetItemValue(static_cast<int>(i)), 0);
    }
    EXPECT_TRUE(IsFinalMessage(StatusText())) << StatusText();
    EXPECT_EQ(ScanButtonCaption(), "扫描");
    EXPECT_FALSE(StopRequested);
    // A complete walk ends in the start folder's parent.
    EXPECT_EQ(CurrentDirectory(), root.Folder());
}

TEST_F(WalkTest, StartPathWithOrWithoutSeparatorGivesTheSameFolderCells)
{
    std::string s = MakeExampleTree();
    ScanDirectory(s, "");
    std::vector<Row> without = AllRows();
    DeleteAllRows();
    ScanDirectory(s + "\\", "");
    std::vector<Row> with = AllRows();
    ASSERT_EQ(without.size(), 4u);
    ASSERT_EQ(with.size(), 4u);
    for (size_t i = 0; i < with.size(); ++i) {
        EXPECT_EQ(with[i].folder, without[i].folder);
        EXPECT_EQ(with[i].folder.find("\\\\"), std::string::npos) << with[i].folder;
        EXPECT_EQ(with[i].folder.back(), '\\');
    }
}

TEST_F(WalkTest, RelativeStartPathIsResolvedAgainstTheCurrentDirectory)
{
    std::string s = MakeExampleTree();
    ASSERT_TRUE(SetCurrentDirectoryA(root.Folder().c_str()));
    for (const char* start : {"S", ".\\S\\", "S\\A\\.."}) {
        SCOPED_TRACE(start);
        SetCurrentDirectoryA(root.Folder().c_str());
        DeleteAllRows();
        ScanDirectory(start, "");
        std::vector<Row> rows = AllRows();
        ASSERT_EQ(rows.size(), 4u);
        for (const Row& row : rows) {
            EXPECT_EQ(row.folder.compare(0, s.size() + 1, s + "\\"), 0) << row.folder;
            EXPECT_EQ(row.digest, DigestOfName(row.name));
            EXPECT_EQ(row.date, "2021年6月15日");
        }
    }
}

TEST_F(WalkTest, EmptyStartPathListsNothingAndStillReportsTheTime)
{
    MakeExampleTree();
    ASSERT_TRUE(SetCurrentDirectoryA((root / "S").c_str()));
    SetAddressText("");
    ToggleScan();
    EXPECT_EQ(RowCount(), 0);
    EXPECT_TRUE(IsFinalMessage(StatusText())) << StatusText();
    EXPECT_EQ(ScanButtonCaption(), "扫描");
    EXPECT_EQ(CurrentDirectory(), root / "S");
}

TEST_F(WalkTest, MissingStartFolderListsNothing)
{
    SetAddressText(root / "missing");
    ToggleScan();
    EXPECT_EQ(RowCount(), 0);
    EXPECT_TRUE(IsFinalMessage(StatusText())) << StatusText();
}

TEST_F(WalkTest, KeywordSelectsFilesByNameWithWildcardsAndWithoutCase)
{
    std::string t = root / "T";
    CreateDirectoryA(t.c_str(), nullptr);
    CreateDirectoryA((t + "\\repfolder").c_str(), nullptr);
    CreateDirectoryA((t + "\\other").c_str(), nullptr);
    for (const char* name : {"Report.doc", "notes.txt", "x_rEp_y.bin", "repfolder\\inner.txt", "other\\prepare.txt",
                             "other\\rap.txt"})
        MakeNamedFile(t + "\\" + name);

    struct Case {
        const char* keyword;
        std::set<std::string> names;
    } cases[] = {
        {"rep", {"Report.doc", "x_rEp_y.bin", "prepare.txt"}},
        {"REP", {"Report.doc", "x_rEp_y.bin", "prepare.txt"}},
        {"r?p", {"Report.doc", "x_rEp_y.bin", "prepare.txt", "rap.txt"}},
        {"n*s", {"notes.txt"}},
        {"", {"Report.doc", "notes.txt", "x_rEp_y.bin", "inner.txt", "prepare.txt", "rap.txt"}},
        {"关键字", {"Report.doc", "notes.txt", "x_rEp_y.bin", "inner.txt", "prepare.txt", "rap.txt"}},
        {"nothing", {}},
    };
    for (const Case& c : cases) {
        DeleteAllRows();
        SetAddressText(t);
        SetKeywordText(c.keyword);
        ToggleScan();
        EXPECT_EQ(NameSet(AllRows()), c.names) << c.keyword;
    }
}

TEST_F(WalkTest, HiddenAndSystemFilesAndFoldersAreListed)
{
    std::string h = root / "H";
    CreateDirectoryA(h.c_str(), nullptr);
    CreateDirectoryA((h + "\\.dotfolder").c_str(), nullptr);
    CreateDirectoryA((h + "\\hiddenfolder").c_str(), nullptr);
    MakeNamedFile(h + "\\.dotfile");
    MakeNamedFile(h + "\\hidden.txt");
    MakeNamedFile(h + "\\.dotfolder\\in_dot.txt");
    MakeNamedFile(h + "\\hiddenfolder\\in_hidden.txt");
    SetFileAttributesA((h + "\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA((h + "\\hiddenfolder").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    // Wine shows Linux dot files as hidden.
    DWORD dotAttributes = GetFileAttributesA((h + "\\.dotfile").c_str());
    ASSERT_NE(dotAttributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(dotAttributes & FILE_ATTRIBUTE_HIDDEN);

    ScanDirectory(h, "");
    EXPECT_EQ(NameSet(AllRows()), (std::set<std::string>{".dotfile", "hidden.txt", "in_dot.txt", "in_hidden.txt"}));
}

TEST_F(WalkTest, FolderThatCannotBeEnteredIsSkippedWithItsTree)
{
    // A folder whose full path is longer than a current directory can be:
    // the walk cannot enter it (as root on Linux, permissions keep nobody out).
    std::string p = root / "P";
    CreateDirectoryA(p.c_str(), nullptr);
    std::string longName(250, 'L');
    std::wstring longFolder = LongPathW(p + "\\" + longName);
    ASSERT_TRUE(CreateDirectoryW(longFolder.c_str(), nullptr));
    HANDLE inside = CreateFileW((longFolder + L"\\unreachable.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(inside, INVALID_HANDLE_VALUE);
    CloseHandle(inside);
    ASSERT_FALSE(SetCurrentDirectoryA((p + "\\" + longName).c_str())) << "the long folder can be entered here";

    CreateDirectoryA((p + "\\sibling").c_str(), nullptr);
    MakeNamedFile(p + "\\sibling\\sibling.txt");
    MakeNamedFile(p + "\\parent.txt");
    ScanDirectory(p, "");
    std::vector<Row> rows = AllRows();
    EXPECT_EQ(NameSet(rows), (std::set<std::string>{"sibling.txt", "parent.txt"}));
    for (const Row& row : rows)
        EXPECT_EQ(row.digest, DigestOfName(row.name)) << row.name;
}

TEST_F(WalkTest, SecondScanAppendsAndNumbersOn)
{
    std::string s = MakeExampleTree();
    SetAddressText(s);
    ToggleScan();
    std::vector<Row> first = AllRows();
    ToggleScan();
    std::vector<Row> all = AllRows();
    ASSERT_EQ(first.size(), 4u);
    ASSERT_EQ(all.size(), 8u);
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].number, std::to_string(i + 1));
        EXPECT_EQ(all[i].name, first[i % 4].name);
        EXPECT_EQ(all[i].digest, first[i % 4].digest);
    }
}

namespace {

// A click on the scan button that arrives while the walk pumps messages:
// posted to a hidden window once the walk has appended StopAfterRows rows.
constexpr int StopAfterRows = 3;
constexpr UINT ClickScanMessage = WM_APP + 1;

struct NestedClickRecord {
    int clicks = 0;
    int rowsAtClick = -1;
    std::string captionAfterStop;
    bool stopRequestedAfterStop = false;
    std::string captionAfterSecondClick;
    int rowsAfterSecondClick = -1;
};
NestedClickRecord nestedClick;
HWND clickWindow = nullptr;

LRESULT CALLBACK ClickWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != ClickScanMessage)
        return DefWindowProcA(window, message, wParam, lParam);
    ++nestedClick.clicks;
    nestedClick.rowsAtClick = RowCount();
    ToggleScan();  // asks the running walk to stop
    nestedClick.captionAfterStop = ScanButtonCaption();
    nestedClick.stopRequestedAfterStop = StopRequested;
    ToggleScan();  // while it unwinds: ignored
    nestedClick.captionAfterSecondClick = ScanButtonCaption();
    nestedClick.rowsAfterSecondClick = RowCount();
    return 0;
}

void PostClickWhenRowsReach(FileListChange change, int row)
{
    if (change == FileListChange::Appended && row + 1 == StopAfterRows)
        PostMessageA(clickWindow, ClickScanMessage, 0, 0);
}

}  // namespace

TEST_F(WalkTest, StopClickDuringTheWalkEndsItAfterTheCurrentFile)
{
    std::string d = root / "D";
    CreateDirectoryA(d.c_str(), nullptr);
    CreateDirectoryA((d + "\\sub").c_str(), nullptr);
    for (int i = 0; i < 6; ++i) {
        MakeNamedFile(d + "\\sub\\f" + std::to_string(i) + ".txt");
        MakeNamedFile(d + "\\g" + std::to_string(i) + ".txt");
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ClickWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KestrineScanTestClicker";
    RegisterClassA(&windowClass);
    clickWindow = CreateWindowA(windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
    ASSERT_TRUE(clickWindow);
    nestedClick = NestedClickRecord();
    SetFileListChangeHook(PostClickWhenRowsReach);

    SetAddressText(d);
    ToggleScan();
    SetFileListChangeHook(nullptr);

    EXPECT_EQ(nestedClick.clicks, 1);
    EXPECT_EQ(nestedClick.rowsAtClick, StopAfterRows);
    EXPECT_EQ(nestedClick.captionAfterStop, "扫描");
    EXPECT_TRUE(nestedClick.stopRequestedAfterStop);
    EXPECT_EQ(nestedClick.captionAfterSecondClick, "扫描");
    EXPECT_EQ(nestedClick.rowsAfterSecondClick, StopAfterRows);
    // The file being listed completed its row; nothing was listed after it.
    std::vector<Row> rows = AllRows();
    ASSERT_EQ(rows.size(), static_cast<size_t>(StopAfterRows));
    for (const Row& row : rows)
        EXPECT_EQ(row.digest, DigestOfName(row.name)) << row.name;
    EXPECT_TRUE(IsFinalMessage(StatusText())) << StatusText();
    EXPECT_EQ(ScanButtonCaption(), "扫描");
    EXPECT_FALSE(StopRequested);
    // A stopped walk stays in the folder it was walking.
    EXPECT_EQ(CurrentDirectory(), d + "\\sub");

    // The next click starts a new, complete walk.
    ToggleScan();
    EXPECT_EQ(RowCount(), StopAfterRows + 12);
    DestroyWindow(clickWindow);
    clickWindow = nullptr;
}

TEST_F(WalkTest, ChineseFolderAndFileNames)
{
    std::string c = root / "中文目录";
    ASSERT_TRUE(CreateDirectoryA(c.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((c + "\\子文件夹").c_str(), nullptr));
    MakeNamedFile(c + "\\文件一.txt");
    MakeNamedFile(c + "\\子文件夹\\报告.doc");
    ScanDirectory(c, "");
    std::vector<Row> rows = AllRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "报告.doc");
    EXPECT_EQ(rows[0].folder, c + "\\子文件夹\\");
    EXPECT_EQ(rows[1].name, "文件一.txt");
    EXPECT_EQ(rows[1].folder, c + "\\");
    for (const Row& row : rows)
        EXPECT_EQ(row.digest, DigestOfName(row.name)) << row.name;

    DeleteAllRows();
    ScanDirectory(c, "报告");
    EXPECT_EQ(Names(AllRows()), std::vector<std::string>{"报告.doc"});
}

TEST_F(WalkTest, FolderEndingInACharacterWithTrailByte5CGetsItsSeparator)
{
    // GBK 81 5C is one character whose second byte has the value of "\".
    std::string x = root / "x\x81\x5C";
    ASSERT_TRUE(CreateDirectoryA(x.c_str(), nullptr));
    MakeNamedFile(x + "\\inside.txt");
    ScanDirectory(x, "");
    std::vector<Row> rows = AllRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].folder, x + "\\");
    EXPECT_EQ(rows[0].digest, DigestOfName("inside.txt"));
}

TEST_F(WalkTest, FileOpenForWritingElsewhereGetsAReadErrorRow)
{
    std::string w = root / "W";
    CreateDirectoryA(w.c_str(), nullptr);
    MakeNamedFile(w + "\\busy.txt");
    HANDLE writer = CreateFileA((w + "\\busy.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    ScanDirectory(w, "");
    CloseHandle(writer);
    std::vector<Row> rows = AllRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].size, "0 B");
    EXPECT_EQ(rows[0].digest, "读取错误");
    EXPECT_EQ(rows[0].date, "2021年6月15日");
}

namespace {

// Stands in for a command that runs while a fingerprint pumps messages: it
// acts when the date cell of the row appended for TargetFile has been
// written, i.e. just before that file's fingerprint is computed.
enum class RowCommand { Reverse, DeleteAll };
RowCommand commandToRun;
std::string targetFile;
bool commandRan = false;

void RunCommandBeforeFingerprint(FileListChange change, int row)
{
    if (commandRan || change != FileListChange::CellChanged || GetCellText(row, ColumnName) != targetFile ||
        GetCellText(row, ColumnDate).empty())
        return;
    commandRan = true;
    if (commandToRun == RowCommand::Reverse) {
        std::reverse(FileListRows().begin(), FileListRows().end());  // as a sort would move it
        NotifyFileListChanged(FileListChange::Rewritten, -1);
    } else {
        DeleteAllRows();
    }
}

}  // namespace

TEST_F(WalkTest, FingerprintCellsFollowTheirRowWhenItMovesOrGoes)
{
    std::string m = root / "M";
    CreateDirectoryA(m.c_str(), nullptr);
    for (int i = 0; i < 5; ++i)
        MakeNamedFile(m + "\\file" + std::to_string(i) + ".txt");
    // The walk's file order is the platform's; aim at the third file it lists.
    ScanDirectory(m, "");
    ASSERT_EQ(RowCount(), 5);
    std::string third = GetCellText(2, ColumnName);
    DeleteAllRows();

    for (RowCommand command : {RowCommand::Reverse, RowCommand::DeleteAll}) {
        SCOPED_TRACE(command == RowCommand::Reverse ? "moved" : "deleted");
        DeleteAllRows();
        commandToRun = command;
        targetFile = third;
        commandRan = false;
        SetFileListChangeHook(RunCommandBeforeFingerprint);
        ScanDirectory(m, "");
        SetFileListChangeHook(nullptr);
        ASSERT_TRUE(commandRan);

        std::vector<Row> rows = AllRows();
        EXPECT_EQ(rows.size(), command == RowCommand::Reverse ? 5u : 2u);
        // Every row carries its own file's digest and size; none is left without.
        for (const Row& row : rows) {
            EXPECT_EQ(row.digest, DigestOfName(row.name)) << row.name;
            EXPECT_EQ(row.size, "9 B") << row.name;
        }
        if (command == RowCommand::DeleteAll) {
            // The rows after the clear are numbered from 1 again.
            ASSERT_EQ(rows.size(), 2u);
            EXPECT_EQ(rows[0].number, "1");
            EXPECT_NE(rows[0].name, third);
        }
    }
}
