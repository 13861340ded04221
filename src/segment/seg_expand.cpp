// SegExpand: the run over a whole set. Segment 1 opens, the segment header and
// every scan section are read (with the archive events parked, so that the list
// archives never reach the owner's handlers), the owner may trim the list, and
// then each wanted archive is copied out into the temporary file and expanded
// into its template's folder.

#include "compress/member_names.h"
#include "segment/dedazedozave.h"
#include "segment/escaping_names.h"

namespace tavlin {

// Parks the five archive events while the list archives are expanded, and puts
// them back however the scan ends.
class DEdaZedozave::ParkedEvents {
public:
    explicit ParkedEvents(DEdaZedozave& owner)
        : owner_(owner),
          compress_(std::move(owner.OnCompress)),
          expand_(std::move(owner.OnExpand)),
          recognize_(std::move(owner.OnRecognize)),
          checkFile_(std::move(owner.OnCheckFile)),
          showProgress_(std::move(owner.OnShowProgress)) {
        owner.OnCompress = nullptr;
        owner.OnExpand = nullptr;
        owner.OnRecognize = nullptr;
        owner.OnCheckFile = nullptr;
        owner.OnShowProgress = nullptr;
    }
    ~ParkedEvents() {
        owner_.OnCompress = std::move(compress_);
        owner_.OnExpand = std::move(expand_);
        owner_.OnRecognize = std::move(recognize_);
        owner_.OnCheckFile = std::move(checkFile_);
        owner_.OnShowProgress = std::move(showProgress_);
    }
    ParkedEvents(const ParkedEvents&) = delete;
    ParkedEvents& operator=(const ParkedEvents&) = delete;

private:
    DEdaZedozave& owner_;
    TCompressEvent compress_;
    TExpandEvent expand_;
    TRecognizeEvent recognize_;
    TCheckFileEvent checkFile_;
    TShowProgressEvent showProgress_;
};

namespace {

// Closes the open segment file and frees the buffers on every way out of a run.
class RunResources {
public:
    RunResources(std::unique_ptr<FileStream>& segment, SegmentReadAhead& readAhead, std::vector<std::uint8_t>& buffer)
        : segment_(segment), readAhead_(readAhead), buffer_(buffer) {
        buffer_.assign(kSegBufferSize, 0);
        readAhead_.Allocate();
    }
    ~RunResources() {
        segment_.reset();
        readAhead_.Release();
        std::vector<std::uint8_t>().swap(buffer_);
    }
    RunResources(const RunResources&) = delete;
    RunResources& operator=(const RunResources&) = delete;

private:
    std::unique_ptr<FileStream>& segment_;
    SegmentReadAhead& readAhead_;
    std::vector<std::uint8_t>& buffer_;
};

// Deletes the temporary archive file however the expansion of it ends.
class TemporaryFile {
public:
    TemporaryFile(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
    ~TemporaryFile() { files_.deleteFile(path_); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& Path() const { return path_; }

private:
    FileSystem& files_;
    std::string path_;
};

}  // namespace

void DEdaZedozave::SegExpand(TSegArcList& SegArcList) {
    aborted_ = false;
    curSegMode_ = smExpand;
    RunResources resources(segment_, readAhead_, ioBuffer_);
    // A folder that cannot be made shows when the first temporary file cannot be created.
    Files().forceDirectories(segTmpDir_);
    SegArcList.Clear();
    ScanAndExpand(SegArcList);
}

void DEdaZedozave::ScanAndExpand(TSegArcList& list) {
    segment_ = OpenSegment(1);
    readAhead_.Reset();
    ReadSegmentID(*segment_);
    std::array<std::uint8_t, kSegmentHeaderSize> raw{};
    SpanRead(raw.data(), raw.size());
    const TSegmentHeader header = DecodeSegmentHeader(raw);
    if (header.ID != kSegmentHeaderID) throw ESegError(kSegInvalidHeaderID);
    {
        ParkedEvents parked(*this);
        for (std::uint32_t i = 0; i < header.ArcCount; ++i) {
            auto entry = std::make_unique<TSegArc>();
            ReadScanRecord(*entry);
            entry->SeqNumber = static_cast<std::uint16_t>(i);
            list.Add(std::move(entry));
        }
    }

    if (OnSegBeforeExpand) OnSegBeforeExpand(list);
    const std::size_t count = list.Count();
    // A handler of OnSegAfterArchive could shorten the list; the run then stops early.
    for (std::size_t i = 0; i < count && i < list.Count(); ++i) ExpandArchiveRecord(list[i]);
    segment_.reset();
}

void DEdaZedozave::ExpandArchiveRecord(TSegArc& entry) {
    TSegArcHeader header;
    for (;;) {
        std::array<std::uint8_t, kSegArcHeaderSize> raw{};
        SpanRead(raw.data(), raw.size());
        header = DecodeSegArcHeader(raw);
        if (header.ID != kSegArcHeaderID) throw ESegError(kSegInvalidArchiveID);
        if (header.SeqNumber > entry.SeqNumber) throw ESegError(kSegInvalidSequence);
        if (header.SeqNumber == entry.SeqNumber) break;
        SkipSpan(header.ArcSize);  // an archive the owner did not want
    }

    CopySpanToFile(TempArchivePath(), header.ArcSize, true);
    const TemporaryFile archive(Files(), TempArchivePath());
    MakeDirectories = true;
    SetTargetPath(entry.ArcDir);

    // Nothing of an archive is written when one of its chosen names would leave its folder.
    TArchiveList members;
    ListArchive(archive.Path(), members);
    const MemberNameSet chosen(entry.ArcFiles);
    for (const auto& member : members) {
        if (chosen.Contains(member.Name)) RefuseEscapingName(member.Name);
    }
    ExpandArchive(archive.Path(), &entry.ArcFiles);
    if (OnSegAfterArchive) OnSegAfterArchive(header, entry.Template);
}

}  // namespace tavlin
