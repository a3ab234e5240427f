// Helpers for tests that drive the real main window with real messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

// Dispatches messages for about ms milliseconds.
void PumpFor(DWORD ms);
// Dispatches messages until done() holds or the time is up; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Removes WM_QUIT messages left by a destroyed main window.
void DrainQuitMessages();

std::string ControlText(HWND control);
// The control's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);
// A click as the button's parent sees it (BM_CLICK: press and release).
void ClickButton(HWND button);
// Text of a list-view cell as the list view itself reports it.
std::string ListViewCellText(HWND list, int row, int column);

// A fresh main window, shown on the (virtual) display, over an empty row
// store; destroyed afterwards.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    HWND window = nullptr;
};

// A fresh folder under the temporary folder, removed with everything in it
// when the object goes.
struct TempFolder {
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string path;  // ends in "\"
};

// Writes a file (creating its folders); returns false on failure.
bool WriteTestFile(const std::string& path, const std::string& content);
bool RemoveTree(const std::string& path);
