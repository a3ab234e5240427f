#include "app/pump.h"

#include <windows.h>

namespace {

int pumpDepth = 0;

}  // namespace

bool PumpingForLongOperation() { return pumpDepth > 0; }

void PumpPendingMessages()
{
    struct DepthGuard {
        DepthGuard() { ++pumpDepth; }
        ~DepthGuard() { --pumpDepth; }
    } guard;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT)
            return;  // left queued for the message loop
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            return;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool InputPending() { return GetInputState() != 0; }
