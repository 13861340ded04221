// When a message pump that callers ask for very often looks at the queue: on the
// first call, and then once an interval has passed since the last look, on a
// millisecond tick count that may wrap around.
#pragma once

#include <cstdint>

namespace tavlin {

class PumpPacing {
public:
    explicit PumpPacing(std::uint32_t interval) : interval_(interval) {}

    // Whether the pump looks now; a look starts the next interval.
    bool Due(std::uint32_t now) {
        if (looked_ && now - last_ < interval_) return false;
        looked_ = true;
        last_ = now;
        return true;
    }

private:
    std::uint32_t interval_;
    bool looked_ = false;
    std::uint32_t last_ = 0;
};

}  // namespace tavlin
