// The machine's clock and locale: a fixed moment when one is set (tests, or the
// [Clock] setting of the machine), else the host's local time; dates formatted
// with the machine's long date and short time patterns.
#pragma once

#include <optional>
#include <string>

#include "platform/clock.h"

namespace tavlin::hosted {

class HostedClock : public Clock {
public:
    HostedClock(std::optional<LocalTime> fixed, std::string longDatePattern, std::string shortTimePattern)
        : fixed_(fixed), longDate_(std::move(longDatePattern)), shortTime_(std::move(shortTimePattern)) {}

    LocalTime now() override;
    std::string formatLongDateShortTime(const LocalTime& time) override;

    void fix(const LocalTime& time) { fixed_ = time; }

private:
    std::optional<LocalTime> fixed_;
    std::string longDate_;
    std::string shortTime_;
};

}  // namespace tavlin::hosted
