#include "compress/codec_frame.h"

#include <algorithm>

namespace tavlin {

std::int32_t ProgressPercentage(std::int32_t done, std::int32_t total) {
    if (total <= 0) return 100;
    if (total <= 100000) return done * 100 / total;
    return done / (total / 100);
}

bool TCompThreadSafety::Refill() {
    InputEnded = true;
    if (InLeft == 0) return false;
    ChunkSize = std::min(ChunkSize, InLeft);
    const auto n = static_cast<std::int32_t>(InStream->read(InBuffer.get(), static_cast<std::size_t>(ChunkSize)));
    InLeft -= n;
    if (n == 0) {
        if (InLeft > 0) InputShort = true;
        return false;
    }
    InPos = 0;
    InEnd = n;
    if (ProgressHandler) {
        InFetched += n;
        int percentage = ProgressPercentage(InFetched, InFetched + InLeft);
        ProgressHandler(percentage);
        // A cancel makes this refill look like the end of the input, although the
        // bytes just read stay in the buffer.
        if (percentage == -1) return false;
    }
    if (YieldProcessor) YieldProcessor();
    InputEnded = false;
    return true;
}

int TCompThreadSafety::FetchBytes(std::uint8_t* to, int count) {
    int done = 0;
    while (done < count) {
        if (InPos == InEnd && !Refill()) break;
        const int n = std::min(count - done, InEnd - InPos);
        const std::uint8_t* from = InBuffer.get() + InPos;
        std::uint32_t sum = 0;
        for (int i = 0; i < n; ++i) sum += from[i];
        InSum += sum;
        if (DescrambleInput) {
            for (int i = 0; i < n; ++i) to[done + i] = ScrambleByte(from[i]);
        } else {
            std::copy(from, from + n, to + done);
        }
        InPos += n;
        done += n;
    }
    return done;
}

void TCompThreadSafety::FlushFullBuffer() {
    if (YieldProcessor) YieldProcessor();
    OutStream->writeBuffer(OutBuffer.get(), kCodecBufferSize);
    OutPos = 0;
}

namespace {

using Codec = void (*)(TCompThreadSafety&, std::int32_t);

// The codec of each method number, by direction; coCustom has none here.
struct CodecEntry {
    Codec expand;
    Codec compress;
};

const CodecEntry kCodecs[] = {
    {[](TCompThreadSafety& s, std::int32_t) { CopyStored(s); },
     [](TCompThreadSafety& s, std::int32_t) { CopyStored(s); }},
    {[](TCompThreadSafety& s, std::int32_t) { ExpandRLE(s); },
     [](TCompThreadSafety& s, std::int32_t) { CompressRLE(s); }},
    {[](TCompThreadSafety& s, std::int32_t n) { ExpandLZH(s, n); },
     [](TCompThreadSafety& s, std::int32_t) { CompressLZH(s); }},
    {nullptr, nullptr},
    {[](TCompThreadSafety& s, std::int32_t n) { ExpandLH5(s, n); },
     [](TCompThreadSafety& s, std::int32_t) { CompressLH5(s); }},
};

// Releases the frame's buffers on every way out of RunCodec.
struct FrameBuffers {
    TCompThreadSafety& state;
    ~FrameBuffers() {
        state.InBuffer.reset();
        state.OutBuffer.reset();
        state.InStream = nullptr;
        state.OutStream = nullptr;
    }
};

}  // namespace

void CopyStored(TCompThreadSafety& state) {
    for (;;) {
        const std::uint8_t b = state.FetchByte();
        if (state.InputEnded) return;
        state.EmitByte(b);
    }
}

std::int32_t RunCodec(TCompThreadSafety& state, std::int32_t key, const TShowProgressEvent& onShowProgress,
                      Stream& Dest, Stream& Source, std::int32_t SourceSize, std::int32_t DestSize,
                      std::uint8_t Method, std::int32_t& Checksum, bool Expanding, bool Descramble) {
    state.InputShort = false;
    state.ProgressHandler = onShowProgress;
    if (state.ProgressHandler) {
        int percentage = 0;
        state.ProgressHandler(percentage);
        if (percentage == -1) return 0;
    }

    state.InStream = &Source;
    state.OutStream = &Dest;
    FrameBuffers buffers{state};
    state.InBuffer = std::make_unique_for_overwrite<std::uint8_t[]>(kCodecBufferSize);
    state.OutBuffer = std::make_unique_for_overwrite<std::uint8_t[]>(kCodecBufferSize);
    state.InPos = state.InEnd = 0;
    state.OutPos = 0;
    state.InputEnded = false;
    state.FirstByte = true;
    state.LastByte = 0;
    state.InRun = false;
    state.RunCount = 0;
    state.InLeft = std::max<std::int32_t>(SourceSize, 0);
    state.ChunkSize = kCodecBufferSize;
    state.InSum = state.OutSum = 0;
    state.InFetched = 0;
    state.OutLimit = Expanding ? 0x7FFFFFFF : SourceSize;
    state.ScrambleOutput = !Expanding && key != 0;
    state.DescrambleInput = Expanding && key != 0 && Descramble;
    const auto k = static_cast<std::uint32_t>(key);
    for (int i = 0; i < 4; ++i) state.KeyBytes[i] = static_cast<std::uint8_t>(k >> (8 * i));
    state.KeyIndex = 0;
    state.OutCount = 0;

    if (Method < std::size(kCodecs)) {
        const Codec codec = Expanding ? kCodecs[Method].expand : kCodecs[Method].compress;
        if (codec) codec(state, DestSize);
    }

    Checksum = static_cast<std::int32_t>(Expanding ? state.OutSum : state.InSum);
    if (state.OutPos > 0) Dest.writeBuffer(state.OutBuffer.get(), static_cast<std::size_t>(state.OutPos));
    state.OutPos = 0;
    if (state.ProgressHandler) {
        int percentage = 100;
        state.ProgressHandler(percentage);
    }
    return state.OutCount;
}

}  // namespace tavlin
