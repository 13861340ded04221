// ExpandArchive: writes the selected members to files below TargetPath, with
// their dates and attributes, and reports the paths written.
#include <optional>

#include "compress/member_names.h"
#include "compress/zivi_archive.h"
#include "compress/target_folders.h"

namespace tavlin {

void TZiviArchive::ExpandArchive(const std::string& FileName, std::vector<std::string>* Names) {
    const auto file = files_.openRead(FileName);
    ExpandArchiveStream(*file, Names);
}

void TZiviArchive::ExpandArchiveStream(Stream& stream, std::vector<std::string>* Names) {
    std::vector<std::string> written;
    const TArchiveHeader header = ReadArchiveHeader(stream);
    const std::string methodID = header.MethodIDText();
    std::int64_t total = 0;
    const std::optional<MemberNameSet> chosen = Names ? std::optional<MemberNameSet>(*Names) : std::nullopt;
    std::optional<std::string> madeFolder;  // the last member's folder, made or found
    while (const auto record = ReadMemberHeader(stream)) {
        const TMemberHeader& h = record->Header;
        const auto skipData = [&] { stream.seek(record->DataOffset + h.CompressedSize, SeekOrigin::Begin); };
        // TotalSize ends the archive; empty members after the last data still
        // belong to it, or an archive of empty files would expand to nothing.
        const bool emptyMember = h.ExpandedSize == 0 && h.CompressedSize == 0;
        if (total >= header.TotalSize && !emptyMember) break;

        if (chosen && !chosen->Contains(record->Name)) {
            skipData();
            total += h.ExpandedSize;
            continue;
        }

        CheckMemberName(record->Name);
        std::string path = IsRootedMemberName(record->Name) ? record->Name : TargetPath() + record->Name;
        if (OnCheckFile) {
            OnCheckFile(path, cmExpand);
            if (path.empty()) {
                skipData();
                continue;
            }
            if (path == "*") break;
        }

        if (FreeSpaceFor(path) < h.ExpandedSize) throw EInsufficientDiskSpace(path);
        // The members of one folder follow one another: its folders are made (or
        // found) once for the run of them.
        const auto createMember = [&]() -> std::unique_ptr<FileStream> {
            if (!MakeDirectories) return files_.create(path);
            const std::string folder = FolderPart(path);
            if (madeFolder == folder) {
                try {
                    return files_.create(path);
                } catch (const EFCreateError&) {
                    // The folder may have gone since: it is made again below.
                }
            }
            ForceDirs(folder);
            madeFolder = folder;
            return files_.create(path);
        };

        std::unique_ptr<FileStream> file;
        try {
            file = createMember();
        } catch (const EFCreateError&) {
            if (ExceptionOnFileError) throw;
            skipData();
            continue;
        }

        // Attributes go on after closing, so that read-only does not stop the writing.
        const auto attributes = static_cast<std::uint32_t>(static_cast<std::int32_t>(h.Attributes));
        try {
            DecodeMember(*file, stream, h, methodID);
        } catch (const EInvalidKey&) {
            file.reset();
            files_.deleteFile(path);
            throw;
        } catch (...) {
            // The run ends; the partly written file stays for the caller to see.
            file.reset();
            files_.setAttributes(path, attributes);
            throw;
        }
        // A date that cannot be set leaves the file's data intact; not worth failing for.
        file->setLastWriteTime(h.DosDateTime);
        written.push_back(path);
        file.reset();
        // A file just created carries the archive bit alone, which is all most
        // members ask for: they need no second look at the file.
        if (attributes != faArchive) files_.setAttributes(path, attributes);

        total += h.ExpandedSize;
        skipData();
    }
    if (Names) *Names = std::move(written);
}

}  // namespace tavlin
