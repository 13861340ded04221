// The pixels of the model's pictures, read from their files on the machine and
// decoded by the platform's picture decoder; each file is decoded once.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "paint/paint_context.h"
#include "platform/file_system.h"

namespace tavlin {

class FilePictureSource : public PictureSource {
public:
    FilePictureSource(FileSystem& files, const PictureDecoder& decoder) : files_(files), decoder_(decoder) {}

    // The decoded file (a GIF for an animated picture, else a bitmap); nullptr when
    // it cannot be read or decoded.
    const DecodedPicture* Find(const TPicture& picture) override;

private:
    FileSystem& files_;
    const PictureDecoder& decoder_;
    std::map<std::string, std::unique_ptr<DecodedPicture>> decoded_;
};

}  // namespace tavlin
