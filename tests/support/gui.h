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
// when the object goes (a walk may have left the current directory inside
// it; it is moved out first).
struct TempFolder {
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string path;  // ends in "\"

    std::string Folder() const { return path.substr(0, path.size() - 1); }  // without the "\"
    std::string operator/(const std::string& relative) const { return path + relative; }
};

// Writes a file (creating its folders); returns false on failure.
bool WriteTestFile(const std::string& path, const std::string& content);
// Deletes a folder tree, read-only entries and paths longer than MAX_PATH included.
bool RemoveTree(const std::string& path);
// The path in the "\\?\" form that is not limited to MAX_PATH.
std::wstring LongPathW(const std::string& path);
