// TSegCompEZ: the segment reader with its own archive list and one call that
// expands a whole set and reports the templates of the archives found. The
// build settings are kept for the owner's design-time values; reading ignores them.
#pragma once

#include "compress/compression_method.h"
#include "segment/dedazedozave.h"
#include "support/string_list.h"

namespace tavlin {

enum TBuildMode : std::uint8_t { bmFlat = 0, bmRecursive = 1 };

class TSegCompEZ : public DEdaZedozave {
public:
    using DEdaZedozave::DEdaZedozave;

    TBuildMode SegBuildMode = bmRecursive;
    TCompressionMethod SegCompType = coLZH;
    bool SegMultiArc = false;
    // After SegExpandAll: the template of every archive of the list, in list order.
    StringList SegSource;

    // The archives of the last SegExpandAll, with the paths written.
    TSegArcList& ArchiveList() { return archives_; }
    void ClearArchiveList() { archives_.Clear(); }

    // Expands every archive of the set into its template's folder (TargetPath
    // plays no part; OnCheckFile may redirect each file) and fills SegSource.
    void SegExpandAll();

private:
    TSegArcList archives_;
};

}  // namespace tavlin
