// DEdaZedozave, the segment set reader: finds and checks each segment file in
// turn (asking for the right disk or folder when one is missing or wrong), reads
// the scan section into a list of archives with their file lists, lets its owner
// trim that list, then copies each wanted archive out of the segments into one
// temporary file and expands it with the inherited archive component.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "compress/zivi_archive.h"
#include "platform/dialogs.h"
#include "segment/seg_arc_list.h"
#include "segment/segment_errors.h"
#include "segment/segment_format.h"
#include "segment/segment_read_ahead.h"

namespace tavlin {

class Platform;

enum TSegMode : std::uint8_t { smCompress = 0, smExpand = 1, smScan = 2 };

// Before each attempt to open a segment, and when a segment is used up.
using TSegEvent = std::function<void(TSegMode SegMode, const std::string& SegName, std::uint16_t SegNumber)>;
// Once the scan section is read: the handler may drop archives or names, keeping
// the entries in ascending SeqNumber order.
using TSegBeforeExpandEvent = std::function<void(TSegArcList& SegArcList)>;
using TSegAfterArchiveEvent = std::function<void(const TSegArcHeader& SegArcHdr, const std::string& Template)>;
using TSegShowProgressEvent = std::function<void(std::int32_t PercentageDone)>;

class DEdaZedozave : public TZiviArchive {
public:
    // Segment files and temporary files go through files; the prompts for a
    // missing or wrong segment through dialogs.
    DEdaZedozave(FileSystem& files, Dialogs& dialogs);
    // The platform's files and dialogs, with its message pump as ProcessMessages.
    explicit DEdaZedozave(Platform& platform);
    ~DEdaZedozave() override;

    // Held in lower case without a folder; empty gives "SegData".
    const std::string& SegBaseName() const { return segBaseName_; }
    void SetSegBaseName(const std::string& value);
    // The folder of the segment files, absolute and in lower case; empty gives "a:\".
    const std::string& SegDir() const { return segDir_; }
    void SetSegDir(const std::string& value);
    // A fixed extension for every segment name, at most 3 characters.
    const std::string& SegExt() const { return segExt_; }
    void SetSegExt(const std::string& value);
    // The builder's segment size; at least 16384.
    std::int32_t SegSize() const { return segSize_; }
    void SetSegSize(std::int32_t value);
    // The folder of the temporary files, without a trailing "\" and in lower
    // case; empty gives the current folder.
    const std::string& SegTmpDir() const { return segTmpDir_; }
    void SetSegTmpDir(const std::string& value);
    // Ask for the segment's folder before every segment.
    bool SegPopUp = true;

    TSegEvent OnSegBefore;
    TSegEvent OnSegAfter;
    TSegBeforeExpandEvent OnSegBeforeExpand;
    TSegAfterArchiveEvent OnSegAfterArchive;
    TSegShowProgressEvent OnSegShowProgress;

    // Lets the user interface process its pending messages; run after every
    // read from a segment file.
    std::function<void()> ProcessMessages;
    // Repaints the owner window after each mount prompt.
    std::function<void()> RepaintOwner;

    // Clears the list, reads the whole set into it and expands the archives that
    // remain after OnSegBeforeExpand; each entry's ArcFiles then holds the paths
    // written. Raises ESegError or the archive engine's errors.
    void SegExpand(TSegArcList& SegArcList);

    // Run state: the segment last opened or looked for.
    std::uint16_t CurSegNumber() const { return curSegNumber_; }
    const std::string& CurSegName() const { return curSegName_; }
    const std::string& CurSegPath() const { return curSegPath_; }
    TSegMode CurSegMode() const { return curSegMode_; }
    // Set when the user cancelled a prompt.
    bool Aborted() const { return aborted_; }

    // The temporary file that holds the archive being expanded, from the moment
    // it is copied out of the segments until OnSegAfterArchive has returned.
    std::string TempArchivePath() const;

private:
    class ParkedEvents;

    void ScanAndExpand(TSegArcList& list);
    std::unique_ptr<FileStream> OpenSegment(std::uint16_t number);
    void BuildSegmentName(const std::string& dir);
    void BeforeSegment();
    bool MountPrompt(std::string& dir, std::uint16_t number);
    [[noreturn]] void Abort();
    void ReadSegmentID(FileStream& file);
    void NextSegment();
    std::span<const std::uint8_t> NextPiece(std::size_t max);
    void SpanRead(void* buffer, std::size_t count);
    void SkipSpan(std::uint64_t count);
    void CopySpanToFile(const std::string& path, std::uint64_t size, bool reportProgress);
    void ReadScanRecord(TSegArc& entry);
    std::vector<std::string> ExpandListArchive(const std::string& archivePath);
    void ReadListFile(const std::string& path, std::uint32_t recordWidth, std::vector<std::string>& names);
    void ExpandArchiveRecord(TSegArc& entry);

    Dialogs& dialogs_;
    std::string segBaseName_ = "SegData";
    std::string segDir_ = "a:\\";
    std::string segExt_;
    std::int32_t segSize_ = 1440000;
    std::string segTmpDir_;

    std::uint16_t curSegNumber_ = 0;
    std::string curSegName_;
    std::string curSegPath_;
    TSegMode curSegMode_ = smCompress;
    bool aborted_ = false;
    std::int64_t segRemaining_ = 0;
    std::unique_ptr<FileStream> segment_;
    SegmentReadAhead readAhead_;  // of segment_; segRemaining_ counts its bytes too
    std::vector<std::uint8_t> ioBuffer_;
};

}  // namespace tavlin
