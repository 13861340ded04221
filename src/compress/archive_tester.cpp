// TestArchive: decodes every member the expansion would write and tests its
// checksum, discarding the data.
#include "compress/zivi_archive.h"

namespace tavlin {

namespace {

// A destination that takes every byte and keeps none.
class DiscardStream : public Stream {
public:
    std::size_t read(void*, std::size_t) override { return 0; }
    void writeBuffer(const void*, std::size_t count) override { position_ += static_cast<std::int64_t>(count); }
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override {
        if (origin == SeekOrigin::Begin) position_ = offset;
        if (origin == SeekOrigin::Current) position_ += offset;
        return position_;
    }

private:
    std::int64_t position_ = 0;
};

}  // namespace

void TZiviArchive::TestArchive(const std::string& FileName, const std::function<void(const std::string&)>& onMember) {
    const auto file = files_.openRead(FileName);
    TestArchiveStream(*file, onMember);
}

void TZiviArchive::TestArchiveStream(Stream& stream, const std::function<void(const std::string&)>& onMember) {
    const TArchiveHeader header = ReadArchiveHeader(stream);
    const std::string methodID = header.MethodIDText();
    std::int64_t total = 0;
    while (const auto record = ReadMemberHeader(stream)) {
        const TMemberHeader& h = record->Header;
        const bool emptyMember = h.ExpandedSize == 0 && h.CompressedSize == 0;
        if (total >= header.TotalSize && !emptyMember) break;
        if (onMember) onMember(record->Name);
        DiscardStream sink;
        DecodeMember(sink, stream, h, methodID);
        total += h.ExpandedSize;
        stream.seek(record->DataOffset + h.CompressedSize, SeekOrigin::Begin);
    }
}

}  // namespace tavlin
