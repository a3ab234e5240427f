#pragma once

#include <windows.h>

LRESULT CALLBACK CellColourWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Frees the colour table at program end.
void ReleaseCellColourTable();
