// TSegmentSetWriter, the builder's side of segment sets: from archive files,
// each with its template, it writes the numbered segment files. The stream is
// the segment header, one scan section per archive (its template and a list
// archive naming its members), then the archives themselves; it is cut into
// files of a fixed size, each beginning with its ID header, wherever a file
// fills up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compress/compression_method.h"
#include "platform/file_system.h"

namespace tavlin {

// One archive of the set to be written.
struct TSegArchiveInput {
    // A path whose folder part is where the archive's members belong.
    std::string Template;
    // The archive file whose bytes go into the set.
    std::string ArchivePath;
    std::uint8_t ScanByte = 0;
};

struct TSegWriteOptions {
    // The folder that receives the segment files.
    std::string Folder;
    std::string BaseName = "disk";
    // The size of every segment file but the last, its ID header included.
    std::uint32_t SegmentSize = 1440000;
    // How the list archives are compressed.
    TCompressionMethod ListMethod = coLZH5;
};

// The name under which a list archive stores its list file, and the date it
// gives it (1980-01-01 00:00:00), so that a set does not depend on when it was made.
inline constexpr const char* kListFileName = "segfiles.lst";
inline constexpr std::uint32_t kListFileDosDate = 0x00210000;

// A list file: one record per name, each the name and a zero byte, padded with
// zero bytes to RecordWidth (the longest name plus one).
struct TListFile {
    std::uint32_t RecordWidth = 1;
    std::vector<std::uint8_t> Bytes;
};

// Raises ESegError for a name the list file cannot carry (one with a zero byte,
// ending in a blank, or longer than a record may be) and EUnsafeMemberName for a
// name that would leave its folder.
TListFile BuildListFile(const std::vector<std::string>& names);

class TSegmentSetWriter {
public:
    TSegmentSetWriter(FileSystem& files, TSegWriteOptions options);

    // Writes the set and returns the paths of its segment files in number order.
    // Segment files of the same base name left from a longer set are deleted; on
    // failure the files written so far are deleted and the error goes on.
    std::vector<std::string> Write(const std::vector<TSegArchiveInput>& archives);

private:
    FileSystem& files_;
    TSegWriteOptions options_;
};

}  // namespace tavlin
