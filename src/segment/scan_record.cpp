// One scan section: the archive's template, and the names of its files, which
// come from the list file inside an embedded list archive. The list archive is
// copied into the temporary file, expanded into the temporary folder, and its
// list file read in fixed-width records.
#include <algorithm>

#include "compress/member_names.h"
#include "compress/target_folders.h"
#include "segment/dedazedozave.h"
#include "segment/escaping_names.h"

namespace tavlin {

void DEdaZedozave::ReadScanRecord(TSegArc& entry) {
    std::array<std::uint8_t, kScanHeaderSize> raw{};
    SpanRead(raw.data(), raw.size());
    const TScanHeader header = DecodeScanHeader(raw);
    if (header.ID != kScanHeaderID) throw ESegError(kSegInvalidScanID);
    if (header.TemplateLength > kLargestTextLength) throw ESegError(kSegInvalidTemplateLength);
    if (header.RecordWidth == 0 || header.RecordWidth > kLargestTextLength) throw ESegError(kSegInvalidRecordWidth);

    std::fill(ioBuffer_.begin(), ioBuffer_.end(), 0);
    SpanRead(ioBuffer_.data(), header.TemplateLength);
    const auto text = reinterpret_cast<const char*>(ioBuffer_.data());
    entry.Template.assign(text, std::find(text, text + header.TemplateLength, '\0'));
    entry.ArcDir = FolderPart(entry.Template);
    entry.ScanByte = header.ScanByte;
    entry.ArcFiles.clear();
    if (header.ListSize == 0) return;

    const std::string archivePath = TempArchivePath();
    CopySpanToFile(archivePath, header.ListSize, false);
    const std::string savedTarget = TargetPath();
    SetTargetPath(segTmpDir_ + "\\");
    std::vector<std::string> written;
    try {
        written = ExpandListArchive(archivePath);
    } catch (...) {
        // Put things back and let the error go on.
        SetTargetPath(savedTarget);
        Files().deleteFile(archivePath);
        throw;
    }
    SetTargetPath(savedTarget);
    Files().deleteFile(archivePath);

    // Members after the list file are of no use; they are not left lying around.
    for (std::size_t i = 1; i < written.size(); ++i) Files().deleteFile(written[i]);
    if (written.empty()) throw ESegError(kSegStreamOpenFailed);
    ReadListFile(written.front(), header.RecordWidth, entry.ArcFiles);
}

std::vector<std::string> DEdaZedozave::ExpandListArchive(const std::string& archivePath) {
    TArchiveList members;
    ListArchive(archivePath, members);
    std::vector<std::string> names;
    for (const auto& member : members) {
        RefuseEscapingName(member.Name);
        names.push_back(member.Name);
    }
    ExpandArchive(archivePath, &names);
    return names;
}

void DEdaZedozave::ReadListFile(const std::string& path, std::uint32_t recordWidth,
                                std::vector<std::string>& names) {
    std::unique_ptr<FileStream> file;
    try {
        file = Files().openRead(path);
    } catch (const Exception&) {
        Files().deleteFile(path);
        throw ESegError(kSegStreamOpenFailed);
    }
    std::int64_t left = file->size();
    while (left > 0) {
        std::fill(ioBuffer_.begin(), ioBuffer_.end(), 0);
        const auto want = static_cast<std::size_t>(std::min<std::int64_t>(recordWidth, left));
        std::size_t got = 0;
        while (got < want) {
            const std::size_t n = file->read(ioBuffer_.data() + got, want - got);
            if (n == 0) break;
            got += n;
        }
        if (got != want) {
            file.reset();
            Files().deleteFile(path);
            throw ESegError(kSegStreamReadFailed);
        }
        const auto text = reinterpret_cast<const char*>(ioBuffer_.data());
        std::string name(text, std::find(text, text + want, '\0'));
        name.erase(name.find_last_not_of(' ') + 1);
        names.push_back(std::move(name));
        left -= static_cast<std::int64_t>(got);
    }
    file.reset();
    Files().deleteFile(path);
}

}  // namespace tavlin
