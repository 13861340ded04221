// Local time from the host, or the fixed moment.
#include "platform/hosted/hosted_clock.h"

#include <ctime>

#include "platform/hosted/date_format.h"

namespace tavlin::hosted {

LocalTime HostedClock::now() {
    if (fixed_) return *fixed_;
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::string HostedClock::formatLongDateShortTime(const LocalTime& time) {
    return formatDateTime(longDate_, time) + " " + formatDateTime(shortTime_, time);
}

}  // namespace tavlin::hosted
