// Finding a segment file: the mount prompt, OnSegBefore, the check of the file's
// ID header and number, and the error box that asks for the right disk or
// folder until the user gives it or cancels.
#include "platform/errors.h"
#include "segment/dedazedozave.h"

namespace tavlin {

namespace {

// The ID header of an open segment file; nothing when the file is shorter than
// a header or does not start with "SSeg".
std::optional<TSegmentIDHeader> ReadIDHeader(Stream& file) {
    std::array<std::uint8_t, kSegmentIDHeaderSize> bytes{};
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::size_t n = file.read(bytes.data() + got, bytes.size() - got);
        if (n == 0) return std::nullopt;
        got += n;
    }
    const TSegmentIDHeader header = DecodeSegmentIDHeader(bytes);
    if (header.ID != kSegmentIDHeaderID) return std::nullopt;
    return header;
}

}  // namespace

void DEdaZedozave::BuildSegmentName(const std::string& dir) {
    curSegName_ = SegmentFileName(segBaseName_, segExt_, curSegNumber_);
    std::string folder = dir;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    curSegPath_ = folder + "\\" + curSegName_;
}

void DEdaZedozave::Abort() {
    aborted_ = true;
    throw ESegError(kSegAborted);
}

bool DEdaZedozave::MountPrompt(std::string& dir, std::uint16_t number) {
    // The platform's input box shows its own cursor; there is nothing to restore.
    for (;;) {
        std::string text = dir;
        if (!dialogs_.inputBox("Mount Segment #" + std::to_string(number), "Directory Path:", text)) return false;
        if (!text.empty()) {
            dir = text;
            return true;
        }
    }
}

void DEdaZedozave::BeforeSegment() {
    if (SegPopUp) {
        const bool mounted = MountPrompt(segDir_, curSegNumber_);
        if (RepaintOwner) RepaintOwner();
        if (!mounted) Abort();
        BuildSegmentName(segDir_);
    }
    if (OnSegBefore) OnSegBefore(curSegMode_, curSegName_, curSegNumber_);
}

std::unique_ptr<FileStream> DEdaZedozave::OpenSegment(std::uint16_t number) {
    curSegNumber_ = number;
    BuildSegmentName(segDir_);
    for (;;) {
        BeforeSegment();
        std::string message;
        if (Files().fileExists(curSegPath_)) {
            std::optional<TSegmentIDHeader> header;
            try {
                const auto file = Files().openRead(curSegPath_);
                header = ReadIDHeader(*file);
            } catch (const Exception&) {
                throw ESegError(kSegStreamOpenFailed);
            }
            if (!header) throw ESegError(kSegStreamOpenFailed);
            if (header->SegNumber == number) break;
            message = kSegWrongSegment;
        } else {
            message = std::string(kSegUnableToLocate) + "\"" + curSegName_ + "\"" + kSegNotOnSegment;
        }
        message += std::string("\n\r") + kSegCorrectOrCancel;
        const MessageResult answer =
            dialogs_.messageBox(message, "Error", MessageButtons::OkCancel, MessageKind::Error, MessageResult::Cancel);
        if (answer != MessageResult::Ok) Abort();
    }

    std::unique_ptr<FileStream> file;
    try {
        file = Files().openRead(curSegPath_);
    } catch (const Exception&) {
        throw ESegError(kSegStreamOpenFailed);
    }
    segRemaining_ = file->size();
    return file;
}

void DEdaZedozave::ReadSegmentID(FileStream& file) {
    if (!ReadIDHeader(file)) throw ESegError(kSegInvalidIDHeader);
    segRemaining_ -= static_cast<std::int64_t>(kSegmentIDHeaderSize);
}

}  // namespace tavlin
