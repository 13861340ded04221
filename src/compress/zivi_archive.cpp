// The archive component's own state and the reading of archive and member
// headers that all its operations share.
#include "compress/zivi_archive.h"

#include <algorithm>

namespace tavlin {

TZiviArchive::TZiviArchive(FileSystem& files) : files_(files), codecState_(std::make_unique<TCompThreadSafety>()) {}

TZiviArchive::~TZiviArchive() = default;

void TZiviArchive::SetTargetPath(const std::string& value) {
    targetPath_ = value;
    if (!targetPath_.empty() && targetPath_.back() != '\\') targetPath_ += '\\';
}

TCompThreadSafety& TZiviArchive::CodecState() {
    codecState_->YieldProcessor = YieldBetweenBuffers ? std::function<void()>(YieldTimeSlice) : nullptr;
    return *codecState_;
}

std::int32_t TZiviArchive::RunCodec(Stream& Dest, Stream& Source, std::int32_t SourceSize, std::int32_t DestSize,
                                    std::uint8_t Method, std::int32_t& Checksum, bool Expanding, bool Descramble) {
    return tavlin::RunCodec(CodecState(), Key, OnShowProgress, Dest, Source, SourceSize, DestSize, Method, Checksum,
                            Expanding, Descramble);
}

TArchiveHeader TZiviArchive::ReadArchiveHeader(Stream& stream) {
    if (stream.size() - stream.position() < static_cast<std::int64_t>(kArchiveHeaderSize)) {
        // Too short to hold a header: an empty archive, so nothing is expanded.
        TArchiveHeader empty;
        empty.KeyMode = Key > 0 ? 2 : 0;
        return empty;
    }
    TArchiveHeaderBytes bytes;
    stream.readBuffer(bytes.data(), bytes.size());
    const TArchiveHeader header = DecodeArchiveHeader(bytes);
    if (header.Magic != kArchiveMagic) throw EInvalidHeader();
    if (header.ArchiveType != caMulti) throw EInvalidHeaderArchiveType();
    CheckMethodID(header.MethodIDText());
    return header;
}

TCompressionMethod TZiviArchive::CheckMethodID(const std::string& ID) {
    for (std::size_t i = 0; i < kMethodIDs.size(); ++i) {
        if (ID == kMethodIDs[i]) return static_cast<TCompressionMethod>(i);
    }
    if (OnRecognize) {
        bool recognized = false;
        OnRecognize(ID, recognized);
        if (recognized) return coCustom;
    }
    throw EUnrecognizedCompressionMethod(ID);
}

std::optional<TZiviArchive::TMemberRecord> TZiviArchive::ReadMemberHeader(Stream& stream) {
    TMemberRecord record;
    record.HeaderOffset = stream.position();
    TMemberHeaderBytes bytes;
    if (stream.readUpTo(bytes.data(), bytes.size()) < bytes.size()) return std::nullopt;
    record.Header = DecodeMemberHeader(bytes);
    // Negative lengths cannot be real; taking them as the end keeps the reader
    // from stepping backwards through the stream for ever.
    if (record.Header.NameLength < 0 || record.Header.CompressedSize < 0) return std::nullopt;
    record.Name.resize(static_cast<std::size_t>(record.Header.NameLength));
    if (stream.readUpTo(record.Name.data(), record.Name.size()) < record.Name.size()) return std::nullopt;
    record.DataOffset = stream.position();
    return record;
}

}  // namespace tavlin
