// Fuzzes the segment reader: the input is a logical stream that is cut into
// segment files in a hosted machine's folder, with a segment size and an
// optional damaged ID header taken from its first bytes. Every prompt is
// answered with Cancel. Only the system's own exceptions may come out, every
// run must end, and the temporary archive file must be gone afterwards.
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "fuzz_input.h"
#include "platform/hosted/hosted_machine.h"
#include "segment/seg_comp_ez.h"

namespace {

namespace fs = std::filesystem;
using tavlin::fuzz::Bytes;

constexpr const char* kMedia = "C:\\MEDIA";
constexpr const char* kTemp = "C:\\SEGTMP";
constexpr const char* kOut = "C:\\OUT";

struct Machine {
    Machine() {
        folder = fs::temp_directory_path() / ("tavlin-segment-fuzz-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        machine = tavlin::hosted::HostedMachine::open(folder);
        machine->setAnswerer([](const tavlin::hosted::DialogRequest&) {
            tavlin::hosted::DialogAnswer answer;
            answer.result = tavlin::MessageResult::Cancel;
            answer.ok = false;
            return answer;
        });
        // Members and list files are limited by the free space the machine reports.
        machine->setFreeSpace('C', 8u << 20);
    }
    ~Machine() {
        machine.reset();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    void Clear(const std::string& windowsPath) {
        if (const auto host = machine->hostPath(windowsPath)) {
            std::error_code ignored;
            fs::remove_all(*host, ignored);
        }
    }
    fs::path folder;
    std::unique_ptr<tavlin::hosted::HostedMachine> machine;
};

Machine& TheMachine() {
    static Machine machine;
    return machine;
}

void WriteFile(tavlin::FileSystem& files, const std::string& path, const Bytes& bytes) {
    files.create(path)->writeBuffer(bytes.data(), bytes.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavlin;
    fuzz::FuzzInput input(data, size);
    const std::size_t payload = 1 + input.Take(2) % 4096;
    const std::uint32_t damage = input.Take(1);
    const Bytes stream = input.Rest();

    Machine& m = TheMachine();
    m.Clear(kMedia);
    m.Clear(kOut);
    FileSystem& files = m.machine->files();
    files.forceDirectories(kMedia);

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

    TSegCompEZ reader(*m.machine);
    reader.SetSegBaseName("disk");
    reader.SetSegDir(kMedia);
    reader.SetSegTmpDir(kTemp);
    reader.SegPopUp = false;
    reader.CheckSpaceBeforeExpand = true;
    reader.OnCheckFile = [](std::string& path, TCProcessMode) {
        path = std::string(kOut) + "\\" + (path.size() >= 2 ? path.substr(2) : path);
    };
    try {
        reader.SegExpandAll();
    } catch (const Exception&) {
        // Damaged sets end with the system's own errors.
    }
    if (files.fileExists(std::string(kTemp) + "\\disk.$A$")) fuzz::Fail("the temporary archive file was left");
    return 0;
}
