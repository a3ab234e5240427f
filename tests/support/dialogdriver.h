// Drives a modal dialog of the test thread from a helper thread: the test
// starts the driver, then calls the code that shows the dialog; the driver
// waits for the dialog window and plays the user's part.
#pragma once

#include <windows.h>
#include <dlgs.h>

#include <functional>
#include <string>

// The first visible dialog window (class #32770) of the thread other than `except`.
inline HWND FindThreadDialog(DWORD threadId, HWND except)
{
    struct Search {
        HWND except;
        HWND found;
    } search = {except, nullptr};
    EnumThreadWindows(
        threadId,
        [](HWND window, LPARAM parameter) -> BOOL {
            Search* s = reinterpret_cast<Search*>(parameter);
            char className[32] = "";
            GetClassNameA(window, className, sizeof(className));
            if (window != s->except && IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND WaitForThreadDialog(DWORD threadId, HWND except = nullptr, DWORD timeoutMs = 15000)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
        if (HWND dialog = FindThreadDialog(threadId, except))
            return dialog;
        Sleep(20);
    }
    return nullptr;
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

// Runs script(dialog) on a helper thread once a dialog of the calling
// thread has appeared (dialog is null when none came).
class DialogDriver {
public:
    explicit DialogDriver(std::function<void(HWND)> script)
        : script_(std::move(script)), threadId_(GetCurrentThreadId())
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
        driver->script_(WaitForThreadDialog(driver->threadId_));
        return 0;
    }
    std::function<void(HWND)> script_;
    DWORD threadId_;
    HANDLE thread_;
};
