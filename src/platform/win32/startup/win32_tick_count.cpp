// The 64-bit tick count that the static thread library asks kernel32 for,
// answered here so that the programs run on Windows XP, whose kernel32 lacks
// GetTickCount64. Defining the import slot in an object of the program itself
// keeps the linker from taking the kernel32 entry. This file is compiled into
// every program that links the Win32 backend (not into the backend's archive,
// which the linker would scan before the thread library asks).
#include <windows.h>

namespace {

// Milliseconds from the performance counter: monotonic and 64 bits wide on every
// Windows since XP, which is all that callers (time-outs) need of the tick count.
ULONGLONG WINAPI performanceMilliseconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0 || !QueryPerformanceCounter(&counter)) {
        return GetTickCount();
    }
    const auto ticks = static_cast<ULONGLONG>(counter.QuadPart);
    const auto perSecond = static_cast<ULONGLONG>(frequency.QuadPart);
    return ticks / perSecond * 1000 + ticks % perSecond * 1000 / perSecond;
}

}  // namespace

#if defined(_WIN64)
#define TAVLIN_TICK_COUNT_IMPORT "__imp_GetTickCount64"
#else
#define TAVLIN_TICK_COUNT_IMPORT "__imp__GetTickCount64@0"
#endif

extern "C" {
extern ULONGLONG(WINAPI* const tavlinTickCount64Import)() __asm__(TAVLIN_TICK_COUNT_IMPORT);
ULONGLONG(WINAPI* const tavlinTickCount64Import)() = performanceMilliseconds;
}
