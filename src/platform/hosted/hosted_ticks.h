// Virtual time: the machine's tick count starts at 0 and moves only when someone
// waits, so runs on the hosted machine are repeatable and never sleep.
#pragma once

#include "platform/ticks.h"

namespace tavlin::hosted {

class HostedTicks : public Ticks {
public:
    std::uint32_t milliseconds() override { return now_; }
    void wait(std::uint32_t milliseconds) override { now_ += milliseconds; }

private:
    std::uint32_t now_ = 0;
};

}  // namespace tavlin::hosted
