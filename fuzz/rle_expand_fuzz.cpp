// Fuzzes the RLE codec: decodes arbitrary item streams and round-trips the same
// bytes as data through both directions.
#include "codec_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavlin::fuzz;
    FuzzInput input(data, size);
    const auto key = static_cast<std::int32_t>(input.Take(1));
    const Bytes stream = input.Rest();
    const CodecOutput out = RunOn(tavlin::coRLE, true, stream, 0, key, key != 0);
    // Each item of at most two bytes gives at most 254 bytes.
    if (out.bytes.size() > 127 * stream.size() + 1) Fail("decoder wrote too much");
    CheckRoundTrip(tavlin::coRLE, stream, key);
    return 0;
}
