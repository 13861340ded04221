// Runs one codec through the frame over byte vectors, and makes the sample
// inputs the codec tests share.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compress/codec_frame.h"

namespace tavlin::test {

using Bytes = std::vector<std::uint8_t>;

struct CodecRun {
    Bytes output;
    std::int32_t checksum = 0;
    std::int32_t written = 0;
    bool inputShort = false;
    std::int64_t sourcePosition = 0;  // where the source stood afterwards
};

struct CodecOptions {
    std::int32_t key = 0;
    bool descramble = false;
    std::int32_t destSize = 0;
    std::int32_t sourceSize = -1;  // -1: the whole input
    TShowProgressEvent progress;

    CodecOptions& Key(std::int32_t value) { key = value; return *this; }
    CodecOptions& Descramble(bool value = true) { descramble = value; return *this; }
    CodecOptions& DestSize(std::size_t value) { destSize = static_cast<std::int32_t>(value); return *this; }
    CodecOptions& SourceSize(std::size_t value) { sourceSize = static_cast<std::int32_t>(value); return *this; }
    CodecOptions& Progress(TShowProgressEvent value) { progress = std::move(value); return *this; }
};

inline CodecRun RunCodecOn(std::uint8_t method, bool expanding, const Bytes& input, const CodecOptions& options = {}) {
    TCompThreadSafety state;
    MemoryStream source(input);
    MemoryStream dest;
    CodecRun run;
    const std::int32_t sourceSize =
        options.sourceSize >= 0 ? options.sourceSize : static_cast<std::int32_t>(input.size());
    run.written = RunCodec(state, options.key, options.progress, dest, source, sourceSize, options.destSize, method,
                           run.checksum, expanding, options.descramble);
    run.output = dest.bytes();
    run.inputShort = state.InputShort;
    run.sourcePosition = source.position();
    return run;
}

inline Bytes Compress(std::uint8_t method, const Bytes& input, std::int32_t key = 0) {
    return RunCodecOn(method, false, input, CodecOptions().Key(key)).output;
}

// Compresses without the limit that makes incompressible input fail: a larger
// SourceSize than the input holds only raises the output limit.
inline Bytes CompressUnlimited(std::uint8_t method, const Bytes& input) {
    return RunCodecOn(method, false, input, CodecOptions().SourceSize(input.size() * 2 + 64)).output;
}

inline Bytes Expand(std::uint8_t method, const Bytes& stored, std::int32_t expandedSize) {
    return RunCodecOn(method, true, stored, CodecOptions().DestSize(static_cast<std::size_t>(expandedSize))).output;
}

inline std::uint32_t SumOf(const Bytes& bytes) {
    std::uint32_t sum = 0;
    for (const auto b : bytes) sum += b;
    return sum;
}

inline Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A fixed pseudo-random sequence (xorshift), so failures repeat.
inline Bytes RandomBytes(std::size_t n, std::uint32_t seed = 12345) {
    Bytes out(n);
    std::uint32_t x = seed;
    for (auto& b : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<std::uint8_t>(x >> 24);
    }
    return out;
}

// English-like text from a small vocabulary, picked pseudo-randomly.
inline Bytes TextBytes(std::size_t n, std::uint32_t seed = 777) {
    static const char* const kWords[] = {"the ",  "setup ",   "archive ", "member ", "window ", "folder ",
                                         "file ", "install ", "of ",      "and ",    "to ",     "a ",
                                         "key\r\n", "code ",  "bytes ",   "match ",  "tree ",   "Tavlin. "};
    Bytes out;
    std::uint32_t x = seed;
    while (out.size() < n) {
        x = x * 1103515245u + 12345u;
        const std::string word = kWords[(x >> 16) % std::size(kWords)];
        out.insert(out.end(), word.begin(), word.end());
    }
    out.resize(n);
    return out;
}

// The sample inputs every method must round-trip.
struct SampleInput {
    std::string name;
    Bytes bytes;
};

inline std::vector<SampleInput> SampleInputs() {
    Bytes repeated256;
    const Bytes block = RandomBytes(256, 99);
    for (int i = 0; i < 40; ++i) repeated256.insert(repeated256.end(), block.begin(), block.end());
    Bytes repetitive100k;
    const Bytes line = BytesOf("Line of a repetitive log file: status OK, value 42.\r\n");
    while (repetitive100k.size() < 100 * 1024) {
        repetitive100k.insert(repetitive100k.end(), line.begin(), line.end());
        repetitive100k.push_back(static_cast<std::uint8_t>('0' + repetitive100k.size() % 10));
    }
    return {
        {"empty", {}},
        {"one_byte", {0x51}},
        {"thousand_equal", Bytes(1000, 0x00)},
        {"three_hundred_A", Bytes(300, 0x41)},
        {"all_marker", Bytes(1000, 0x94)},
        {"random", RandomBytes(40000)},
        {"text", TextBytes(30000)},
        {"slide_16128", TextBytes(16128, 4242)},
        {"repetitive_100k", repetitive100k},
        {"string_256_repeated", repeated256},
    };
}

}  // namespace tavlin::test
