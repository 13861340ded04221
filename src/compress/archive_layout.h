// A strict walk over an archive's records, for tools that must never pass a
// damaged file: every member header whole, no negative size, every name and
// every member's data inside the file, nothing after the last member, and the
// header's total equal to the members' sizes. The expansion's own reader is
// more forgiving (a record cut short ends the archive), because media written
// by other builders rely on that.
#pragma once

#include <cstdint>
#include <string>

#include "platform/errors.h"
#include "platform/stream.h"

namespace tavlin {

// Where and how an archive's layout is broken.
class EDamagedArchive : public Exception {
public:
    EDamagedArchive(std::int64_t offset, const std::string& what);
    std::int64_t Offset;
};

// Reads the archive from the start of stream; raises EDamagedArchive on the
// first fault. An archive header that is not one raises the header errors of
// the archive component.
void CheckArchiveLayout(Stream& stream);

}  // namespace tavlin
