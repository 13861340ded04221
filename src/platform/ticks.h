// Elapsed time for waits and animations: milliseconds since the program started,
// and a wait. A real machine waits real time; the hosted machine's time is virtual
// and a wait only moves it on.
#pragma once

#include <cstdint>

namespace tavlin {

class Ticks {
public:
    virtual ~Ticks() = default;
    // Milliseconds since start; wraps after about 49 days like the Windows tick count.
    virtual std::uint32_t milliseconds() = 0;
    // Returns once at least the given time has passed.
    virtual void wait(std::uint32_t milliseconds) = 0;
};

}  // namespace tavlin
