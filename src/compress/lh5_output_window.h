// The LH5 decoder's window: the last 8192 output bytes kept in one straight run
// of memory so that a match is a plain copy, with the bytes decoded since the last
// hand-over still waiting to go to the frame's output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "compress/codec_frame.h"
#include "compress/lh5_format.h"

namespace tavlin::lh5 {

// Emits count bytes exactly as count EmitByte calls would: the same OutLimit
// failure point, the same flushes, scrambling, checksum and count.
void EmitBytes(TCompThreadSafety& frame, const std::uint8_t* bytes, std::size_t count);

class LH5OutputWindow {
public:
    // Room for decoded bytes between two slides; a slide keeps the last 8192.
    static constexpr int kHistory = kWindowSize;
    static constexpr int kRun = 32768;
    // A match may start just before the slide point and copies in 8-byte steps.
    static constexpr int kSlack = kMaxMatch + 8;

    explicit LH5OutputWindow(TCompThreadSafety& frame);

    // Hands the bytes decoded since the last call to the frame.
    void EmitPending() {
        EmitBytes(frame_, bytes_.get() + emitFrom_, static_cast<std::size_t>(pos_ - emitFrom_));
        emitFrom_ = pos_;
    }

    // The write position; the caller keeps it in a local while it decodes and
    // stores it back before anything else looks at the window.
    std::uint8_t* Data() { return bytes_.get(); }
    int Position() const { return pos_; }
    void SetPosition(int pos) { pos_ = pos; }
    static constexpr int SlidePoint() { return kHistory + kRun; }

    // Emits what is pending and moves the last 8192 bytes to the front.
    void Slide() {
        EmitPending();
        std::memmove(bytes_.get(), bytes_.get() + pos_ - kHistory, kHistory);
        pos_ = emitFrom_ = kHistory;
    }

private:
    TCompThreadSafety& frame_;
    std::unique_ptr<std::uint8_t[]> bytes_;
    int pos_ = kHistory;
    int emitFrom_ = kHistory;
};

// Copies a match of length bytes from distance bytes back to dst. Overlapping
// copies repeat the last distance bytes, as a byte-by-byte copy would. May write
// up to 7 bytes past dst + length.
inline void CopyMatch(std::uint8_t* dst, int distance, int length) {
    const std::uint8_t* src = dst - distance;
    if (distance >= 8) {
        // Each 8-byte step reads only bytes that are already in place.
        for (int i = 0; i < length; i += 8) std::memcpy(dst + i, src + i, 8);
    } else if (distance == 1) {
        std::memset(dst, *src, static_cast<std::size_t>(length));
    } else {
        for (int i = 0; i < length; ++i) dst[i] = src[i];
    }
}

}  // namespace tavlin::lh5
