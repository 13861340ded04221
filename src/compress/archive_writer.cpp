// The archive writer: compresses files or streams into an archive. Each member
// is compressed straight into the destination; one that does not shrink is
// written again over the same place as stored data, which is never longer, and
// its header is filled in once its sizes are known.
#include <algorithm>
#include <deque>
#include <limits>
#include <optional>

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
        tavlin::RunCodec(CodecState(), key, progress, dest, source, size, 0, method, checksum, false, false);
    if (cancelled) throw EArchiveCancelled();
    return written;
}

TMemberHeader TZiviArchive::StartMember(const TArchiveWriting& writing, const std::string& storedName,
                                        std::int64_t size, std::uint32_t dosDateTime, std::uint16_t attributes,
                                        const TArchiveWriteOptions& options) const {
    CheckMemberName(storedName);
    if (storedName.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
        throw EArchiveTooLarge("the name " + storedName);
    }
    if (size > kLargestSize) throw EArchiveTooLarge(storedName);
    if (writing.TotalSize + size > kLargestSize) throw EArchiveTooLarge("the total size at " + storedName);

    TMemberHeader header;
    header.NameLength = static_cast<std::int16_t>(storedName.size());
    header.DosDateTime = dosDateTime;
    header.Attributes = static_cast<std::int16_t>(attributes);
    header.ExpandedSize = static_cast<std::int32_t>(size);
    header.Lock = Key != 0 ? options.Lock : 0;
    header.Method = options.Method;
    return header;
}

void TZiviArchive::FinishMember(Stream& dest, TArchiveWriting& writing, TMemberHeader& header,
                                std::int64_t headerOffset, std::int64_t dataOffset, std::int32_t written,
                                std::int32_t checksum) {
    header.CompressedSize = written;
    header.StoredChecksum = checksum;
    if (header.Lock > 0) {
        header.StoredChecksum =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(checksum) + static_cast<std::uint32_t>(Key));
    }
    const auto bytes = EncodeMemberHeader(header);
    dest.seek(headerOffset, SeekOrigin::Begin);
    dest.writeBuffer(bytes.data(), bytes.size());
    dest.seek(dataOffset + written, SeekOrigin::Begin);
    writing.TotalSize += header.ExpandedSize;
}

void TZiviArchive::WriteMember(Stream& dest, TArchiveWriting& writing, const TMemberSource& member,
                               const TArchiveWriteOptions& options) {
    CheckMemberName(member.StoredName);
    if (member.Data == nullptr) throw Exception("No data given for the member " + member.StoredName);
    Stream& source = *member.Data;
    const std::int64_t sourceStart = source.position();
    TMemberHeader header = StartMember(writing, member.StoredName, source.size() - sourceStart, member.DosDateTime,
                                       member.Attributes, options);

    const std::int64_t headerOffset = dest.position();
    const auto bytes = EncodeMemberHeader(header);
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
        const std::int32_t scrambleKey = ScrambleKeyOf(header);
        try {
            written = CompressMemberData(dest, source, header.ExpandedSize, options.Method, scrambleKey, checksum);
        } catch (const EUnableToCompress&) {
            source.seek(sourceStart, SeekOrigin::Begin);
            dest.seek(dataOffset, SeekOrigin::Begin);
            header.Method = coNone;
            written = CompressMemberData(dest, source, header.ExpandedSize, coNone, scrambleKey, checksum);
        }
    }
    FinishMember(dest, writing, header, headerOffset, dataOffset, written, checksum);
}

void TZiviArchive::WriteCompressedMember(Stream& dest, TArchiveWriting& writing, TMemberHeader header,
                                         const std::string& storedName, const TCompressedMember& data) {
    const std::int64_t headerOffset = dest.position();
    const auto bytes = EncodeMemberHeader(header);
    dest.writeBuffer(bytes.data(), bytes.size());
    dest.writeBuffer(storedName.data(), storedName.size());
    const std::int64_t dataOffset = dest.position();
    if (data.Stored) {
        dest.writeBuffer(data.FailedTry.data(), data.FailedTry.size());
        dest.seek(dataOffset, SeekOrigin::Begin);
        header.Method = coNone;
    }
    dest.writeBuffer(data.Data.data(), data.Data.size());
    FinishMember(dest, writing, header, headerOffset, dataOffset, static_cast<std::int32_t>(data.Data.size()),
                 data.Checksum);
}

TCompressedMember TZiviArchive::CompressMemberBytes(TCompThreadSafety& state, std::vector<std::uint8_t> bytes,
                                                    std::uint8_t method, std::int32_t key) {
    const auto size = static_cast<std::int32_t>(bytes.size());
    MemoryStream source(std::move(bytes));
    MemoryStream dest;
    TCompressedMember result;
    try {
        tavlin::RunCodec(state, key, {}, dest, source, size, 0, method, result.Checksum, false, false);
    } catch (const EUnableToCompress&) {
        result.Stored = true;
        result.FailedTry = std::move(dest.bytes());
        source.seek(0, SeekOrigin::Begin);
        dest = MemoryStream();
        result.Checksum = 0;
        tavlin::RunCodec(state, key, {}, dest, source, size, 0, coNone, result.Checksum, false, false);
    }
    result.Data = std::move(dest.bytes());
    return result;
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

void TZiviArchive::CompressArchive(const std::string& FileName, const std::vector<TFileToArchive>& files,
                                   const TArchiveWriteOptions& options, TAheadCompression* ahead) {
    if (ahead == nullptr || options.Method == coCustom || OnShowProgress) {
        CompressArchive(FileName, files, options);
        return;
    }
    auto archive = files_.create(FileName);
    try {
        // Every member's header first, in archive order, so that the sizes are known
        // before anything is compressed and the total is checked as the members come.
        std::vector<TMemberHeader> headers;
        headers.reserve(files.size());
        {
            TArchiveWriting checking;
            for (const auto& file : files) {
                const std::int64_t size = files_.openRead(file.FilePath)->size();
                const auto attributes =
                    static_cast<std::uint16_t>(files_.attributes(file.FilePath).value_or(0) & kKeptAttributes);
                headers.push_back(StartMember(checking, file.StoredName, size,
                                              files_.lastWriteTime(file.FilePath).value_or(0), attributes, options));
                checking.TotalSize += size;
            }
        }
        const auto sizeOf = [&](std::size_t i) { return static_cast<std::size_t>(headers[i].ExpandedSize); };
        // The largest members go ahead first, so that a large one late in the
        // archive does not compress alone at the end; a member too large for the
        // budget is compressed here when its turn comes, while the workers go on.
        std::vector<std::size_t> largestFirst;
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (sizeOf(i) <= ahead->ByteBudget()) largestFirst.push_back(i);
        }
        std::stable_sort(largestFirst.begin(), largestFirst.end(),
                         [&](std::size_t a, std::size_t b) { return sizeOf(a) > sizeOf(b); });

        // Members handed ahead and not yet taken back, in the order handed; results
        // taken back before their turn; and the input bytes of both together.
        std::deque<std::size_t> outstanding;
        std::vector<std::optional<TCompressedMember>> results(files.size());
        std::vector<bool> handed(files.size(), false);
        std::size_t heldBytes = 0;
        TArchiveWriting writing = BeginArchive(*archive, options);
        const auto handAhead = [&](std::size_t i) {
            const auto data = files_.openRead(files[i].FilePath);
            std::vector<std::uint8_t> content(sizeOf(i));
            if (!content.empty()) data->readBuffer(content.data(), content.size());
            ahead->Submit(std::move(content), options.Method, ScrambleKeyOf(headers[i]));
            outstanding.push_back(i);
            handed[i] = true;
            heldBytes += sizeOf(i);
        };
        const auto takeBack = [&] {
            const std::size_t i = outstanding.front();
            outstanding.pop_front();
            results[i] = ahead->Next();
        };
        const std::size_t capacity = std::max<std::size_t>(ahead->Capacity(), 1);
        std::size_t next = 0;  // in largestFirst
        for (std::size_t turn = 0; turn < files.size();) {
            if (sizeOf(turn) > ahead->ByteBudget()) {
                const auto data = files_.openRead(files[turn].FilePath);
                TMemberSource member;
                member.StoredName = files[turn].StoredName;
                member.Data = data.get();
                member.DosDateTime = headers[turn].DosDateTime;
                member.Attributes = static_cast<std::uint16_t>(headers[turn].Attributes);
                WriteMember(*archive, writing, member, options);
                ++turn;
                continue;
            }
            if (results[turn]) {
                WriteCompressedMember(*archive, writing, headers[turn], files[turn].StoredName, *results[turn]);
                results[turn].reset();
                heldBytes -= sizeOf(turn);
                ++turn;
                continue;
            }
            while (next < largestFirst.size() && handed[largestFirst[next]]) ++next;
            if (next < largestFirst.size() && outstanding.size() < capacity &&
                heldBytes + sizeOf(largestFirst[next]) <= ahead->ByteBudget()) {
                handAhead(largestFirst[next]);
            } else if (!handed[turn] && outstanding.size() < capacity) {
                // Its turn has come: it goes ahead whatever the budget holds, or
                // nothing could be written.
                handAhead(turn);
            } else {
                takeBack();
            }
        }
        FinishArchive(*archive, writing);
    } catch (...) {
        ahead->Discard();
        // A half-written archive would pass for a shorter one: remove it.
        archive.reset();
        files_.deleteFile(FileName);
        throw;
    }
}

}  // namespace tavlin
