#include "paint/picture_player.h"

#include <numeric>

namespace tavlin {

bool PicturePlayer::Update(const TImage& image, const DecodedPicture* picture, std::int64_t now) {
    const bool plays = image.Animate && image.Picture.Animated && image.Showing() && picture &&
                       picture->Frames.size() > 1;
    auto found = plays_.find(&image);
    if (!plays) {
        if (found == plays_.end()) return false;
        const bool changed = found->second.frame != 0;
        plays_.erase(found);
        return changed;
    }
    if (found == plays_.end()) {
        Play play;
        for (const PictureFrame& frame : picture->Frames) {
            play.delays.push_back(frame.DelayMs > 0 ? frame.DelayMs : kUnsetDelayMs);
        }
        play.shownAt = now;
        plays_.emplace(&image, std::move(play));
        return false;
    }
    Play& play = found->second;
    if (now < play.Due()) return false;
    // After a long wait (a run that let no messages run) the play goes on where
    // the time has taken it, without showing every frame it missed.
    const std::int64_t round = std::accumulate(play.delays.begin(), play.delays.end(), std::int64_t{0});
    if (now - play.shownAt >= 2 * round) play.shownAt += (now - play.shownAt) / round * round - round;
    const std::size_t before = play.frame;
    while (now >= play.Due()) {
        play.shownAt = play.Due();
        play.frame = (play.frame + 1) % play.delays.size();
    }
    return play.frame != before;
}

std::size_t PicturePlayer::FrameOf(const TImage& image) const {
    const auto found = plays_.find(&image);
    return found == plays_.end() ? 0 : found->second.frame;
}

std::optional<std::int64_t> PicturePlayer::NextChange() const {
    std::optional<std::int64_t> next;
    for (const auto& [image, play] : plays_) {
        if (!next || play.Due() < *next) next = play.Due();
    }
    return next;
}

}  // namespace tavlin
