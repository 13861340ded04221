#include "platform/win32/win32_ticks.h"

#include <windows.h>

#include "platform/win32/win32_system.h"

namespace tavlin::win32 {

Win32Ticks::Win32Ticks() : start_(GetTickCount()) {}

std::uint32_t Win32Ticks::milliseconds() { return GetTickCount() - start_; }

void Win32Ticks::wait(std::uint32_t milliseconds) {
    const DWORD begin = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - begin;
        if (elapsed >= milliseconds) return;
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT) != WAIT_OBJECT_0) {
            continue;  // timed out (the loop's test ends it) or failed (the time still counts)
        }
        if (!RunPendingMessages()) return;
    }
}

}  // namespace tavlin::win32
