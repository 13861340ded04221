// Fuzzes the archive reader: lists an arbitrary archive and, when its members
// are of a size worth decoding, tests every member and expands them into a
// folder of an in-memory machine. Only the component's own exceptions may come
// out; listing and testing must never touch the file system, and the expansion
// must write nothing outside its folder (members from the drive root are
// skipped there, as every caller that expands into a folder does).
#include <cctype>
#include <stdexcept>

#include "compress/member_names.h"
#include "compress/zivi_archive.h"
#include "platform/memory/memory_file_system.h"
#include "fuzz_input.h"

namespace {

// The reader works on a stream here; any file access is a fault.
class NoFileSystem : public tavlin::FileSystem {
public:
    [[noreturn]] static void Used() { tavlin::fuzz::Fail("the file system was used"); }
    std::vector<tavlin::FindData> findAll(const std::string&) override { Used(); }
    std::optional<std::uint32_t> attributes(const std::string&) override { Used(); }
    bool setAttributes(const std::string&, std::uint32_t) override { Used(); }
    std::unique_ptr<tavlin::FileStream> openRead(const std::string&) override { Used(); }
    std::unique_ptr<tavlin::FileStream> create(const std::string&) override { Used(); }
    bool deleteFile(const std::string&) override { Used(); }
    bool createDirectory(const std::string&) override { Used(); }
    bool removeDirectory(const std::string&) override { Used(); }
    std::string currentDirectory() override { Used(); }
    bool setCurrentDirectory(const std::string&) override { Used(); }
    std::string fullPathName(const std::string&) override { Used(); }
    std::optional<tavlin::DiskFreeSpace> diskFreeSpace(const std::string&) override { Used(); }
    std::optional<std::uint32_t> lastWriteTime(const std::string&) override { Used(); }
    std::optional<std::string> shortPathName(const std::string&) override { Used(); }
    std::string windowsDirectory() override { Used(); }
    std::string systemDirectory() override { Used(); }
};

// Members are decoded only up to this size, so that each input runs fast.
constexpr std::int32_t kLargestDecodedMember = 1 << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavlin;
    fuzz::FuzzInput input(data, size);
    const auto key = static_cast<std::int32_t>(input.Take(1));
    const fuzz::Bytes archive = input.Rest();

    NoFileSystem noFiles;
    TZiviArchive component(noFiles);
    component.Key = key;
    component.OnRecognize = [](const std::string&, bool& recognized) { recognized = true; };
    TArchiveList list;
    try {
        MemoryStream stream(archive);
        component.ListArchiveStream(stream, list);
    } catch (const Exception&) {
        return 0;  // a rejected header is a fine answer
    }
    for (const auto& entry : list) {
        if (entry.Info.ExpandedSize > kLargestDecodedMember) return 0;
    }
    try {
        MemoryStream stream(archive);
        component.TestArchiveStream(stream);
    } catch (const Exception&) {
        // Damaged members are reported through the component's exceptions.
    }

    static MemoryFileSystem files;
    files.Clear("C:\\OUT");
    files.TakeCreated();
    files.SetLargestFile(2 * kLargestDecodedMember);
    TZiviArchive expander(files);
    expander.Key = key;
    expander.OnRecognize = component.OnRecognize;
    expander.SetTargetPath("C:\\OUT\\");
    expander.MakeDirectories = true;
    expander.OnCheckFile = [](std::string& path, TCProcessMode) {
        if (IsRootedMemberName(path)) path.clear();
    };
    try {
        MemoryStream stream(archive);
        expander.ExpandArchiveStream(stream, nullptr);
    } catch (const Exception&) {
        // As above.
    }
    for (const std::string& path : files.TakeCreated()) {
        std::string upper = path.substr(0, 7);
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (path.size() <= 7 || upper != "C:\\OUT\\") {
            fuzz::Fail("a member was written outside the target folder");
        }
    }
    return 0;
}
