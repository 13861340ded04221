// The frame every codec runs in: buffered byte input and output through two
// 8192-byte buffers, the member checksum, key scrambling and progress. A codec
// reads with FetchByte (testing InputEnded after every call) and writes with
// EmitByte; RunCodec sets the frame up, picks the codec and tears it down.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "compress/compress_errors.h"
#include "compress/compression_method.h"
#include "platform/stream.h"

namespace tavlin {

// OnShowProgress: the percentage done, passed by reference; -1 from the handler stops.
using TShowProgressEvent = std::function<void(int& PercentageDone)>;

inline constexpr int kCodecBufferSize = 8192;

// Gives up the rest of the calling thread's time slice.
inline void YieldTimeSlice() { std::this_thread::yield(); }

// The codec state of one archive component. Only the frame lives here between
// the codec's reads and writes; each codec keeps its own tables for one call.
class TCompThreadSafety {
public:
    // Frame fields, set up anew by every RunCodec call.
    Stream* InStream = nullptr;
    Stream* OutStream = nullptr;
    std::unique_ptr<std::uint8_t[]> InBuffer;
    int InPos = 0;
    int InEnd = 0;
    std::int32_t InLeft = 0;
    std::int32_t ChunkSize = kCodecBufferSize;
    std::int32_t InFetched = 0;
    bool InputEnded = false;
    // The codec needed input that the source did not hold: the source ended before
    // SourceSize bytes, or a decoder read past the last bit of its data. A member
    // decoded with this set is damaged, whatever its checksum says.
    bool InputShort = false;
    std::unique_ptr<std::uint8_t[]> OutBuffer;
    int OutPos = 0;
    std::uint32_t InSum = 0;
    std::uint32_t OutSum = 0;
    std::int32_t OutCount = 0;
    std::int32_t OutLimit = 0;
    bool DescrambleInput = false;
    bool ScrambleOutput = false;
    std::uint8_t KeyBytes[4] = {0, 0, 0, 0};
    std::int16_t KeyIndex = 0;
    TShowProgressEvent ProgressHandler;
    // Called after every source read and before every full write, so that a
    // window's thread that runs a long codec lets other programs have their
    // turn; empty for a builder's workers, which give nothing up (kept across
    // RunCodec calls).
    std::function<void()> YieldProcessor = YieldTimeSlice;

    // RLE fields, reset by every RunCodec call.
    bool FirstByte = true;
    bool InRun = false;
    std::uint8_t LastByte = 0;
    std::int32_t RunCount = 0;

    // The next input byte; at the end of the input (or after a progress cancel)
    // it returns the filler 0 with InputEnded set.
    std::uint8_t FetchByte() {
        if (InPos == InEnd && !Refill()) return 0;
        std::uint8_t b = InBuffer[InPos++];
        InSum += b;
        if (DescrambleInput) b = ScrambleByte(b);
        return b;
    }

    // Reads up to count bytes into to, as count calls of FetchByte would, and
    // returns how many real bytes came before the end (InputEnded set) or count.
    int FetchBytes(std::uint8_t* to, int count);

    // Appends one output byte; raises EUnableToCompress once OutLimit is used up.
    void EmitByte(std::uint8_t b) {
        if (OutLimit <= 0) throw EUnableToCompress();
        --OutLimit;
        if (OutPos == kCodecBufferSize) FlushFullBuffer();
        if (ScrambleOutput) b = ScrambleByte(b);
        OutBuffer[OutPos++] = b;
        OutSum += b;
        ++OutCount;
    }

    std::uint8_t ScrambleByte(std::uint8_t b) {
        b ^= KeyBytes[KeyIndex];
        KeyIndex = static_cast<std::int16_t>((KeyIndex + 1) & 3);
        return b;
    }

    // Refills InBuffer from InStream: true when bytes are ready and InputEnded is clear.
    bool Refill();
    // Writes a full OutBuffer to OutStream.
    void FlushFullBuffer();
};

// Progress percentage without overflow: done * 100 div total for small totals.
std::int32_t ProgressPercentage(std::int32_t done, std::int32_t total);

// Runs one codec over SourceSize bytes of Source into Dest and returns the number
// of bytes written. Checksum receives the sum of the uncompressed bytes. Expanding
// with Descramble undoes the key scrambling of a locked member; compressing with a
// non-zero key scrambles the output.
std::int32_t RunCodec(TCompThreadSafety& state, std::int32_t key, const TShowProgressEvent& onShowProgress,
                      Stream& Dest, Stream& Source, std::int32_t SourceSize, std::int32_t DestSize,
                      std::uint8_t Method, std::int32_t& Checksum, bool Expanding, bool Descramble);

// The codecs, each running inside the frame of the state it is given.
void CopyStored(TCompThreadSafety& state);
void ExpandRLE(TCompThreadSafety& state);
void CompressRLE(TCompThreadSafety& state);
void ExpandLZH(TCompThreadSafety& state, std::int32_t DestSize);
void CompressLZH(TCompThreadSafety& state);
void ExpandLH5(TCompThreadSafety& state, std::int32_t DestSize);
void CompressLH5(TCompThreadSafety& state);

}  // namespace tavlin
