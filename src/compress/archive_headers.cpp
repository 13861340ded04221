// Byte layout of the archive and member headers.
#include "compress/archive_headers.h"

#include <algorithm>

namespace tavlin {

namespace {

template <class T>
void Put(std::uint8_t* at, T value) {
    auto v = static_cast<std::make_unsigned_t<T>>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

template <class T>
T Get(const std::uint8_t* at) {
    std::make_unsigned_t<T> v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) v = static_cast<decltype(v)>(v | (static_cast<decltype(v)>(at[i]) << (8 * i)));
    return static_cast<T>(v);
}

}  // namespace

TArchiveHeaderBytes EncodeArchiveHeader(const TArchiveHeader& header) {
    TArchiveHeaderBytes bytes{};
    std::copy(header.Magic.begin(), header.Magic.end(), bytes.begin());
    std::copy(header.MethodID.begin(), header.MethodID.end(), bytes.begin() + 5);
    Put(&bytes[8], header.TotalSize);
    bytes[12] = header.ArchiveType;
    Put(&bytes[13], header.Reserved);
    Put(&bytes[17], header.KeyMode);
    return bytes;
}

TArchiveHeader DecodeArchiveHeader(const TArchiveHeaderBytes& bytes) {
    TArchiveHeader header;
    std::copy(bytes.begin(), bytes.begin() + 5, header.Magic.begin());
    std::copy(bytes.begin() + 5, bytes.begin() + 8, header.MethodID.begin());
    header.TotalSize = Get<std::int32_t>(&bytes[8]);
    header.ArchiveType = bytes[12];
    header.Reserved = Get<std::int32_t>(&bytes[13]);
    header.KeyMode = Get<std::int32_t>(&bytes[17]);
    return header;
}

TMemberHeaderBytes EncodeMemberHeader(const TMemberHeader& header) {
    TMemberHeaderBytes bytes{};
    Put(&bytes[0], header.NameLength);
    Put(&bytes[2], header.DosDateTime);
    Put(&bytes[6], header.Attributes);
    Put(&bytes[8], header.ExpandedSize);
    Put(&bytes[12], header.CompressedSize);
    bytes[16] = header.Method;
    Put(&bytes[17], header.StoredChecksum);
    Put(&bytes[21], header.Lock);
    return bytes;
}

TMemberHeader DecodeMemberHeader(const TMemberHeaderBytes& bytes) {
    TMemberHeader header;
    header.NameLength = Get<std::int16_t>(&bytes[0]);
    header.DosDateTime = Get<std::uint32_t>(&bytes[2]);
    header.Attributes = Get<std::int16_t>(&bytes[6]);
    header.ExpandedSize = Get<std::int32_t>(&bytes[8]);
    header.CompressedSize = Get<std::int32_t>(&bytes[12]);
    header.Method = bytes[16];
    header.StoredChecksum = Get<std::int32_t>(&bytes[17]);
    header.Lock = Get<std::int32_t>(&bytes[21]);
    return header;
}

}  // namespace tavlin
