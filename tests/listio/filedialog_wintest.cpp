// The export and import commands through their real dialogs, with a helper
// thread in the user's place.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/commands.h"
#include "app/controls.h"
#include "app/filelist.h"
#include "app/window.h"
#include "listio/filedialog.h"
#include "listio/listfile.h"
#include "support/dialogdriver.h"
#include "support/gui.h"
#include "support/listrows.h"

namespace {

class FileDialogTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        通用对话框_另存为txt.path.clear();
        通用对话框_读取.path.clear();
    }
    TempFolder temp;
    const std::string& folder = temp.path;
};

}  // namespace

TEST_F(FileDialogTest, SaveAndOpenDialogsConfirmCancelAndOfferTheLastPath)
{
    AppendRowWithCells({"1", "甲.txt", "C:\\", "1 B", "2024年1月1日", "AB"});
    AppendRowWithCells({"2", "", "D:\\", "", "", ""});
    const std::string expectedBytes = "1\t甲.txt\tC:\\\t1 B\t2024年1月1日\tAB\r\n2\t\tD:\\\t\t\t\r\n";

    // Save, through the popup item: a name typed without suffix writes name.txt.
    {
        DialogDriver driver([&](HWND dialog) {
            if (!dialog)
                return;
            SetWindowTextA(FileNameBox(dialog), (folder + "导出").c_str());
            PressDialogButton(dialog, IDOK);
        });
        SendMessageA(MainWindow, WM_COMMAND, CommandSave, 0);
    }
    EXPECT_EQ(FileBytes(folder + "导出.txt"), expectedBytes);
    EXPECT_EQ(StatusText(), "导出" + folder + "导出.txt成功");
    EXPECT_EQ(通用对话框_另存为txt.path, folder + "导出.txt");

    // Save again: the dialog offers the last path; typing the name without
    // suffix asks about overwriting the file that will be written, and a
    // "No" returns to the dialog, which is then cancelled.
    SetStatusText("");
    std::string offered, question;
    {
        DialogDriver driver([&](HWND dialog) {
            if (!dialog)
                return;
            offered = WindowTextOf(FileNameBox(dialog));
            SetWindowTextA(FileNameBox(dialog), (folder + "导出").c_str());
            PressDialogButton(dialog, IDOK);
            if (HWND ask = WaitForThreadDialog(GetWindowThreadProcessId(dialog, nullptr), dialog, 5000)) {
                question = StaticTexts(ask);
                PressDialogButton(ask, IDNO);
            }
            Sleep(200);
            PressDialogButton(dialog, IDCANCEL);
        });
        ExportList();
    }
    EXPECT_NE(offered.find("导出.txt"), std::string::npos) << offered;
    // Only 导出.txt exists, not 导出: a question at all means the dialog
    // asked about the file the export would write.
    EXPECT_FALSE(question.empty());
    EXPECT_EQ(StatusText(), "");
    EXPECT_EQ(GetFileAttributesA((folder + "导出.txt.txt").c_str()), INVALID_FILE_ATTRIBUTES);

    // Open, through the button 读取: the exported file comes back.
    DeleteAllRows();
    {
        DialogDriver driver([&](HWND dialog) {
            if (!dialog)
                return;
            SetWindowTextA(FileNameBox(dialog), (folder + "导出.txt").c_str());
            PressDialogButton(dialog, IDOK);
        });
        ClickButton(按钮_读取);
    }
    EXPECT_EQ(StatusText(), "读取文件列表成功");
    ASSERT_EQ(RowCount(), 2);
    EXPECT_EQ(RowCellsOf(1), (RowCells{"2", "", "D:\\", "", "", ""}));

    // Open again, cancelled: the last file is offered and the list stays.
    SetCellText(0, ColumnName, "changed");
    SetStatusText("");
    offered.clear();
    {
        DialogDriver driver([&](HWND dialog) {
            if (!dialog)
                return;
            offered = WindowTextOf(FileNameBox(dialog));
            PressDialogButton(dialog, IDCANCEL);
        });
        ImportList();
    }
    EXPECT_NE(offered.find("导出.txt"), std::string::npos) << offered;
    EXPECT_EQ(GetCellText(0, ColumnName), "changed");
    EXPECT_EQ(StatusText(), "");
    EXPECT_EQ(通用对话框_读取.path, folder + "导出.txt");
}
