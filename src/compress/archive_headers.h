// The two fixed-size records of an archive: the 21-byte archive header and the
// 25-byte member header that precedes each member's name and stored data. All
// integers are little-endian.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavlin {

inline constexpr std::size_t kArchiveHeaderSize = 21;
inline constexpr std::size_t kMemberHeaderSize = 25;
// "ZIVI" and the byte 0x1A.
inline constexpr std::array<std::uint8_t, 5> kArchiveMagic = {'Z', 'I', 'V', 'I', 0x1A};
// ArchiveType: the only kind there is.
inline constexpr std::uint8_t caMulti = 1;

struct TArchiveHeader {
    std::array<std::uint8_t, 5> Magic = kArchiveMagic;
    std::array<char, 3> MethodID = {' ', ' ', ' '};
    std::int32_t TotalSize = 0;  // sum of the members' ExpandedSize
    std::uint8_t ArchiveType = caMulti;
    std::int32_t Reserved = 0;
    std::int32_t KeyMode = 0;  // 2 when the archive was made with a positive key

    std::string MethodIDText() const { return std::string(MethodID.begin(), MethodID.end()); }
};

struct TMemberHeader {
    std::int16_t NameLength = 0;
    std::uint32_t DosDateTime = 0;  // high 16 bits date, low 16 bits time, local time
    std::int16_t Attributes = 0;
    std::int32_t ExpandedSize = 0;
    std::int32_t CompressedSize = 0;
    std::uint8_t Method = 0;
    std::int32_t StoredChecksum = 0;  // plus Key when locked
    std::int32_t Lock = 0;            // > 0 locked; 2 also scrambled with the key
};

using TArchiveHeaderBytes = std::array<std::uint8_t, kArchiveHeaderSize>;
using TMemberHeaderBytes = std::array<std::uint8_t, kMemberHeaderSize>;

TArchiveHeaderBytes EncodeArchiveHeader(const TArchiveHeader& header);
TArchiveHeader DecodeArchiveHeader(const TArchiveHeaderBytes& bytes);
TMemberHeaderBytes EncodeMemberHeader(const TMemberHeader& header);
TMemberHeader DecodeMemberHeader(const TMemberHeaderBytes& bytes);

}  // namespace tavlin
