// TZiviArchive, the archive component: lists archives, expands their members to
// files (target folder, folder creation, free-space test, per-member path hook,
// key for locked members, checksum test), tests them without writing, and writes
// them. It reaches files only through the FileSystem it is given and owns the
// codec state its operations share, so one component runs one operation at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compress/archive_headers.h"
#include "compress/codec_frame.h"
#include "compress/compress_errors.h"
#include "compress/compression_method.h"
#include "platform/file_system.h"
#include "platform/stream.h"

namespace tavlin {

enum TCProcessMode : std::uint8_t { cmCompress = 0, cmExpand = 1, cmDelete = 2 };

// What ListArchiveStream reports of a member besides its name.
struct TCompressedFileInfo {
    std::uint32_t DosDateTime = 0;
    std::int16_t Attributes = 0;
    std::int32_t ExpandedSize = 0;
    std::int32_t CompressedSize = 0;
    std::uint8_t Method = 0;
    std::int32_t StoredChecksum = 0;
    std::int32_t HeaderOffset = 0;  // stream position of the member header
    bool Locked = false;
};

struct TArchiveListEntry {
    std::string Name;
    TCompressedFileInfo Info;
};

using TArchiveList = std::vector<TArchiveListEntry>;

// The handler may change filepath, set it empty to skip the member or to "*" to
// stop the expansion.
using TCheckFileEvent = std::function<void(std::string& filepath, TCProcessMode mode)>;
// Raised for an unknown method ID; setting recognized accepts it as coCustom.
using TRecognizeEvent = std::function<void(const std::string& CompressID, bool& recognized)>;
// Expands a coCustom member: reads Sourcesize bytes, writes the data, returns its checksum.
using TExpandEvent = std::function<void(Stream& dest, Stream& source, std::int32_t Sourcesize, std::int32_t Destsize,
                                        const std::string& CompressID, std::int32_t& checksum)>;
// Compresses a coCustom member: reads source to its end, writes dest, may change
// the method ID, reports the output size and the checksum of the data read.
using TCompressEvent = std::function<void(Stream& dest, Stream& source, std::string& CompressID,
                                          std::int32_t& Outputsize, std::int32_t& checksum)>;

// One member for the writer: its bytes are read from Data's current position to its end.
struct TMemberSource {
    std::string StoredName;
    Stream* Data = nullptr;
    std::uint32_t DosDateTime = 0;
    std::uint16_t Attributes = 0;
};

// One file for the writer, stored under StoredName.
struct TFileToArchive {
    std::string FilePath;
    std::string StoredName;
};

// One member's data compressed apart from its archive (see TAheadCompression):
// the bytes the writer would put there, and the checksum it would record.
struct TCompressedMember {
    std::vector<std::uint8_t> Data;
    std::int32_t Checksum = 0;
    bool Stored = false;  // the method did not shrink it: Data is the stored form
    // For a stored member, what the failed try had written: the writer writes
    // it first and the stored data over it, as the member-by-member writer does.
    std::vector<std::uint8_t> FailedTry;
};

// Compresses members' data ahead of the writer, possibly on other threads: the
// writer hands it members' bytes, the largest first, and takes the results back
// in the order handed, at most Capacity() of them outstanding.
class TAheadCompression {
public:
    virtual ~TAheadCompression() = default;
    virtual std::size_t Capacity() const = 0;
    // Most bytes the members handed ahead and not yet written may hold together,
    // besides the member whose turn it is; a larger member is compressed by the
    // writer itself.
    virtual std::size_t ByteBudget() const = 0;
    virtual void Submit(std::vector<std::uint8_t> bytes, std::uint8_t method, std::int32_t key) = 0;
    // The result of the oldest outstanding member; raises what compressing it raised.
    virtual TCompressedMember Next() = 0;
    // Drops every outstanding member (after a failure).
    virtual void Discard() = 0;
};

// How the writer stores its members.
struct TArchiveWriteOptions {
    TCompressionMethod Method = coLZH5;
    // With a non-zero Key: 2 locks and scrambles the stored data, 1 only locks.
    std::int32_t Lock = 2;
};

class TZiviArchive {
public:
    explicit TZiviArchive(FileSystem& files);
    virtual ~TZiviArchive();
    TZiviArchive(const TZiviArchive&) = delete;
    TZiviArchive& operator=(const TZiviArchive&) = delete;

    // The folder relative member names expand into; stored with a trailing "\"
    // unless empty.
    const std::string& TargetPath() const { return targetPath_; }
    void SetTargetPath(const std::string& value);

    bool MakeDirectories = false;
    // When an output file cannot be created: raise (true) or skip the member.
    bool ExceptionOnFileError = false;
    // Unlocks locked members; 0 means none. Writing with a key locks the members.
    std::int32_t Key = 0;
    bool CheckSpaceBeforeExpand = false;
    // The codecs give up the rest of their time slice between buffers, as a
    // window's thread must; a builder that shows no window turns it off.
    bool YieldBetweenBuffers = true;

    TCheckFileEvent OnCheckFile;
    TRecognizeEvent OnRecognize;
    TExpandEvent OnExpand;
    TShowProgressEvent OnShowProgress;
    TCompressEvent OnCompress;

    // Adds one entry per member, in archive order, reading from the stream's
    // current position.
    void ListArchive(const std::string& FileName, TArchiveList& List);
    void ListArchiveStream(Stream& stream, TArchiveList& List);

    // Expands the members (all of them, or those whose stored names are in
    // Names, letter case aside). On return Names holds the paths written.
    void ExpandArchive(const std::string& FileName, std::vector<std::string>* Names);
    void ExpandArchiveStream(Stream& stream, std::vector<std::string>* Names);

    // Decodes every member and tests its checksum, writing nothing. onMember
    // hears each stored name before its member is decoded.
    void TestArchive(const std::string& FileName, const std::function<void(const std::string&)>& onMember = {});
    void TestArchiveStream(Stream& stream, const std::function<void(const std::string&)>& onMember = {});

    // Writes an archive of the members, compressing each with options.Method
    // and storing those that do not shrink. CompressArchive creates the file and
    // deletes it again when writing fails.
    void CompressArchive(const std::string& FileName, const std::vector<TFileToArchive>& files,
                         const TArchiveWriteOptions& options);
    void CompressArchiveStream(Stream& dest, const std::vector<TMemberSource>& members,
                               const TArchiveWriteOptions& options);
    // The same archive, byte for byte, with the members' data compressed by
    // ahead, the largest first, while earlier members are written. Without ahead, or with a custom
    // method or a progress handler, members are compressed one by one.
    void CompressArchive(const std::string& FileName, const std::vector<TFileToArchive>& files,
                         const TArchiveWriteOptions& options, TAheadCompression* ahead);

    // Compresses one member's data as the writer would; state is the caller's own
    // (one per thread).
    static TCompressedMember CompressMemberBytes(TCompThreadSafety& state, std::vector<std::uint8_t> bytes,
                                                 std::uint8_t method, std::int32_t key);

    // Reads and checks the archive header; with fewer than 21 bytes left it
    // assumes an empty archive. Returns the header; its method ID is checked.
    TArchiveHeader ReadArchiveHeader(Stream& stream);

    // Runs one codec with this component's key and progress handler.
    std::int32_t RunCodec(Stream& Dest, Stream& Source, std::int32_t SourceSize, std::int32_t DestSize,
                          std::uint8_t Method, std::int32_t& Checksum, bool Expanding, bool Descramble);

protected:
    // A member header with its name, as read from the stream.
    struct TMemberRecord {
        TMemberHeader Header;
        std::string Name;
        std::int64_t HeaderOffset = 0;
        std::int64_t DataOffset = 0;
    };

    FileSystem& Files() { return files_; }

    // The method ID's index in the table, or coCustom when OnRecognize accepts it.
    TCompressionMethod CheckMethodID(const std::string& ID);
    // The next member header and name; nothing at the end of the members.
    std::optional<TMemberRecord> ReadMemberHeader(Stream& stream);
    // Decodes one member's stored data into dest and tests its checksum.
    void DecodeMember(Stream& dest, Stream& source, const TMemberHeader& header, const std::string& MethodID);
    // Free bytes for writing path, counting the file it replaces; 2147483647
    // when the test is off or the space is larger.
    std::int32_t FreeSpaceFor(const std::string& path);
    // Creates a folder and its missing parents; raises EInOutError on failure.
    void ForceDirs(const std::string& folder);

private:
    // The writer's steps: a provisional archive header, one member after the
    // other, then the header again with the total size and the method ID.
    struct TArchiveWriting {
        std::int64_t HeaderOffset = 0;
        TArchiveHeader Header;
        std::int64_t TotalSize = 0;
        std::string MethodID;
    };
    TArchiveWriting BeginArchive(Stream& dest, const TArchiveWriteOptions& options);
    void WriteMember(Stream& dest, TArchiveWriting& writing, const TMemberSource& member,
                     const TArchiveWriteOptions& options);
    // The checks of a member before anything of it is written; its header as far
    // as it is known before its data.
    TMemberHeader StartMember(const TArchiveWriting& writing, const std::string& storedName, std::int64_t size,
                              std::uint32_t dosDateTime, std::uint16_t attributes,
                              const TArchiveWriteOptions& options) const;
    // Writes a member whose data was compressed ahead.
    void WriteCompressedMember(Stream& dest, TArchiveWriting& writing, TMemberHeader header,
                               const std::string& storedName, const TCompressedMember& data);
    // The member's header with its sizes and checksum, written over its place.
    void FinishMember(Stream& dest, TArchiveWriting& writing, TMemberHeader& header, std::int64_t headerOffset,
                      std::int64_t dataOffset, std::int32_t written, std::int32_t checksum);
    // The key a member's data is scrambled with.
    std::int32_t ScrambleKeyOf(const TMemberHeader& header) const { return header.Lock == 2 ? Key : 0; }
    void FinishArchive(Stream& dest, TArchiveWriting& writing);
    // One compressing codec run; raises EArchiveCancelled when the progress
    // handler stops it, since the member would then be incomplete.
    std::int32_t CompressMemberData(Stream& dest, Stream& source, std::int32_t size, std::uint8_t method,
                                    std::int32_t key, std::int32_t& checksum);

    FileSystem& files_;
    std::string targetPath_;
    std::unique_ptr<TCompThreadSafety> codecState_;
    // The codec state, set up for this component's yielding.
    TCompThreadSafety& CodecState();
};

}  // namespace tavlin
