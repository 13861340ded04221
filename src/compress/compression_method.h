// The compression methods of archive members and their 3-letter method IDs.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavlin {

enum TCompressionMethod : std::uint8_t { coNone = 0, coRLE = 1, coLZH = 2, coCustom = 3, coLZH5 = 4 };

// The method IDs in the order of TCompressionMethod.
inline constexpr std::array<const char*, 5> kMethodIDs = {"NON", "RLE", "LZH", "CUS", "LH5"};

}  // namespace tavlin
