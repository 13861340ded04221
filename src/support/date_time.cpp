#include "support/date_time.h"

#include <chrono>
#include <cmath>

namespace tavlin {

namespace {
// Day 0 of a date-time value.
constexpr std::chrono::sys_days kEpoch{std::chrono::year{1899} / 12 / 30};
}  // namespace

TDateTime EncodeDateTime(const LocalTime& time) {
    const std::chrono::year_month_day date{std::chrono::year{time.year}, std::chrono::month{static_cast<unsigned>(time.month)},
                                           std::chrono::day{static_cast<unsigned>(time.day)}};
    const double days = static_cast<double>((std::chrono::sys_days{date} - kEpoch).count());
    return days + (time.hour * 3600 + time.minute * 60 + time.second) / 86400.0;
}

LocalTime DecodeDateTime(TDateTime value) {
    const auto days = static_cast<long>(std::floor(value));
    auto seconds = static_cast<long>(std::lround((value - static_cast<double>(days)) * 86400.0));
    long dayShift = 0;
    if (seconds >= 86400) {
        seconds -= 86400;
        dayShift = 1;
    }
    const std::chrono::year_month_day date{kEpoch + std::chrono::days{days + dayShift}};
    LocalTime time;
    time.year = static_cast<int>(date.year());
    time.month = static_cast<int>(static_cast<unsigned>(date.month()));
    time.day = static_cast<int>(static_cast<unsigned>(date.day()));
    time.hour = static_cast<int>(seconds / 3600);
    time.minute = static_cast<int>(seconds / 60 % 60);
    time.second = static_cast<int>(seconds % 60);
    return time;
}

TDateTime DosDateTimeToDateTime(std::uint32_t dosDateTime) {
    LocalTime time;
    const std::uint32_t date = dosDateTime >> 16;
    const std::uint32_t clock = dosDateTime & 0xFFFF;
    time.year = static_cast<int>((date >> 9) + 1980);
    time.month = static_cast<int>((date >> 5) & 15);
    time.day = static_cast<int>(date & 31);
    time.hour = static_cast<int>(clock >> 11);
    time.minute = static_cast<int>((clock >> 5) & 63);
    time.second = static_cast<int>((clock & 31) * 2);
    if (time.month < 1 || time.month > 12 || time.day < 1) return 0;
    return EncodeDateTime(time);
}

std::uint32_t LocalTimeToDosDateTime(const LocalTime& time) {
    const auto date = static_cast<std::uint32_t>(((time.year - 1980) << 9) | (time.month << 5) | time.day);
    const auto clock = static_cast<std::uint32_t>((time.hour << 11) | (time.minute << 5) | (time.second / 2));
    return (date << 16) | clock;
}

}  // namespace tavlin
