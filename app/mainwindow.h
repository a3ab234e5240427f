// MainWindow: the program's one top-level window, its controls and start-up.
#pragma once

#include <windows.h>

// Control identifiers, as WM_COMMAND and WM_NOTIFY carry them.
enum ControlId {
    IdChooseButton = 101,  // 按钮_选择
    IdAddressEdit,         // 编辑框_地址
    IdKeywordEdit,         // 编辑框_关键字
    IdScanButton,          // 按钮_扫描
    IdClearButton,         // 按钮_清空
    IdDuplicatesButton,    // 按钮_筛重
    IdImportButton,        // 按钮_读取
    IdFileList,            // 超级列表框_文件列表
    IdStatusLine,          // 标签_状态栏
};

constexpr const char* MainWindowCaption = "Kestrine  Moravelle  tandrix";
constexpr const char* KeywordPlaceholder = "关键字";
constexpr COLORREF FileListBackColour = RGB(128, 160, 128);
constexpr COLORREF PlaceholderTextColour = RGB(192, 192, 192);
constexpr int MainWindowWidth = 1079;
constexpr int MainWindowHeight = 600;

// Creates MainWindow with all its controls and the six visible columns over
// the row store, and resets the program-wide variables.
HWND CreateMainWindow(HINSTANCE instance, int showCommand);

// Start-up, message loop and end; returns the exit code.
int RunApplication(HINSTANCE instance, int showCommand);

// The folder chooser of 按钮_选择 (shell folder browser).
void ChooseFolder();

// Left button released over 编辑框_关键字: the placeholder goes, once.
void ClearKeywordPlaceholder();
