// Fuzzes ExpandLH5 on arbitrary streams. Input: 3 bytes of DestSize (low 18 bits,
// little-endian), a key byte (0: none; else repeated into a key, with descrambling),
// a read-size byte, then the stream. Every stream must decode to at least DestSize
// bytes or raise ELZHBadDecodeTable, with the same result whatever the source's
// read sizes are.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "compress/codec_frame.h"

namespace {

// A source whose reads deliver at most maxRead bytes.
class ShortReadStream : public tavlin::MemoryStream {
public:
    ShortReadStream(std::vector<std::uint8_t> bytes, std::size_t maxRead)
        : MemoryStream(std::move(bytes)), maxRead_(maxRead) {}
    std::size_t read(void* buffer, std::size_t count) override {
        return MemoryStream::read(buffer, std::min(count, maxRead_));
    }

private:
    std::size_t maxRead_;
};

struct Outcome {
    bool badTable = false;
    std::vector<std::uint8_t> output;
    std::uint32_t checksum = 0;
};

Outcome Expand(const std::vector<std::uint8_t>& stream, std::int32_t destSize, std::int32_t key,
               std::size_t maxRead) {
    tavlin::TCompThreadSafety state;
    ShortReadStream source(stream, maxRead);
    tavlin::MemoryStream dest;
    Outcome outcome;
    std::int32_t checksum = 0;
    try {
        tavlin::RunCodec(state, key, nullptr, dest, source, static_cast<std::int32_t>(stream.size()), destSize,
                         tavlin::coLZH5, checksum, true, key != 0);
        outcome.checksum = static_cast<std::uint32_t>(checksum);
    } catch (const tavlin::ELZHBadDecodeTable&) {
        outcome.badTable = true;
    }
    outcome.output = dest.bytes();
    return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const std::int32_t destSize = data[0] | (data[1] << 8) | ((data[2] & 3) << 16);
    const std::int32_t key = static_cast<std::int32_t>(data[3] * 0x01010101u);
    const std::size_t shortRead = 1 + data[4] % 97;
    const std::vector<std::uint8_t> stream(data + 5, data + size);

    const Outcome whole = Expand(stream, destSize, key, SIZE_MAX);
    if (!whole.badTable) {
        if (whole.output.size() < static_cast<std::size_t>(destSize)) std::abort();
        std::uint32_t sum = 0;
        for (const std::uint8_t b : whole.output) sum += b;
        if (sum != whole.checksum) std::abort();
    }
    const Outcome pieces = Expand(stream, destSize, key, shortRead);
    if (pieces.badTable != whole.badTable || pieces.output != whole.output) std::abort();
    return 0;
}
