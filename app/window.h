// The main window and its controls, by their form names.
#pragma once

#include <windows.h>

extern HWND MainWindow;
extern HWND 按钮_选择;
extern HWND 编辑框_地址;
extern HWND 编辑框_关键字;
extern HWND 按钮_扫描;
extern HWND 按钮_清空;
extern HWND 按钮_筛重;
extern HWND 按钮_读取;
extern HWND 超级列表框_文件列表;
extern HWND 标签_状态栏;
