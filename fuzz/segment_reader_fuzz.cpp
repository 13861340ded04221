// Fuzzes the segment reader: the input is a logical stream that is cut into
// segment files of an in-memory machine, with a segment size and an optional
// damaged ID header taken from its first bytes. Every prompt is answered with
// Cancel. Only the system's own exceptions may come out, every run must end,
// the temporary archive file must be gone afterwards, and nothing may ever be
// written outside the output and temporary folders: member paths go through
// the same check as `tavlin seg-extract`, and the machine resolves every
// created path as Windows would.
#include <cctype>
#include <memory>

#include "compress/member_names.h"
#include "fuzz_input.h"
#include "platform/memory/memory_file_system.h"
#include "segment/seg_comp_ez.h"

namespace {

using tavlin::fuzz::Bytes;

constexpr const char* kMedia = "C:\\MEDIA";
constexpr const char* kTemp = "C:\\SEGTMP";
constexpr const char* kOut = "C:\\OUT";

struct Machine {
    Machine() {
        // Members and list files are limited by the free space the machine
        // reports, and kept small so that each input runs fast.
        files.SetFreeSpace(1u << 20);
        files.SetLargestFile(1u << 20);
    }
    tavlin::MemoryFileSystem files;
    tavlin::CancellingDialogs dialogs;
};

Machine& TheMachine() {
    static Machine machine;
    return machine;
}

void WriteFile(tavlin::FileSystem& files, const std::string& path, const Bytes& bytes) {
    files.create(path)->writeBuffer(bytes.data(), bytes.size());
}

bool Below(const std::string& path, const std::string& folder) {
    if (path.size() <= folder.size() || path[folder.size()] != '\\') return false;
    for (std::size_t i = 0; i < folder.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(path[i])) != std::toupper(static_cast<unsigned char>(folder[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavlin;
    fuzz::FuzzInput input(data, size);
    const std::size_t payload = 1 + input.Take(2) % 4096;
    const std::uint32_t damage = input.Take(1);
    const Bytes stream = input.Rest();

    Machine& m = TheMachine();
    MemoryFileSystem& files = m.files;
    files.Clear(kMedia);
    files.Clear(kOut);
    files.Clear(kTemp);
    // The stream cut into segment files; the damage byte may spoil one ID header.
    std::uint32_t count = 0;
    for (std::size_t at = 0; at < stream.size() || count == 0; at += payload) {
        ++count;
        TSegmentIDHeader id;
        id.SegNumber = static_cast<std::uint16_t>(count);
        const auto header = EncodeSegmentIDHeader(id);
        Bytes file(header.begin(), header.end());
        const std::size_t end = std::min(stream.size(), at + payload);
        file.insert(file.end(), stream.begin() + static_cast<std::ptrdiff_t>(at),
                    stream.begin() + static_cast<std::ptrdiff_t>(end));
        if (damage != 0 && count == (damage & 0x3F)) {
            if (damage & 0x40) file[6] ^= 1;    // a wrong number
            if (damage & 0x80) file.resize(5);  // too short for a header
        }
        WriteFile(files, std::string(kMedia) + "\\" + SegmentFileName("disk", "", count), file);
        if (count == 2000) break;  // enough segments to reach every case
    }

    files.TakeCreated();

    TSegCompEZ reader(files, m.dialogs);
    reader.SetSegBaseName("disk");
    reader.SetSegDir(kMedia);
    reader.SetSegTmpDir(kTemp);
    reader.SegPopUp = false;
    reader.CheckSpaceBeforeExpand = true;
    reader.OnCheckFile = [](std::string& path, TCProcessMode) {
        std::string rest = path.size() >= 2 && path[1] == ':' ? path.substr(2) : path;
        if (IsUnsafeMemberName(rest)) throw Exception("refused " + path);
        if (!rest.empty() && rest.front() == '\\') rest.erase(0, 1);
        path = std::string(kOut) + "\\" + rest;
    };
    try {
        reader.SegExpandAll();
    } catch (const Exception&) {
        // Damaged sets end with the system's own errors.
    }
    if (files.fileExists(std::string(kTemp) + "\\disk.$A$")) fuzz::Fail("the temporary archive file was left");
    for (const std::string& path : files.TakeCreated()) {
        if (!Below(path, kOut) && !Below(path, kTemp)) fuzz::Fail("a file was written outside the target folder");
    }
    return 0;
}
