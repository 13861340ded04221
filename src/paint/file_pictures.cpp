#include "paint/file_pictures.h"

#include <vector>

#include "platform/errors.h"

namespace tavlin {

const DecodedPicture* FilePictureSource::Find(const TPicture& picture) {
    const std::string key = (picture.Animated ? "gif:" : "bmp:") + picture.FileName;
    if (auto found = decoded_.find(key); found != decoded_.end()) return found->second.get();
    std::unique_ptr<DecodedPicture> result;
    try {
        auto stream = files_.openRead(picture.FileName);
        std::vector<std::uint8_t> bytes;
        std::uint8_t buffer[65536];
        while (const std::size_t n = stream->read(buffer, sizeof buffer)) bytes.insert(bytes.end(), buffer, buffer + n);
        result = std::make_unique<DecodedPicture>(
            decoder_.Decode(picture.Animated ? PictureFileKind::Gif : PictureFileKind::Bmp, bytes));
    } catch (const Exception&) {
        // A picture that cannot be read or decoded shows nothing, as an empty one.
    }
    return decoded_.emplace(key, std::move(result)).first->second.get();
}

}  // namespace tavlin
