// The tool's first look at an archive file: it must begin with a valid header,
// and its records must fill the file exactly, with nothing cut short, negative
// or left over. (The component takes a file too short for a header as an empty
// archive and a record cut short as the end; on the command line such a file
// is damaged, and the message names the file and the offset.)
#pragma once

#include <string>

#include "compress/archive_layout.h"
#include "compress/zivi_archive.h"

namespace tavlin::tool {

inline void CheckArchiveHeader(TZiviArchive& archive, FileSystem& files, const std::string& path,
                               const std::string& shown) {
    const auto file = files.openRead(path);
    if (file->size() < static_cast<std::int64_t>(kArchiveHeaderSize)) throw EInvalidHeader();
    archive.ReadArchiveHeader(*file);
    try {
        CheckArchiveLayout(*file);
    } catch (const EDamagedArchive& error) {
        throw Exception(shown + ": " + error.what());
    }
}

}  // namespace tavlin::tool
