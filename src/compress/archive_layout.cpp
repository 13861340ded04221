// The strict layout walk; see archive_layout.h.
#include "compress/archive_layout.h"

#include "compress/archive_headers.h"
#include "compress/compress_errors.h"
#include "compress/compression_method.h"

namespace tavlin {

EDamagedArchive::EDamagedArchive(std::int64_t offset, const std::string& what)
    : Exception("damaged at offset " + std::to_string(offset) + ": " + what), Offset(offset) {}

void CheckArchiveLayout(Stream& stream) {
    stream.seek(0, SeekOrigin::Begin);
    const std::int64_t size = stream.size();
    TArchiveHeaderBytes headerBytes;
    if (stream.readUpTo(headerBytes.data(), headerBytes.size()) < headerBytes.size()) throw EInvalidHeader();
    const TArchiveHeader header = DecodeArchiveHeader(headerBytes);
    if (header.Magic != kArchiveMagic) throw EInvalidHeader();
    if (header.ArchiveType != caMulti) throw EInvalidHeaderArchiveType();
    if (header.TotalSize < 0) throw EDamagedArchive(5 + 3, "negative total size");

    std::int64_t at = static_cast<std::int64_t>(kArchiveHeaderSize);
    std::int64_t total = 0;
    while (at < size) {
        if (size - at < static_cast<std::int64_t>(kMemberHeaderSize)) {
            throw EDamagedArchive(at, "member header cut short (" + std::to_string(size - at) + " of " +
                                          std::to_string(kMemberHeaderSize) + " bytes)");
        }
        TMemberHeaderBytes bytes;
        stream.seek(at, SeekOrigin::Begin);
        stream.readUpTo(bytes.data(), bytes.size());
        const TMemberHeader h = DecodeMemberHeader(bytes);
        if (h.NameLength < 0) throw EDamagedArchive(at, "negative name length");
        if (h.ExpandedSize < 0) throw EDamagedArchive(at, "negative expanded size");
        if (h.CompressedSize < 0) throw EDamagedArchive(at, "negative compressed size");
        if (h.Method >= kMethodIDs.size()) throw EDamagedArchive(at, "unknown method " + std::to_string(h.Method));
        const std::int64_t nameAt = at + static_cast<std::int64_t>(kMemberHeaderSize);
        if (nameAt + h.NameLength > size) throw EDamagedArchive(at, "member name runs past the end of the file");
        const std::int64_t dataAt = nameAt + h.NameLength;
        if (dataAt + h.CompressedSize > size) throw EDamagedArchive(at, "member data runs past the end of the file");
        total += h.ExpandedSize;
        at = dataAt + h.CompressedSize;
    }
    if (total != header.TotalSize) {
        throw EDamagedArchive(5 + 3, "total size " + std::to_string(header.TotalSize) + " is not the members' " +
                                         std::to_string(total));
    }
}

}  // namespace tavlin
