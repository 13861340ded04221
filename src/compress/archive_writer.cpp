// The archive writer: compresses files or streams into an archive. Each member
// is compressed straight into the destination; one that does not shrink is
// written again over the same place as stored data, which is never longer, and
// its header is filled in once its sizes are known.
#include <limits>

#include "compress/member_names.h"
#include "compress/zivi_archive.h"

namespace tavlin {

namespace {

constexpr std::int64_t kLargestSize = std::numeric_limits<std::int32_t>::max();

// The attribute bits a member keeps: read-only, hidden, system, archive.
constexpr std::uint32_t kKeptAttributes = faReadOnly | faHidden | faSysFile | faArchive;

std::array<char, 3> MethodIDField(const std::string& id) {
    std::array<char, 3> field = {' ', ' ', ' '};
    for (std::size_t i = 0; i < field.size() && i < id.size(); ++i) field[i] = id[i];
    return field;
}

}  // namespace

TZiviArchive::TArchiveWriting TZiviArchive::BeginArchive(Stream& dest, const TArchiveWriteOptions& options) {
    if (options.Method > coLZH5) throw EUnrecognizedCompressionMethod(std::to_string(options.Method));
    if (options.Method == coCustom && !OnCompress) throw ENoCompressor(kMethodIDs[coCustom]);
    TArchiveWriting writing;
    writing.HeaderOffset = dest.position();
    writing.MethodID = kMethodIDs[options.Method];
    writing.Header.MethodID = MethodIDField(writing.MethodID);
    writing.Header.KeyMode = Key > 0 ? 2 : 0;
    const auto bytes = EncodeArchiveHeader(writing.Header);
    dest.writeBuffer(bytes.data(), bytes.size());
    return writing;
}

void TZiviArchive::FinishArchive(Stream& dest, TArchiveWriting& writing) {
    const std::int64_t end = dest.position();
    writing.Header.TotalSize = static_cast<std::int32_t>(writing.TotalSize);
    writing.Header.MethodID = MethodIDField(writing.MethodID);
    const auto bytes = EncodeArchiveHeader(writing.Header);
    dest.seek(writing.HeaderOffset, SeekOrigin::Begin);
    dest.writeBuffer(bytes.data(), bytes.size());
    dest.seek(end, SeekOrigin::Begin);
}

std::int32_t TZiviArchive::CompressMemberData(Stream& dest, Stream& source, std::int32_t size, std::uint8_t method,
                                              std::int32_t key, std::int32_t& checksum) {
    bool cancelled = false;
    TShowProgressEvent progress;
    if (OnShowProgress) {
        progress = [&](int& percentage) {
            OnShowProgress(percentage);
            if (percentage == -1) cancelled = true;
        };
    }
    const std::int32_t written =
        tavlin::RunCodec(*codecState_, key, progress, dest, source, size, 0, method, checksum, false, false);
    if (cancelled) throw EArchiveCancelled();
    return written;
}

void TZiviArchive::WriteMember(Stream& dest, TArchiveWriting& writing, const TMemberSource& member,
                               const TArchiveWriteOptions& options) {
    CheckMemberName(member.StoredName);
    if (member.Data == nullptr) throw Exception("No data given for the member " + member.StoredName);
    if (member.StoredName.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
        throw EArchiveTooLarge("the name " + member.StoredName);
    }
    Stream& source = *member.Data;
    const std::int64_t sourceStart = source.position();
    const std::int64_t size = source.size() - sourceStart;
    if (size > kLargestSize) throw EArchiveTooLarge(member.StoredName);
    if (writing.TotalSize + size > kLargestSize) throw EArchiveTooLarge("the total size at " + member.StoredName);

    TMemberHeader header;
    header.NameLength = static_cast<std::int16_t>(member.StoredName.size());
    header.DosDateTime = member.DosDateTime;
    header.Attributes = static_cast<std::int16_t>(member.Attributes);
    header.ExpandedSize = static_cast<std::int32_t>(size);
    header.Lock = Key != 0 ? options.Lock : 0;
    header.Method = options.Method;

    const std::int64_t headerOffset = dest.position();
    auto bytes = EncodeMemberHeader(header);
    dest.writeBuffer(bytes.data(), bytes.size());
    dest.writeBuffer(member.StoredName.data(), member.StoredName.size());
    const std::int64_t dataOffset = dest.position();

    std::int32_t checksum = 0;
    std::int32_t written = 0;
    if (options.Method == coCustom) {
        std::string id = writing.MethodID;
        std::int32_t outputSize = 0;
        OnCompress(dest, source, id, outputSize, checksum);
        writing.MethodID = id;
        // The size is what reached the archive, whatever the handler reports;
        // its data is its own, so it is locked at most, never scrambled.
        written = static_cast<std::int32_t>(dest.position() - dataOffset);
        if (header.Lock > 1) header.Lock = 1;
    } else {
        // Only Lock 2 scrambles; Lock 1 locks the member through its checksum alone.
        const std::int32_t scrambleKey = header.Lock == 2 ? Key : 0;
        try {
            written = CompressMemberData(dest, source, header.ExpandedSize, options.Method, scrambleKey, checksum);
        } catch (const EUnableToCompress&) {
            source.seek(sourceStart, SeekOrigin::Begin);
            dest.seek(dataOffset, SeekOrigin::Begin);
            header.Method = coNone;
            written = CompressMemberData(dest, source, header.ExpandedSize, coNone, scrambleKey, checksum);
        }
    }

    header.CompressedSize = written;
    header.StoredChecksum = checksum;
    if (header.Lock > 0) {
        header.StoredChecksum =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(checksum) + static_cast<std::uint32_t>(Key));
    }
    bytes = EncodeMemberHeader(header);
    dest.seek(headerOffset, SeekOrigin::Begin);
    dest.writeBuffer(bytes.data(), bytes.size());
    dest.seek(dataOffset + written, SeekOrigin::Begin);
    writing.TotalSize += size;
}

void TZiviArchive::CompressArchiveStream(Stream& dest, const std::vector<TMemberSource>& members,
                                         const TArchiveWriteOptions& options) {
    TArchiveWriting writing = BeginArchive(dest, options);
    for (const auto& member : members) WriteMember(dest, writing, member, options);
    FinishArchive(dest, writing);
}

void TZiviArchive::CompressArchive(const std::string& FileName, const std::vector<TFileToArchive>& files,
                                   const TArchiveWriteOptions& options) {
    auto archive = files_.create(FileName);
    try {
        TArchiveWriting writing = BeginArchive(*archive, options);
        for (const auto& file : files) {
            const auto data = files_.openRead(file.FilePath);
            TMemberSource member;
            member.StoredName = file.StoredName;
            member.Data = data.get();
            member.DosDateTime = files_.lastWriteTime(file.FilePath).value_or(0);
            member.Attributes = static_cast<std::uint16_t>(files_.attributes(file.FilePath).value_or(0) & kKeptAttributes);
            WriteMember(*archive, writing, member, options);
        }
        FinishArchive(*archive, writing);
    } catch (...) {
        // A half-written archive would pass for a shorter one: remove it.
        archive.reset();
        files_.deleteFile(FileName);
        throw;
    }
}

}  // namespace tavlin
