#include "app/window.h"

HWND MainWindow = nullptr;
HWND 按钮_选择 = nullptr;
HWND 编辑框_地址 = nullptr;
HWND 编辑框_关键字 = nullptr;
HWND 按钮_扫描 = nullptr;
HWND 按钮_清空 = nullptr;
HWND 按钮_筛重 = nullptr;
HWND 按钮_读取 = nullptr;
HWND 超级列表框_文件列表 = nullptr;
HWND 标签_状态栏 = nullptr;
