// ESegError, the exception of the segment reader and writer, and the reader's
// fixed messages.
#pragma once

#include "platform/errors.h"

namespace tavlin {

class ESegError : public Exception {
public:
    using Exception::Exception;
};

inline constexpr const char* kSegStreamOpenFailed = "(DEdaZedozave) Stream open failed";
inline constexpr const char* kSegStreamReadFailed = "(DEdaZedozave) Stream read failed";
inline constexpr const char* kSegInvalidIDHeader = "(DEdaZedozave) Invalid Segment ID Header";
inline constexpr const char* kSegInvalidHeaderID = "(DEdaZedozave) Invalid Segment Header ID";
inline constexpr const char* kSegInvalidScanID = "(DEdaZedozave) Invalid Scan ID Header";
inline constexpr const char* kSegInvalidArchiveID = "(DEdaZedozave) Invalid Archive ID Header";
inline constexpr const char* kSegInvalidSequence = "(DEdaZedozave) Invalid Archive sequence number";
inline constexpr const char* kSegAborted = "(DEdaZedozave) Operation aborted by user";
// Lengths the reader's 8192-byte buffer cannot hold.
inline constexpr const char* kSegInvalidTemplateLength = "(DEdaZedozave) Invalid template length";
inline constexpr const char* kSegInvalidRecordWidth = "(DEdaZedozave) Invalid list record width";

// The texts of the error box that asks for the right segment.
inline constexpr const char* kSegWrongSegment = "Incorrect segmented mounted!";
inline constexpr const char* kSegUnableToLocate = "Unable to locate ";
inline constexpr const char* kSegNotOnSegment = " on this segment!";
inline constexpr const char* kSegCorrectOrCancel = "Correct and then press OK, or Cancel to abort";

}  // namespace tavlin
