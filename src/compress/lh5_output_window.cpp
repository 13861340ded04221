// The decoder's output side: the window buffer and the bulk hand-over of decoded
// bytes to the codec frame.
#include "compress/lh5_output_window.h"

#include <algorithm>
#include <numeric>

namespace tavlin::lh5 {

void EmitBytes(TCompThreadSafety& frame, const std::uint8_t* bytes, std::size_t count) {
    if (frame.ScrambleOutput) {
        // Each byte takes the next key byte; keep the frame's own order.
        for (std::size_t i = 0; i < count; ++i) frame.EmitByte(bytes[i]);
        return;
    }
    while (count > 0) {
        if (frame.OutLimit <= 0) throw EUnableToCompress();
        if (frame.OutPos == kCodecBufferSize) frame.FlushFullBuffer();
        const auto room = static_cast<std::size_t>(kCodecBufferSize - frame.OutPos);
        const std::size_t n = std::min({count, room, static_cast<std::size_t>(frame.OutLimit)});
        std::memcpy(frame.OutBuffer.get() + frame.OutPos, bytes, n);
        frame.OutSum = std::accumulate(bytes, bytes + n, frame.OutSum);
        frame.OutPos += static_cast<int>(n);
        frame.OutCount += static_cast<std::int32_t>(n);
        frame.OutLimit -= static_cast<std::int32_t>(n);
        bytes += n;
        count -= n;
    }
}

LH5OutputWindow::LH5OutputWindow(TCompThreadSafety& frame)
    : frame_(frame), bytes_(std::make_unique_for_overwrite<std::uint8_t[]>(kHistory + kRun + kSlack)) {
    std::memset(bytes_.get(), kWindowFill, kHistory);
}

}  // namespace tavlin::lh5
