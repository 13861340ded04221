// DecodeMember: one member's stored data through its codec (or the OnExpand
// handler for coCustom), then the key and checksum test. A member whose data
// came out at the wrong length, or that needed more input than it holds, is
// damaged and fails the test whatever its byte sum is.
#include "compress/zivi_archive.h"

namespace tavlin {

void TZiviArchive::DecodeMember(Stream& dest, Stream& source, const TMemberHeader& header,
                                const std::string& MethodID) {
    const bool locked = header.Lock > 0;
    if (locked && Key == 0) throw EInvalidKey();

    std::int32_t checksum = 0;
    bool complete = true;
    if (header.Method == coCustom) {
        // The handler owns its format; without one nothing is written.
        if (OnExpand) OnExpand(dest, source, header.CompressedSize, header.ExpandedSize, MethodID, checksum);
    } else {
        std::int32_t written = 0;
        try {
            written = RunCodec(dest, source, header.CompressedSize, header.ExpandedSize, header.Method, checksum,
                               true, header.Lock == 2);
        } catch (const ELZHBadDecodeTable&) {
            // Data descrambled with a wrong key does not decode.
            if (locked) throw EInvalidKey();
            throw;
        }
        complete = written == header.ExpandedSize && !codecState_->InputShort;
    }

    if (complete) {
        if (checksum == header.StoredChecksum) return;
        if (header.StoredChecksum == 0 && header.Method == coNone) return;
    }
    if (locked) {
        const auto keyed = static_cast<std::uint32_t>(Key) + static_cast<std::uint32_t>(checksum);
        if (complete && keyed == static_cast<std::uint32_t>(header.StoredChecksum)) return;
        throw EInvalidKey();
    }
    throw EBadChecksum();
}

}  // namespace tavlin
