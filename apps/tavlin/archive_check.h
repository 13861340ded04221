// The tool's first look at an archive file: it must begin with a valid header.
// (The component takes a file too short for a header as an empty archive; on
// the command line such a file is simply not an archive.)
#pragma once

#include <string>

#include "compress/zivi_archive.h"

namespace tavlin::tool {

inline void CheckArchiveHeader(TZiviArchive& archive, FileSystem& files, const std::string& path) {
    const auto file = files.openRead(path);
    if (file->size() < static_cast<std::int64_t>(kArchiveHeaderSize)) throw EInvalidHeader();
    archive.ReadArchiveHeader(*file);
}

}  // namespace tavlin::tool
