// Runs one codec over a byte vector for the fuzz targets.
#pragma once

#include "compress/codec_frame.h"
#include "fuzz_input.h"

namespace tavlin::fuzz {

struct CodecOutput {
    Bytes bytes;
    std::int32_t checksum = 0;
};

inline CodecOutput RunOn(std::uint8_t method, bool expanding, const Bytes& input, std::int32_t destSize,
                         std::int32_t key = 0, bool descramble = false, std::int32_t sourceSize = -1) {
    TCompThreadSafety state;
    MemoryStream source(input);
    MemoryStream dest;
    CodecOutput out;
    RunCodec(state, key, {}, dest, source, sourceSize >= 0 ? sourceSize : static_cast<std::int32_t>(input.size()),
             destSize, method, out.checksum, expanding, descramble);
    out.bytes = dest.bytes();
    return out;
}

// Compresses with room for output longer than the input, expands it again and
// insists on getting the input back with its checksum.
inline void CheckRoundTrip(std::uint8_t method, const Bytes& data, std::int32_t key) {
    const auto size = static_cast<std::int32_t>(data.size());
    const CodecOutput packed = RunOn(method, false, data, 0, key, false, 2 * size + 64);
    const CodecOutput unpacked = RunOn(method, true, packed.bytes, size, key, key != 0);
    if (unpacked.bytes != data) Fail("round trip changed the data");
    if (unpacked.checksum != packed.checksum) Fail("checksums of the two directions differ");
}

}  // namespace tavlin::fuzz
