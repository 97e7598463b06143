#pragma once

#include <windows.h>

namespace psm::e2e {

// Waits until `done` holds, checking every `stepMs`; true when it did.
template <class Condition>
bool WaitUntil(Condition done, DWORD milliseconds, DWORD stepMs = 20) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        if (done()) {
            return true;
        }
        if (GetTickCount64() >= end) {
            return false;
        }
        // Keep this thread's own windows and COM replies moving while it waits.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(stepMs);
    }
}

} // namespace psm::e2e
