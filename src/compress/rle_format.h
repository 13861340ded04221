// The run-length code of method coRLE: a literal byte, an escaped marker
// (marker, 0) or a run (marker, n) that repeats the last literal n - 1 more times.
#pragma once

#include <cstdint>

namespace tavlin {

inline constexpr std::uint8_t RLEMarker = 0x94;
// Runs are counted in one byte.
inline constexpr std::int32_t kLongestRLERun = 255;

}  // namespace tavlin
