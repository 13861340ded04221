// The local clock and the user's date and time formats.
#pragma once

#include <string>

namespace tavlin {

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() = 0;
    // The moment in the user's long date format, a blank and the short time format.
    virtual std::string formatLongDateShortTime(const LocalTime& time) = 0;
};

}  // namespace tavlin
