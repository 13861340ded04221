// Real time from the Windows tick count (GetTickCount: XP has no 64-bit one, and
// differences of 32-bit counts stay right across a wrap).
#pragma once

#include <cstdint>

#include "platform/ticks.h"

namespace tavlin::win32 {

class Win32Ticks : public Ticks {
public:
    Win32Ticks();
    std::uint32_t milliseconds() override;
    // Keeps the thread's windows answering while it waits: their messages are
    // dispatched as they come.
    void wait(std::uint32_t milliseconds) override;

private:
    std::uint32_t start_;
};

}  // namespace tavlin::win32
