// Fuzzes the adaptive LZH codec: decodes arbitrary streams (2-byte expanded
// size first), and round-trips the same bytes as data through both directions.
#include "codec_run.h"
#include "compress/compress_errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavlin::fuzz;
    FuzzInput input(data, size);
    const auto destSize = static_cast<std::int32_t>(input.Take(2));
    const auto key = static_cast<std::int32_t>(input.Take(1));
    const Bytes stream = input.Rest();
    const CodecOutput out = RunOn(tavlin::coLZH, true, stream, destSize, key, key != 0);
    // A match is copied whole, so at most 59 bytes more than asked for.
    if (out.bytes.size() > static_cast<std::size_t>(destSize) + 59) tavlin::fuzz::Fail("decoder wrote too much");
    CheckRoundTrip(tavlin::coLZH, stream, key);
    return 0;
}
