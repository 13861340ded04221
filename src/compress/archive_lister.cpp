// ListArchive: the members of an archive with their header fields, without
// reading their stored data.
#include "compress/zivi_archive.h"

namespace tavlin {

void TZiviArchive::ListArchive(const std::string& FileName, TArchiveList& List) {
    const auto file = files_.openRead(FileName);
    ListArchiveStream(*file, List);
}

void TZiviArchive::ListArchiveStream(Stream& stream, TArchiveList& List) {
    if (stream.size() - stream.position() < static_cast<std::int64_t>(kArchiveHeaderSize + kMemberHeaderSize)) return;
    ReadArchiveHeader(stream);
    while (const auto record = ReadMemberHeader(stream)) {
        const TMemberHeader& h = record->Header;
        TCompressedFileInfo info;
        info.DosDateTime = h.DosDateTime;
        info.Attributes = h.Attributes;
        info.ExpandedSize = h.ExpandedSize;
        info.CompressedSize = h.CompressedSize;
        info.Method = h.Method;
        info.StoredChecksum = h.StoredChecksum;
        info.HeaderOffset = static_cast<std::int32_t>(record->HeaderOffset);
        info.Locked = h.Lock > 0;
        List.push_back({record->Name, info});
        stream.seek(record->DataOffset + h.CompressedSize, SeekOrigin::Begin);
    }
}

}  // namespace tavlin
