// The local clock and the user's date and time formats from kernel32.
#pragma once

#include "platform/clock.h"

namespace tavlin::win32 {

class Win32Clock : public Clock {
public:
    LocalTime now() override;
    std::string formatLongDateShortTime(const LocalTime& time) override;
};

}  // namespace tavlin::win32
