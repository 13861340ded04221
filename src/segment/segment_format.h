// The records of a segment set and the names of its files. A set is one logical
// stream cut into numbered files; each file starts with its own ID header, and
// every other record may run across a file boundary. Integers are little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavlin {

inline constexpr std::size_t kSegmentIDHeaderSize = 8;
inline constexpr std::size_t kSegmentHeaderSize = 21;
inline constexpr std::size_t kScanHeaderSize = 17;
inline constexpr std::size_t kSegArcHeaderSize = 16;
// The one transfer buffer of the reader; a template or a list record must fit it.
inline constexpr std::size_t kSegBufferSize = 8192;
inline constexpr std::uint32_t kLargestTextLength = 8191;
// Segment numbers are 16-bit and start at 1.
inline constexpr std::uint32_t kLargestSegmentNumber = 65535;
inline constexpr std::uint32_t kLargestArchiveCount = 65535;

using TRecordID = std::array<char, 4>;

// At offset 0 of every segment file, read from the file itself.
struct TSegmentIDHeader {
    TRecordID ID = {'S', 'S', 'e', 'g'};
    std::uint16_t Reserved = 0;
    std::uint16_t SegNumber = 0;
};

// The first record of the logical stream.
struct TSegmentHeader {
    TRecordID ID = {'S', 'H', 'd', 'r'};
    std::uint16_t Reserved = 0;
    std::uint16_t ArcCount = 0;
    std::uint8_t Reserved2 = 0;
    std::array<std::uint8_t, 12> Reserved3 = {};
};

// Opens one archive's scan section; the template text and the list archive follow.
struct TScanHeader {
    TRecordID ID = {'S', 'c', 'a', 'n'};
    std::uint16_t Reserved = 0;
    std::uint16_t TemplateLength = 0;
    std::uint8_t ScanByte = 0;
    std::uint32_t RecordWidth = 0;
    std::uint32_t ListSize = 0;
};

// Opens one archive section; ArcSize bytes of archive follow.
struct TSegArcHeader {
    TRecordID ID = {'S', 'A', 'r', 'c'};
    std::uint16_t Reserved = 0;
    std::uint16_t SeqNumber = 0;
    std::uint32_t Reserved2 = 0;
    std::uint32_t ArcSize = 0;
};

inline constexpr TRecordID kSegmentIDHeaderID = {'S', 'S', 'e', 'g'};
inline constexpr TRecordID kSegmentHeaderID = {'S', 'H', 'd', 'r'};
inline constexpr TRecordID kScanHeaderID = {'S', 'c', 'a', 'n'};
inline constexpr TRecordID kSegArcHeaderID = {'S', 'A', 'r', 'c'};

std::array<std::uint8_t, kSegmentIDHeaderSize> EncodeSegmentIDHeader(const TSegmentIDHeader& header);
TSegmentIDHeader DecodeSegmentIDHeader(const std::array<std::uint8_t, kSegmentIDHeaderSize>& bytes);
std::array<std::uint8_t, kSegmentHeaderSize> EncodeSegmentHeader(const TSegmentHeader& header);
TSegmentHeader DecodeSegmentHeader(const std::array<std::uint8_t, kSegmentHeaderSize>& bytes);
std::array<std::uint8_t, kScanHeaderSize> EncodeScanHeader(const TScanHeader& header);
TScanHeader DecodeScanHeader(const std::array<std::uint8_t, kScanHeaderSize>& bytes);
std::array<std::uint8_t, kSegArcHeaderSize> EncodeSegArcHeader(const TSegArcHeader& header);
TSegArcHeader DecodeSegArcHeader(const std::array<std::uint8_t, kSegArcHeaderSize>& bytes);

// The file name of a segment: base, ".", then the fixed extension when there is
// one, else the number with leading zeros to three digits (four and more digits
// from 1000 on).
std::string SegmentFileName(const std::string& baseName, const std::string& extension, std::uint32_t number);

}  // namespace tavlin
