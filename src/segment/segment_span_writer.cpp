// Cutting the stream into segment files.
#include "segment/segment_span_writer.h"

#include <algorithm>

#include "segment/segment_errors.h"
#include "segment/segment_format.h"

namespace tavlin {

SegmentSpanWriter::SegmentSpanWriter(FileSystem& files, std::string folder, std::string baseName,
                                     std::uint32_t segmentSize)
    : files_(files), folder_(std::move(folder)), baseName_(std::move(baseName)), segmentSize_(segmentSize) {
    if (segmentSize_ <= kSegmentIDHeaderSize) {
        throw ESegError("Segment size " + std::to_string(segmentSize_) + " leaves no room after the segment header");
    }
    if (!folder_.empty() && folder_.back() == '\\') folder_.pop_back();
}

void SegmentSpanWriter::StartSegment() {
    file_.reset();
    if (paths_.size() >= kLargestSegmentNumber) {
        throw ESegError("A segment set holds at most " + std::to_string(kLargestSegmentNumber) + " segments");
    }
    const auto number = static_cast<std::uint16_t>(paths_.size() + 1);
    const std::string path = folder_ + "\\" + SegmentFileName(baseName_, "", number);
    file_ = files_.create(path);
    paths_.push_back(path);
    TSegmentIDHeader header;
    header.SegNumber = number;
    const auto bytes = EncodeSegmentIDHeader(header);
    file_->writeBuffer(bytes.data(), bytes.size());
    room_ = segmentSize_ - kSegmentIDHeaderSize;
}

void SegmentSpanWriter::Write(const void* data, std::size_t count) {
    const auto* in = static_cast<const std::uint8_t*>(data);
    while (count > 0) {
        if (!file_ || room_ == 0) StartSegment();
        const auto block = static_cast<std::size_t>(std::min<std::uint64_t>(count, room_));
        file_->writeBuffer(in, block);
        in += block;
        count -= block;
        room_ -= block;
    }
}

std::vector<std::string> SegmentSpanWriter::Finish() {
    file_.reset();
    return paths_;
}

void SegmentSpanWriter::Discard() {
    file_.reset();
    for (const auto& path : paths_) files_.deleteFile(path);
    paths_.clear();
}

}  // namespace tavlin
