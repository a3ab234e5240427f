// The two file dialogs of the list text file: 通用对话框_另存为txt (save) and
// 通用对话框_读取 (open). Each remembers the full path last confirmed in it and
// offers it as the initial file name the next time it is shown.
#pragma once

#include <string>
#include <string_view>

struct FileDialog {
    bool save;           // a save dialog; an open dialog otherwise
    const char* filter;  // "description|pattern"
    std::string path;    // last confirmed path, empty until the first confirmation
};

extern FileDialog 通用对话框_另存为txt;
extern FileDialog 通用对话框_读取;

// Shows the dialog modally, owned by MainWindow. True when the user
// confirmed a path, which dialog.path then holds; a cancel keeps the
// remembered path.
bool ShowFileDialog(FileDialog& dialog);

// A filter in the form "description|pattern|..." in the form the platform
// dialog takes: every bar a zero byte, and two zero bytes at the end.
std::string DialogFilterText(std::string_view barForm);
