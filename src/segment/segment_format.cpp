// Byte layouts of the segment records.
#include "segment/segment_format.h"

#include <cstdio>

namespace tavlin {

namespace {

// Writes and reads little-endian fields at fixed offsets of a record.
template <std::size_t N>
class RecordBytes {
public:
    RecordBytes() = default;
    explicit RecordBytes(const std::array<std::uint8_t, N>& bytes) : bytes_(bytes) {}

    void PutID(const TRecordID& id) {
        for (std::size_t i = 0; i < id.size(); ++i) bytes_[i] = static_cast<std::uint8_t>(id[i]);
    }
    TRecordID ID() const {
        TRecordID id;
        for (std::size_t i = 0; i < id.size(); ++i) id[i] = static_cast<char>(bytes_[i]);
        return id;
    }
    void Put(std::size_t at, std::uint32_t value, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) bytes_[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    std::uint32_t Get(std::size_t at, std::size_t size) const {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) value |= static_cast<std::uint32_t>(bytes_[at + i]) << (8 * i);
        return value;
    }
    std::uint16_t Get16(std::size_t at) const { return static_cast<std::uint16_t>(Get(at, 2)); }
    const std::array<std::uint8_t, N>& Bytes() const { return bytes_; }
    std::array<std::uint8_t, N>& Bytes() { return bytes_; }

private:
    std::array<std::uint8_t, N> bytes_ = {};
};

}  // namespace

std::array<std::uint8_t, kSegmentIDHeaderSize> EncodeSegmentIDHeader(const TSegmentIDHeader& header) {
    RecordBytes<kSegmentIDHeaderSize> record;
    record.PutID(header.ID);
    record.Put(4, header.Reserved, 2);
    record.Put(6, header.SegNumber, 2);
    return record.Bytes();
}

TSegmentIDHeader DecodeSegmentIDHeader(const std::array<std::uint8_t, kSegmentIDHeaderSize>& bytes) {
    const RecordBytes<kSegmentIDHeaderSize> record(bytes);
    return {record.ID(), record.Get16(4), record.Get16(6)};
}

std::array<std::uint8_t, kSegmentHeaderSize> EncodeSegmentHeader(const TSegmentHeader& header) {
    RecordBytes<kSegmentHeaderSize> record;
    record.PutID(header.ID);
    record.Put(4, header.Reserved, 2);
    record.Put(6, header.ArcCount, 2);
    record.Put(8, header.Reserved2, 1);
    for (std::size_t i = 0; i < header.Reserved3.size(); ++i) record.Bytes()[9 + i] = header.Reserved3[i];
    return record.Bytes();
}

TSegmentHeader DecodeSegmentHeader(const std::array<std::uint8_t, kSegmentHeaderSize>& bytes) {
    const RecordBytes<kSegmentHeaderSize> record(bytes);
    TSegmentHeader header;
    header.ID = record.ID();
    header.Reserved = record.Get16(4);
    header.ArcCount = record.Get16(6);
    header.Reserved2 = static_cast<std::uint8_t>(record.Get(8, 1));
    for (std::size_t i = 0; i < header.Reserved3.size(); ++i) header.Reserved3[i] = bytes[9 + i];
    return header;
}

std::array<std::uint8_t, kScanHeaderSize> EncodeScanHeader(const TScanHeader& header) {
    RecordBytes<kScanHeaderSize> record;
    record.PutID(header.ID);
    record.Put(4, header.Reserved, 2);
    record.Put(6, header.TemplateLength, 2);
    record.Put(8, header.ScanByte, 1);
    record.Put(9, header.RecordWidth, 4);
    record.Put(13, header.ListSize, 4);
    return record.Bytes();
}

TScanHeader DecodeScanHeader(const std::array<std::uint8_t, kScanHeaderSize>& bytes) {
    const RecordBytes<kScanHeaderSize> record(bytes);
    TScanHeader header;
    header.ID = record.ID();
    header.Reserved = record.Get16(4);
    header.TemplateLength = record.Get16(6);
    header.ScanByte = static_cast<std::uint8_t>(record.Get(8, 1));
    header.RecordWidth = record.Get(9, 4);
    header.ListSize = record.Get(13, 4);
    return header;
}

std::array<std::uint8_t, kSegArcHeaderSize> EncodeSegArcHeader(const TSegArcHeader& header) {
    RecordBytes<kSegArcHeaderSize> record;
    record.PutID(header.ID);
    record.Put(4, header.Reserved, 2);
    record.Put(6, header.SeqNumber, 2);
    record.Put(8, header.Reserved2, 4);
    record.Put(12, header.ArcSize, 4);
    return record.Bytes();
}

TSegArcHeader DecodeSegArcHeader(const std::array<std::uint8_t, kSegArcHeaderSize>& bytes) {
    const RecordBytes<kSegArcHeaderSize> record(bytes);
    TSegArcHeader header;
    header.ID = record.ID();
    header.Reserved = record.Get16(4);
    header.SeqNumber = record.Get16(6);
    header.Reserved2 = record.Get(8, 4);
    header.ArcSize = record.Get(12, 4);
    return header;
}

std::string SegmentFileName(const std::string& baseName, const std::string& extension, std::uint32_t number) {
    if (!extension.empty()) return baseName + "." + extension;
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03u", static_cast<unsigned>(number));
    return baseName + "." + digits;
}

}  // namespace tavlin
