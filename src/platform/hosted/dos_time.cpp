// DOS time conversion through the host's local time zone.
#include "platform/hosted/dos_time.h"

#include <time.h>

namespace tavlin::hosted {

namespace {

bool sameLocalTime(const std::tm& a, const std::tm& b) {
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday && a.tm_hour == b.tm_hour &&
           a.tm_min == b.tm_min && a.tm_sec == b.tm_sec;
}

// The moment of a valid local time that lies a day or more away from any change
// of the zone's offset, where it names exactly one moment and mktime gives that
// one; nothing near a change (a skipped or repeated hour), which mktime decides.
// mktime looks at the zone's file again on every call, localtime_r only once:
// this is what keeps setting the dates of many files from a look per file.
std::optional<std::time_t> outsideTransitions(const std::tm& local) {
    std::tm asUtc = local;
    const std::time_t wall = ::timegm(&asUtc);
    if (wall == static_cast<std::time_t>(-1)) return std::nullopt;
    const auto offsetAt = [](std::time_t moment) -> std::optional<long> {
        std::tm fields{};
        if (::localtime_r(&moment, &fields) == nullptr) return std::nullopt;
        return fields.tm_gmtoff;
    };
    const auto guess = offsetAt(wall);
    if (!guess) return std::nullopt;
    const std::time_t moment = wall - *guess;
    constexpr std::time_t kDay = 24 * 60 * 60;
    for (const std::time_t near : {moment - kDay, moment, moment + kDay}) {
        if (offsetAt(near) != guess) return std::nullopt;
    }
    std::tm check{};
    if (::localtime_r(&moment, &check) == nullptr || !sameLocalTime(check, local)) return std::nullopt;
    return moment;
}

}  // namespace

std::optional<std::uint32_t> dosTimeFromHost(std::time_t seconds) {
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) return std::nullopt;
    const int year = local.tm_year + 1900;
    if (year < 1980 || year > 2107) return std::nullopt;
    const std::uint32_t date = static_cast<std::uint32_t>(((year - 1980) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    const std::uint32_t time = static_cast<std::uint32_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
    return (date << 16) | time;
}

std::optional<std::time_t> hostTimeFromDos(std::uint32_t dosDateTime) {
    const std::uint32_t date = dosDateTime >> 16, time = dosDateTime & 0xFFFF;
    std::tm local{};
    local.tm_year = static_cast<int>((date >> 9) + 1980 - 1900);
    local.tm_mon = static_cast<int>(((date >> 5) & 0x0F)) - 1;
    local.tm_mday = static_cast<int>(date & 0x1F);
    local.tm_hour = static_cast<int>(time >> 11);
    local.tm_min = static_cast<int>((time >> 5) & 0x3F);
    local.tm_sec = static_cast<int>((time & 0x1F) * 2);
    if (local.tm_mon < 0 || local.tm_mon > 11 || local.tm_mday < 1 || local.tm_hour > 23 || local.tm_min > 59 ||
        local.tm_sec > 59) {
        return std::nullopt;
    }
    static constexpr int kDaysInMonth[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (local.tm_mday > kDaysInMonth[local.tm_mon]) return std::nullopt;
    if (const auto seconds = outsideTransitions(local)) return *seconds;
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    if (seconds == static_cast<std::time_t>(-1)) return std::nullopt;
    // mktime moves 29 February of a common year into March; such a date is invalid.
    if (local.tm_mday != static_cast<int>(date & 0x1F)) return std::nullopt;
    return seconds;
}

}  // namespace tavlin::hosted
