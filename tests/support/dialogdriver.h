// Drives a modal dialog of the test thread from a helper thread: the test
// starts the driver, then calls the code that shows the dialog; the driver
// waits for the dialog window and plays the user's part.
#pragma once

#include <windows.h>
#include <dlgs.h>

#include <functional>
#include <string>

struct ThreadWindowSearch {
    const char* windowClass;
    HWND except;
    HWND found;
};

inline BOOL CALLBACK MatchThreadWindow(HWND window, LPARAM parameter)
{
    ThreadWindowSearch* search = reinterpret_cast<ThreadWindowSearch*>(parameter);
    char className[32] = "";
    GetClassNameA(window, className, sizeof(className));
    if (window != search->except && IsWindowVisible(window) && lstrcmpA(className, search->windowClass) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The first visible window of the class (#32770 a dialog, #32768 a popup
// menu) that belongs to the thread, other than `except`.
inline HWND FindThreadWindow(DWORD threadId, const char* windowClass, HWND except)
{
    ThreadWindowSearch search = {windowClass, except, nullptr};
    EnumThreadWindows(threadId, MatchThreadWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND WaitForThreadWindow(DWORD threadId, const char* windowClass, HWND except = nullptr,
                                DWORD timeoutMs = 15000)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
        if (HWND window = FindThreadWindow(threadId, windowClass, except))
            return window;
        Sleep(20);
    }
    return nullptr;
}

inline HWND WaitForThreadDialog(DWORD threadId, HWND except = nullptr, DWORD timeoutMs = 15000)
{
    return WaitForThreadWindow(threadId, "#32770", except, timeoutMs);
}

// The file-name box of a file dialog.
inline HWND FileNameBox(HWND dialog)
{
    HWND box = GetDlgItem(dialog, edt1);
    return box ? box : GetDlgItem(dialog, cmb13);
}

inline std::string WindowTextOf(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// The texts of a dialog's static controls, joined (a message box's question).
inline std::string StaticTexts(HWND dialog)
{
    std::string texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof(className));
        if (lstrcmpiA(className, "Static") == 0)
            texts += WindowTextOf(child);
    }
    return texts;
}

inline void PressDialogButton(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// Runs script(window) on a helper thread once a window of the class (a
// dialog unless told) has appeared in the calling thread; window is null
// when none came.
class DialogDriver {
public:
    explicit DialogDriver(std::function<void(HWND)> script, const char* windowClass = "#32770")
        : script_(std::move(script)), windowClass_(windowClass), threadId_(GetCurrentThreadId())
    {
        thread_ = CreateThread(nullptr, 0, &DialogDriver::Run, this, 0, nullptr);
    }
    ~DialogDriver() { Finish(); }
    void Finish()
    {
        if (thread_) {
            // The dialog has closed by now; let the script end.
            WaitForSingleObject(thread_, 20000);
            CloseHandle(thread_);
            thread_ = nullptr;
        }
    }
    DWORD TestThread() const { return threadId_; }

private:
    static DWORD WINAPI Run(LPVOID parameter)
    {
        DialogDriver* driver = static_cast<DialogDriver*>(parameter);
        driver->script_(WaitForThreadWindow(driver->threadId_, driver->windowClass_));
        return 0;
    }
    std::function<void(HWND)> script_;
    const char* windowClass_;
    DWORD threadId_;
    HANDLE thread_;
};
