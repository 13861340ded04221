// Fuzzes ExpandLH5 on arbitrary streams. Input: 3 bytes of DestSize (low 15 bits,
// little-endian: four windows' worth, enough for every slide; the third byte is
// unused), a key byte (0: none; else repeated into a key, with descrambling), a
// read-size byte, then the stream. Every stream must decode to at least DestSize
// bytes, or stop where its input ran short, or raise ELZHBadDecodeTable, with the
// same result whatever the source's read sizes are; and its output is bounded by
// what its bytes can encode: a block header takes at least 52 bits and gives at
// most 65536 symbols of at most 256 bytes.
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
    bool inputShort = false;
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
        outcome.inputShort = state.InputShort;
    } catch (const tavlin::ELZHBadDecodeTable&) {
        outcome.badTable = true;
    }
    outcome.output = dest.bytes();
    return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    // The output stays small so that thousands of streams a second are tried.
    const std::int32_t destSize = data[0] | ((data[1] & 0x7F) << 8);
    const std::int32_t key = static_cast<std::int32_t>(data[3] * 0x01010101u);
    const std::size_t shortRead = 1 + data[4] % 97;
    const std::vector<std::uint8_t> stream(data + 5, data + size);

    const Outcome whole = Expand(stream, destSize, key, SIZE_MAX);
    const std::uint64_t blocks = stream.size() * 8 / 52 + 1;
    if (whole.output.size() > std::min<std::uint64_t>(static_cast<std::uint64_t>(destSize) + 256, blocks * 65536 * 256)) {
        std::abort();
    }
    if (!whole.badTable) {
        if (whole.output.size() < static_cast<std::size_t>(destSize) && !whole.inputShort) std::abort();
        std::uint32_t sum = 0;
        for (const std::uint8_t b : whole.output) sum += b;
        if (sum != whole.checksum) std::abort();
    }
    const Outcome pieces = Expand(stream, destSize, key, shortRead);
    if (pieces.badTable != whole.badTable || pieces.output != whole.output) std::abort();
    return 0;
}
