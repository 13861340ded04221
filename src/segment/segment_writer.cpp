// Writing a segment set: the list archive of each archive is made in memory
// first (it only holds names), then the stream is written in order, the
// archives copied from their files in large blocks.
#include "segment/segment_writer.h"

#include <algorithm>
#include <array>

#include "compress/zivi_archive.h"
#include "segment/escaping_names.h"
#include "segment/segment_errors.h"
#include "segment/segment_format.h"
#include "segment/segment_span_writer.h"

namespace tavlin {

namespace {

// What the writer knows of one archive before it writes anything.
struct PreparedArchive {
    TScanHeader Scan;
    std::string Template;
    std::vector<std::uint8_t> ListArchive;
    std::string ArchivePath;
    std::uint32_t ArchiveSize = 0;
};

std::vector<std::uint8_t> BuildListArchive(FileSystem& files, const TListFile& list, TCompressionMethod method) {
    MemoryStream data(list.Bytes);
    TMemberSource member;
    member.StoredName = kListFileName;
    member.Data = &data;
    member.DosDateTime = kListFileDosDate;
    MemoryStream archive;
    TZiviArchive writer(files);
    writer.CompressArchiveStream(archive, {member}, {method, 0});
    return archive.bytes();
}

PreparedArchive Prepare(FileSystem& files, const TSegArchiveInput& input, TCompressionMethod listMethod) {
    if (input.Template.size() > kLargestTextLength || input.Template.find('\0') != std::string::npos) {
        throw ESegError("Template cannot be stored in a segment set: " + input.Template);
    }
    PreparedArchive prepared;
    prepared.Template = input.Template;
    prepared.ArchivePath = input.ArchivePath;
    prepared.ArchiveSize = [&] {
        const std::int64_t size = files.openRead(input.ArchivePath)->size();
        if (size > 0xFFFFFFFFll) throw ESegError("Archive too large for a segment set: " + input.ArchivePath);
        return static_cast<std::uint32_t>(size);
    }();

    TZiviArchive reader(files);
    TArchiveList members;
    reader.ListArchive(input.ArchivePath, members);
    std::vector<std::string> names;
    for (const auto& member : members) names.push_back(member.Name);
    const TListFile list = BuildListFile(names);
    if (!names.empty()) prepared.ListArchive = BuildListArchive(files, list, listMethod);

    prepared.Scan.TemplateLength = static_cast<std::uint16_t>(input.Template.size());
    prepared.Scan.ScanByte = input.ScanByte;
    prepared.Scan.RecordWidth = list.RecordWidth;
    prepared.Scan.ListSize = static_cast<std::uint32_t>(prepared.ListArchive.size());
    return prepared;
}

// Blocks of 1 MiB: the copy is the only work left once the archives are
// written, and smaller blocks spend it on system calls.
constexpr std::size_t kCopyBlockSize = 1u << 20;

void CopyArchive(FileSystem& files, const PreparedArchive& archive, SegmentSpanWriter& out) {
    const auto file = files.openRead(archive.ArchivePath);
    std::vector<std::uint8_t> buffer(kCopyBlockSize);
    std::uint64_t left = archive.ArchiveSize;
    while (left > 0) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
        file->readBuffer(buffer.data(), want);  // a file that shrank since it was measured fails here
        out.Write(buffer.data(), want);
        left -= want;
    }
}

template <std::size_t N>
void WriteRecord(SegmentSpanWriter& out, const std::array<std::uint8_t, N>& bytes) {
    out.Write(bytes.data(), bytes.size());
}

}  // namespace

TListFile BuildListFile(const std::vector<std::string>& names) {
    std::size_t longest = 0;
    for (const auto& name : names) {
        if (name.find('\0') != std::string::npos || (!name.empty() && name.back() == ' ') ||
            name.size() + 1 > kLargestTextLength) {
            throw ESegError("Member name cannot be listed in a segment set: " + name);
        }
        RefuseEscapingName(name);
        longest = std::max(longest, name.size());
    }
    TListFile list;
    list.RecordWidth = static_cast<std::uint32_t>(longest + 1);
    list.Bytes.assign(names.size() * list.RecordWidth, 0);
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::copy(names[i].begin(), names[i].end(), list.Bytes.begin() + static_cast<std::ptrdiff_t>(i * list.RecordWidth));
    }
    return list;
}

TSegmentSetWriter::TSegmentSetWriter(FileSystem& files, TSegWriteOptions options)
    : files_(files), options_(std::move(options)) {}

std::vector<std::string> TSegmentSetWriter::Write(const std::vector<TSegArchiveInput>& archives) {
    if (archives.size() > kLargestArchiveCount) {
        throw ESegError("A segment set holds at most " + std::to_string(kLargestArchiveCount) + " archives");
    }
    std::vector<PreparedArchive> prepared;
    prepared.reserve(archives.size());
    for (const auto& input : archives) prepared.push_back(Prepare(files_, input, options_.ListMethod));

    SegmentSpanWriter out(files_, options_.Folder, options_.BaseName, options_.SegmentSize);
    std::vector<std::string> paths;
    try {
        TSegmentHeader header;
        header.ArcCount = static_cast<std::uint16_t>(prepared.size());
        WriteRecord(out, EncodeSegmentHeader(header));
        for (const auto& archive : prepared) {
            WriteRecord(out, EncodeScanHeader(archive.Scan));
            out.Write(archive.Template.data(), archive.Template.size());
            out.Write(archive.ListArchive.data(), archive.ListArchive.size());
        }
        for (std::size_t i = 0; i < prepared.size(); ++i) {
            TSegArcHeader arcHeader;
            arcHeader.SeqNumber = static_cast<std::uint16_t>(i);
            arcHeader.ArcSize = prepared[i].ArchiveSize;
            WriteRecord(out, EncodeSegArcHeader(arcHeader));
            CopyArchive(files_, prepared[i], out);
        }
        paths = out.Finish();
    } catch (...) {
        // No partial set is left that could pass for a whole one.
        out.Discard();
        throw;
    }

    // Segments of an earlier, longer set would otherwise follow this one.
    std::string folder = options_.Folder;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    for (std::uint32_t number = static_cast<std::uint32_t>(paths.size()) + 1; number <= kLargestSegmentNumber;
         ++number) {
        const std::string stale = folder + "\\" + SegmentFileName(options_.BaseName, "", number);
        if (!files_.fileExists(stale) || !files_.deleteFile(stale)) break;
    }
    return paths;
}

}  // namespace tavlin
