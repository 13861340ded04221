// MS-DOS date and time (high 16 bits the date, low 16 bits the time, two-second
// steps, local time) to and from host time stamps.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

namespace tavlin::hosted {

// Nothing for moments a DOS time cannot hold (before 1980 or after 2107).
std::optional<std::uint32_t> dosTimeFromHost(std::time_t seconds);
// Nothing for a value that is not a valid date and time.
std::optional<std::time_t> hostTimeFromDos(std::uint32_t dosDateTime);

}  // namespace tavlin::hosted
