// The fixed prefix code of coLZH match offsets: the upper 6 bits of an offset
// (0..63) are sent as a canonical code of 3 to 8 bits, the lower 6 bits plainly.
// The decoder looks a code up by the next 8 stream bits.
#pragma once

#include <array>
#include <cstdint>

namespace tavlin {

struct TLzhOffsetCode {
    std::array<std::uint8_t, 64> Length{};      // code length of each upper value
    std::array<std::uint8_t, 64> Code{};        // its code, left-aligned in 8 bits
    std::array<std::uint8_t, 256> UpperOf{};    // upper value whose code begins the 8 bits
    std::array<std::uint8_t, 256> LengthOf{};   // length of that code
};

// Canonical code with the lengths 3 (1 value), 4 (3), 5 (8), 6 (12), 7 (24), 8 (16).
constexpr TLzhOffsetCode MakeLzhOffsetCode() {
    constexpr int kCountOfLength[9] = {0, 0, 0, 1, 3, 8, 12, 24, 16};
    TLzhOffsetCode table;
    int u = 0;
    int code = 0;
    for (int length = 3; length <= 8; ++length) {
        for (int n = 0; n < kCountOfLength[length]; ++n, ++u, ++code) {
            table.Length[u] = static_cast<std::uint8_t>(length);
            const int leftAligned = code << (8 - length);
            table.Code[u] = static_cast<std::uint8_t>(leftAligned);
            for (int i = 0; i < (1 << (8 - length)); ++i) {
                table.UpperOf[leftAligned + i] = static_cast<std::uint8_t>(u);
                table.LengthOf[leftAligned + i] = static_cast<std::uint8_t>(length);
            }
        }
        code <<= 1;
    }
    return table;
}

inline constexpr TLzhOffsetCode kLzhOffsetCode = MakeLzhOffsetCode();

}  // namespace tavlin
