// Fuzzes CompressLH5: whatever the input, the stream either does not fit (and
// raises EUnableToCompress) or expands back to the input with its checksum.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "compress/codec_frame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> input(data, data + size);
    tavlin::TCompThreadSafety state;
    tavlin::MemoryStream source(input);
    tavlin::MemoryStream packed;
    std::int32_t packedSum = 0;
    try {
        tavlin::RunCodec(state, 0, nullptr, packed, source, static_cast<std::int32_t>(size), 0, tavlin::coLZH5,
                         packedSum, false, false);
    } catch (const tavlin::EUnableToCompress&) {
        return 0;
    }
    if (source.position() != static_cast<std::int64_t>(size)) std::abort();

    tavlin::MemoryStream stream(packed.bytes());
    tavlin::MemoryStream unpacked;
    std::int32_t unpackedSum = 0;
    tavlin::RunCodec(state, 0, nullptr, unpacked, stream, static_cast<std::int32_t>(packed.bytes().size()),
                     static_cast<std::int32_t>(size), tavlin::coLZH5, unpackedSum, true, false);
    if (unpacked.bytes() != input || unpackedSum != packedSum) std::abort();
    return 0;
}
