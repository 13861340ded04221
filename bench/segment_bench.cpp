// Segment benchmark: expanding a product from a segment set against expanding
// the same archives straight from their files, on a hosted machine kept in a
// work folder. The segment layer should add little more than one copy of each
// archive, and its memory should not grow with the set.
//
//   segment_bench prepare WORKDIR MIB   makes a product of MIB MiB, its archives
//                                       (LH5, one per folder) and a set of
//                                       1440000-byte segments
//   segment_bench compare WORKDIR       processor time of both ways (best of 5, in turns) and their ratio
//   segment_bench expand WORKDIR MODE   one expansion, MODE "segments" or "archives",
//                                       for a memory measurement
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "compress/zivi_archive.h"
#include "platform/hosted/hosted_machine.h"
#include "segment/seg_comp_ez.h"
#include "segment/segment_writer.h"

namespace {

namespace fs = std::filesystem;
using namespace tavlin;

constexpr int kFolders = 8;

std::unique_ptr<hosted::HostedMachine> Machine(const fs::path& work) {
    auto machine = hosted::HostedMachine::open(work / "machine");
    machine->setAnswerer([](const hosted::DialogRequest& request) -> hosted::DialogAnswer {
        throw Exception("unexpected dialog: " + request.text);
    });
    return machine;
}

std::string ArchivePath(int folder) { return "C:\\ARCS\\" + std::to_string(folder) + ".tva"; }

// Text-like data with some repetition; every fourth file is noise that does not
// compress (stored members, for which the segment layer's copy weighs most).
void WriteProductFile(FileSystem& files, const std::string& path, std::size_t size, std::uint32_t seed) {
    if (seed % 4 == 3) {
        std::string noise(size, '\0');
        for (auto& c : noise) {
            seed = seed * 1664525u + 1013904223u;
            c = static_cast<char>(seed >> 24);
        }
        files.create(path)->writeBuffer(noise.data(), noise.size());
        return;
    }
    static const char* words[] = {"setup ", "archive ", "segment ", "the ", "of ", "file ", "folder ", "install ",
                                  "windows ", "data ", "\r\n", "value=", "0x1F ", "program ", "registry ", "key "};
    std::string text;
    text.reserve(size);
    while (text.size() < size) {
        seed = seed * 1664525u + 1013904223u;
        text += words[seed >> 28];
        if ((seed & 0xFF) < 8) text += std::to_string(seed);
    }
    text.resize(size);
    files.create(path)->writeBuffer(text.data(), text.size());
}

void Prepare(const fs::path& work, std::size_t mib) {
    auto machine = Machine(work);
    FileSystem& files = machine->files();
    files.forceDirectories("C:\\ARCS");
    files.forceDirectories("C:\\MEDIA");
    std::vector<TSegArchiveInput> archives;
    const std::size_t fileSize = 1 << 20;
    for (int folder = 0; folder < kFolders; ++folder) {
        const std::string dir = "C:\\PRODUCT\\F" + std::to_string(folder);
        files.forceDirectories(dir);
        std::vector<TFileToArchive> members;
        for (std::size_t i = static_cast<std::size_t>(folder); i < mib; i += kFolders) {
            const std::string name = "file" + std::to_string(i) + ".dat";
            WriteProductFile(files, dir + "\\" + name, fileSize, static_cast<std::uint32_t>(i));
            members.push_back({dir + "\\" + name, name});
        }
        TZiviArchive archiver(files);
        archiver.CompressArchive(ArchivePath(folder), members, {coLZH5, 0});
        archives.push_back({"C:\\OUT\\F" + std::to_string(folder) + "\\*.*", ArchivePath(folder)});
    }
    TSegWriteOptions options;
    options.Folder = "C:\\MEDIA";
    const auto segments = TSegmentSetWriter(files, options).Write(archives);
    std::cout << mib << " MiB in " << kFolders << " archives, " << segments.size() << " segments of 1440000 bytes\n";
}

void ExpandArchives(hosted::HostedMachine& machine) {
    TZiviArchive archive(machine.files());
    archive.MakeDirectories = true;
    for (int folder = 0; folder < kFolders; ++folder) {
        archive.SetTargetPath("C:\\OUT\\F" + std::to_string(folder));
        archive.ExpandArchive(ArchivePath(folder), nullptr);
    }
}

void ExpandSegments(hosted::HostedMachine& machine) {
    TSegCompEZ reader(machine);
    reader.SetSegBaseName("disk");
    reader.SetSegDir("C:\\MEDIA");
    reader.SetSegTmpDir("C:\\SEGTMP");
    reader.SegPopUp = false;
    reader.SegExpandAll();
}

// User and system processor time apart: the segment layer's extra is the copy
// into the temporary file, which is kernel work, while decoding is user work.
struct ProcessorTime {
    double user = 0;
    double system = 0;
    double Total() const { return user + system; }
};

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

ProcessorTime ProcessorNow() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {Seconds(usage.ru_utime), Seconds(usage.ru_stime)};
}

ProcessorTime TimeOnce(hosted::HostedMachine& machine, void (*expand)(hosted::HostedMachine&)) {
    if (const auto out = machine.hostPath("C:\\OUT")) fs::remove_all(*out);
    const ProcessorTime start = ProcessorNow();
    expand(machine);
    const ProcessorTime end = ProcessorNow();
    return {end.user - start.user, end.system - start.system};
}

// The best of 5 runs of each way, taken in turns so that a change in the load
// of a shared machine weighs on both alike.
std::pair<ProcessorTime, ProcessorTime> BestInTurns(hosted::HostedMachine& machine) {
    ProcessorTime archives{1e30, 0};
    ProcessorTime segments{1e30, 0};
    for (int run = 0; run < 5; ++run) {
        const ProcessorTime a = TimeOnce(machine, ExpandArchives);
        if (a.Total() < archives.Total()) archives = a;
        const ProcessorTime s = TimeOnce(machine, ExpandSegments);
        if (s.Total() < segments.Total()) segments = s;
    }
    return {archives, segments};
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::string command = argc > 1 ? argv[1] : "";
        if (command == "prepare" && argc == 4) {
            Prepare(argv[2], std::stoul(argv[3]));
        } else if (command == "compare" && argc == 3) {
            auto machine = Machine(argv[2]);
            const auto [archives, segments] = BestInTurns(*machine);
            std::printf("archives from their files: %.3f s (user %.3f, system %.3f)\n", archives.Total(), archives.user,
                        archives.system);
            std::printf("from the segment set:      %.3f s (user %.3f, system %.3f)\n", segments.Total(), segments.user,
                        segments.system);
            std::printf("ratio segments/archives: %.3f (goal: at most 1.1), user only: %.3f\n",
                        segments.Total() / archives.Total(), segments.user / archives.user);
        } else if (command == "expand" && argc == 4) {
            auto machine = Machine(argv[2]);
            if (const auto out = machine->hostPath("C:\\OUT")) fs::remove_all(*out);
            std::string(argv[3]) == "segments" ? ExpandSegments(*machine) : ExpandArchives(*machine);
        } else {
            std::cerr << "usage: segment_bench prepare WORKDIR MIB | compare WORKDIR | expand WORKDIR segments|archives\n";
            return 2;
        }
    } catch (const std::exception& error) {
        std::cerr << "segment_bench: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
