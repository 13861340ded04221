// The play of animated pictures: an image that plays starts at its picture's first
// frame and shows each frame for that frame's delay, then the next, round and
// round. Times are milliseconds of any clock that goes forward.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "controls/picture_controls.h"
#include "platform/pictures.h"

namespace tavlin {

class PicturePlayer {
public:
    // How long a frame stays whose delay is zero (a picture made to show at the
    // viewer's pace); it keeps a picture that says nothing from spinning.
    static constexpr int kUnsetDelayMs = 100;

    // Brings the image to the time now. It plays while it is told to animate, is
    // on screen and its picture has more than one frame; when it starts, its first
    // frame shows from now on. True when it shows another frame than before.
    bool Update(const TImage& image, const DecodedPicture* picture, std::int64_t now);
    // The frame of its picture that the image shows: 0 unless it plays.
    std::size_t FrameOf(const TImage& image) const;
    // When the next frame of any playing image is due; nothing when none plays.
    std::optional<std::int64_t> NextChange() const;
    // The image goes away.
    void Forget(const TImage& image) { plays_.erase(&image); }

private:
    struct Play {
        std::vector<int> delays;
        std::size_t frame = 0;
        std::int64_t shownAt = 0;  // when the present frame came on screen
        std::int64_t Due() const { return shownAt + delays[frame]; }
    };
    std::map<const TImage*, Play> plays_;
};

}  // namespace tavlin
