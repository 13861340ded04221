// Helpers for the LH5 codec tests: running the codecs through RunCodec on byte
// vectors, a source that delivers short reads, sample inputs, a bit writer for
// hand-made streams, and the independent LHA tool as an oracle.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "compress/codec_frame.h"
#include "platform/stream.h"

namespace tavlin::test {

using Bytes = std::vector<std::uint8_t>;

// The member checksum: the byte sum in 32 bits.
std::uint32_t ByteSum(const Bytes& data);

// A source that hands out at most maxRead bytes per read, so that refills fall
// at other places than with whole 8192-byte chunks.
class ShortReadStream : public MemoryStream {
public:
    ShortReadStream(Bytes bytes, std::size_t maxRead) : MemoryStream(std::move(bytes)), maxRead_(maxRead) {}
    std::size_t read(void* buffer, std::size_t count) override {
        return MemoryStream::read(buffer, std::min(count, maxRead_));
    }

private:
    std::size_t maxRead_;
};

struct CodecResult {
    Bytes output;
    std::uint32_t checksum = 0;
    std::int32_t returned = 0;
    std::int64_t sourcePosition = 0;  // where the source stands afterwards
    bool inputShort = false;          // the decoder used bits past the end of its input
};

// CompressLH5 through RunCodec over all of input.
CodecResult CompressLh5(const Bytes& input, std::int32_t key = 0);
// CompressLH5 in a frame set up by hand without RunCodec's output limit, to see
// the whole stream of an input that does not shrink.
Bytes CompressLh5Unlimited(const Bytes& input);
// The same with an output limit of outLimit bytes: EUnableToCompress once the
// stream would grow past it.
Bytes CompressLh5Limited(const Bytes& input, std::int32_t outLimit);
// ExpandLH5 through RunCodec; sourceSize < 0 means the whole stream.
CodecResult ExpandLh5(const Bytes& stream, std::int32_t destSize, std::int32_t key = 0, bool descramble = false,
                      std::size_t maxRead = SIZE_MAX, std::int32_t sourceSize = -1);

// Sample inputs.
Bytes RandomBytes(std::size_t size, std::uint32_t seed);
Bytes SampleText(std::size_t size);
Bytes Repeated(const Bytes& unit, std::size_t times);

// A most-significant-bit-first writer for hand-made streams.
class StreamBits {
public:
    StreamBits& Put(int n, std::uint32_t value);
    // Pads the last byte with zero bits and returns the stream.
    Bytes Finish();

private:
    Bytes bytes_;
    int used_ = 0;  // bits used in the last byte, 0 = none pending
};

// The path of a fixture in tests/fixtures/lzh.
std::string FixturePath(const std::string& name);

// True when Debian's lhasa can be run here.
bool LhasaAvailable();
// Writes a one-member .lzh with the raw stream and checks that `lhasa pq` gives
// back exactly original. Returns an empty string or the reason it did not.
std::string LhasaDecodes(const std::string& method, const Bytes& raw, const Bytes& original);

}  // namespace tavlin::test
