// Codec benchmark: throughput and ratio of the LH5 and LZH codecs against
// independent tools on the same data (lhasa for expansion, gzip -6 for
// compression), and the expansion of one large member from file to file for a
// memory measurement.
//
//   codec_bench compare WORKDIR FILE...  every FILE as one member: throughput in processor
//                                        time (best of 3) and ratios ours/theirs
//   codec_bench expand METHOD WORKDIR FILE...
//                                        expansion only (lh5 or lzh), ours and lhasa's taken
//                                        in turns, best of 5: quicker, and steadier on a busy machine
//   codec_bench compress WORKDIR FILE... LH5 compression only, ours and gzip -6's taken in
//                                        turns, best of 5
//   codec_bench pack METHOD IN OUT       compresses IN (lh5 or lzh) into the raw stream OUT
//   codec_bench unpack METHOD IN SIZE    expands the raw stream IN (SIZE bytes) to nowhere
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "common/lha_file.h"
#include "compress/codec_frame.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

// A destination that only counts.
class NullStream : public tavlin::Stream {
public:
    std::size_t read(void*, std::size_t) override { return 0; }
    void writeBuffer(const void*, std::size_t count) override { written += count; }
    std::int64_t seek(std::int64_t, tavlin::SeekOrigin) override { return static_cast<std::int64_t>(written); }
    std::size_t written = 0;
};

// A file read or written in the codec's own chunks, so that nothing of the
// member is held in memory.
class CFileStream : public tavlin::Stream {
public:
    CFileStream(const std::string& path, const char* mode) : file_(std::fopen(path.c_str(), mode)) {
        if (!file_) throw std::runtime_error("cannot open " + path);
    }
    ~CFileStream() override { std::fclose(file_); }
    std::size_t read(void* buffer, std::size_t count) override { return std::fread(buffer, 1, count, file_); }
    void writeBuffer(const void* buffer, std::size_t count) override {
        if (std::fwrite(buffer, 1, count, file_) != count) throw std::runtime_error("write failed");
    }
    std::int64_t seek(std::int64_t offset, tavlin::SeekOrigin) override {
        std::fseek(file_, static_cast<long>(offset), SEEK_SET);
        return offset;
    }

private:
    std::FILE* file_;
};

std::uint8_t MethodNumber(const std::string& name) {
    if (name == "lh5") return tavlin::coLZH5;
    if (name == "lzh") return tavlin::coLZH;
    throw std::runtime_error("method must be lh5 or lzh");
}

std::int32_t Run(tavlin::Stream& dest, tavlin::Stream& source, std::int64_t sourceSize, std::int64_t destSize,
                 std::uint8_t method, bool expanding) {
    tavlin::TCompThreadSafety state;
    std::int32_t checksum = 0;
    return tavlin::RunCodec(state, 0, nullptr, dest, source, static_cast<std::int32_t>(sourceSize),
                            static_cast<std::int32_t>(destSize), method, checksum, expanding, false);
}

// Compresses the file in into the raw stream out; returns the stream's size.
// Ours go from file to file (or to nowhere) as gzip and lhasa do: a copy of the
// input in memory, which they do not make, cost ours 0.17 s a 33 MB file in
// page faults on a virtual machine.
std::size_t PackFile(const std::string& in, const std::string& out, std::uint8_t method) {
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(in));
    CFileStream source(in, "rb");
    CFileStream dest(out, "wb");
    return static_cast<std::size_t>(Run(dest, source, size, 0, method, false));
}

// Expands the raw stream in, which must give size bytes, to nowhere.
void ExpandFile(const std::string& in, std::size_t size, std::uint8_t method) {
    CFileStream source(in, "rb");
    NullStream sink;
    Run(sink, source, static_cast<std::int64_t>(std::filesystem::file_size(in)), static_cast<std::int64_t>(size),
        method, true);
    if (sink.written != size) throw std::runtime_error("expanded size differs");
}

// Processor time (user and system) of this process and of its finished children:
// on a machine shared with other work it varies far less than the wall clock.
double CpuSeconds() {
    double total = 0;
    for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        total += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                 static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    return total;
}

// The best of a few runs, in processor seconds.
double BestSeconds(const std::function<void()>& work, int runs = 3) {
    double best = 1e100;
    for (int i = 0; i < runs; ++i) {
        const double start = CpuSeconds();
        work();
        best = std::min(best, CpuSeconds() - start);
    }
    return best;
}

void Shell(const std::string& command) {
    if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct Totals {
    double ours = 0;
    double theirs = 0;
    std::size_t packed = 0;
    std::size_t theirPacked = 0;
};

void PrintRow(const std::string& what, const std::string& file, double megabytes, double ours, double theirs,
              const std::string& extra = "") {
    std::printf("%-34s %-12s %8.1f MB/s %8.1f MB/s %6.2fx %s\n", what.c_str(), file.c_str(), megabytes / ours,
                megabytes / theirs, theirs / ours, extra.c_str());
}

int Compare(const std::string& work, const std::vector<std::string>& files) {
    std::filesystem::create_directories(work);
    std::printf("%-34s %-12s %13s %13s %7s\n", "measure", "file", "ours", "theirs", "ours/theirs");
    Totals lh5Expand, lzhExpand, lh5Pack, lzhPack;
    double totalMegabytes = 0;
    std::size_t totalSize = 0;
    for (const std::string& path : files) {
        const Bytes input = tavlin::test::ReadFileBytes(path);
        const std::string name = std::filesystem::path(path).filename().string();
        const double megabytes = static_cast<double>(input.size()) / 1e6;
        totalMegabytes += megabytes;
        totalSize += input.size();

        const std::string gz = work + "/" + name + ".gz";
        const double gzipSeconds = BestSeconds([&] { Shell("gzip -6 -c '" + path + "' > '" + gz + "'"); });
        const auto gzipSize = static_cast<std::size_t>(std::filesystem::file_size(gz));

        for (const std::string method : {"lh5", "lzh"}) {
            const std::uint8_t number = MethodNumber(method);
            Totals& pack = method == "lh5" ? lh5Pack : lzhPack;
            Totals& expand = method == "lh5" ? lh5Expand : lzhExpand;

            const std::string packedPath = work + "/" + name + "." + method;
            const double packSeconds = BestSeconds([&] { PackFile(path, packedPath, number); });
            const Bytes stream = tavlin::test::ReadFileBytes(packedPath);
            char ratios[96];
            std::snprintf(ratios, sizeof ratios, "size %.1f%% vs gzip %.1f%%",
                          100.0 * static_cast<double>(stream.size()) / static_cast<double>(input.size()),
                          100.0 * static_cast<double>(gzipSize) / static_cast<double>(input.size()));
            PrintRow(method + " compress vs gzip -6", name, megabytes, packSeconds, gzipSeconds, ratios);
            pack.ours += packSeconds;
            pack.theirs += gzipSeconds;
            pack.packed += stream.size();
            pack.theirPacked += gzipSize;

            const double expandSeconds = BestSeconds([&] { ExpandFile(packedPath, input.size(), number); });
            const std::string archive = work + "/" + name + "." + method + ".lzh";
            WriteFile(archive, tavlin::test::MakeLhaArchive(method == "lh5" ? "-lh5-" : "-lh1-", name, stream, input));
            // lhasa must give back the original before its time counts.
            Shell("lhasa pq '" + archive + "' | cmp -s - '" + path + "'");
            const double lhasaSeconds = BestSeconds([&] { Shell("lhasa pq '" + archive + "' > /dev/null"); });
            PrintRow(method + " expand vs lhasa pq", name, megabytes, expandSeconds, lhasaSeconds);
            expand.ours += expandSeconds;
            expand.theirs += lhasaSeconds;
        }
    }
    std::printf("\nall files (%.1f MB):\n", totalMegabytes);
    PrintRow("lh5 expand vs lhasa pq", "all", totalMegabytes, lh5Expand.ours, lh5Expand.theirs);
    PrintRow("lzh expand vs lhasa pq (-lh1-)", "all", totalMegabytes, lzhExpand.ours, lzhExpand.theirs);
    for (const auto& [method, totals] : {std::pair<std::string, Totals&>{"lh5", lh5Pack}, {"lzh", lzhPack}}) {
        char ratios[96];
        std::snprintf(ratios, sizeof ratios, "size %.1f%% vs gzip %.1f%%",
                      100.0 * static_cast<double>(totals.packed) / static_cast<double>(totalSize),
                      100.0 * static_cast<double>(totals.theirPacked) / static_cast<double>(totalSize));
        PrintRow(method + " compress vs gzip -6", "all", totalMegabytes, totals.ours, totals.theirs, ratios);
    }
    return 0;
}

// Expansion of each file's stream by us and by lhasa, timed in turns so that a
// change in the load of a shared machine weighs on both alike.
int CompareExpansion(const std::string& method, const std::string& work, const std::vector<std::string>& files) {
    std::filesystem::create_directories(work);
    const std::uint8_t number = MethodNumber(method);
    std::printf("%-34s %-12s %13s %13s %7s\n", "measure", "file", "ours", "lhasa", "ours/lhasa");
    double totalMegabytes = 0, totalOurs = 0, totalTheirs = 0;
    for (const std::string& path : files) {
        const Bytes input = tavlin::test::ReadFileBytes(path);
        const std::string name = std::filesystem::path(path).filename().string();
        const double megabytes = static_cast<double>(input.size()) / 1e6;
        const std::string packedPath = work + "/" + name + "." + method;
        PackFile(path, packedPath, number);
        const Bytes stream = tavlin::test::ReadFileBytes(packedPath);
        const std::string archive = work + "/" + name + "." + method + ".lzh";
        WriteFile(archive, tavlin::test::MakeLhaArchive(method == "lh5" ? "-lh5-" : "-lh1-", name, stream, input));
        Shell("lhasa pq '" + archive + "' | cmp -s - '" + path + "'");
        double ours = 1e100, theirs = 1e100;
        for (int run = 0; run < 5; ++run) {
            ours = std::min(ours, BestSeconds([&] { ExpandFile(packedPath, input.size(), number); }, 1));
            theirs = std::min(theirs, BestSeconds([&] { Shell("lhasa pq '" + archive + "' > /dev/null"); }, 1));
        }
        PrintRow(method + " expand vs lhasa pq", name, megabytes, ours, theirs);
        totalMegabytes += megabytes;
        totalOurs += ours;
        totalTheirs += theirs;
    }
    PrintRow(method + " expand vs lhasa pq", "all", totalMegabytes, totalOurs, totalTheirs);
    return 0;
}

// LH5 compression of each file by us and by gzip -6, timed in turns as the
// expansion is, best of 5 in processor time; the streams must be the ones the
// compare mode writes, so the sizes are printed beside.
int CompareCompression(const std::string& work, const std::vector<std::string>& files) {
    std::filesystem::create_directories(work);
    std::printf("%-34s %-12s %13s %13s %7s\n", "measure", "file", "ours", "gzip -6", "ours/gzip");
    double totalMegabytes = 0, totalOurs = 0, totalTheirs = 0;
    for (const std::string& path : files) {
        const Bytes input = tavlin::test::ReadFileBytes(path);
        const std::string name = std::filesystem::path(path).filename().string();
        const double megabytes = static_cast<double>(input.size()) / 1e6;
        const std::string gz = work + "/" + name + ".gz";
        const std::string lh5Path = work + "/" + name + ".lh5";
        std::size_t packedSize = 0;
        double ours = 1e100, theirs = 1e100;
        for (int run = 0; run < 5; ++run) {
            ours = std::min(ours, BestSeconds([&] { packedSize = PackFile(path, lh5Path, tavlin::coLZH5); }, 1));
            theirs = std::min(theirs, BestSeconds([&] { Shell("gzip -6 -c '" + path + "' > '" + gz + "'"); }, 1));
        }
        char sizes[96];
        std::snprintf(sizes, sizeof sizes, "size %.1f%% vs gzip %.1f%%",
                      100.0 * static_cast<double>(packedSize) / static_cast<double>(input.size()),
                      100.0 * static_cast<double>(std::filesystem::file_size(gz)) / static_cast<double>(input.size()));
        PrintRow("lh5 compress vs gzip -6", name, megabytes, ours, theirs, sizes);
        totalMegabytes += megabytes;
        totalOurs += ours;
        totalTheirs += theirs;
    }
    PrintRow("lh5 compress vs gzip -6", "all", totalMegabytes, totalOurs, totalTheirs);
    return 0;
}

int Pack(const std::string& method, const std::string& in, const std::string& out) {
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(in));
    const auto start = Clock::now();
    const std::size_t written = PackFile(in, out, MethodNumber(method));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("packed %lld bytes into %zu in %.2f s\n", static_cast<long long>(size), written, seconds);
    return 0;
}

int Unpack(const std::string& method, const std::string& in, std::int64_t size) {
    CFileStream source(in, "rb");
    NullStream sink;
    const auto start = Clock::now();
    tavlin::TCompThreadSafety state;
    std::int32_t checksum = 0;
    tavlin::RunCodec(state, 0, nullptr, sink, source, static_cast<std::int32_t>(std::filesystem::file_size(in)),
                     static_cast<std::int32_t>(size), MethodNumber(method), checksum, true, false);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    // The member checksum (the byte sum) tells a wrong expansion from a right one.
    std::printf("expanded %zu bytes in %.2f s (%.1f MB/s), checksum %08X\n", sink.written, seconds,
                static_cast<double>(sink.written) / 1e6 / seconds, static_cast<std::uint32_t>(checksum));
    return sink.written == static_cast<std::size_t>(size) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        if (args.size() >= 3 && args[0] == "compare") return Compare(args[1], {args.begin() + 2, args.end()});
        if (args.size() >= 4 && args[0] == "expand") {
            return CompareExpansion(args[1], args[2], {args.begin() + 3, args.end()});
        }
        if (args.size() >= 3 && args[0] == "compress") return CompareCompression(args[1], {args.begin() + 2, args.end()});
        if (args.size() == 4 && args[0] == "pack") return Pack(args[1], args[2], args[3]);
        if (args.size() == 4 && args[0] == "unpack") return Unpack(args[1], args[2], std::stoll(args[3]));
        std::fprintf(stderr,
                     "usage: codec_bench compare WORKDIR FILE... | expand lh5|lzh WORKDIR FILE... | "
                     "compress WORKDIR FILE... | "
                     "pack lh5|lzh IN OUT | unpack lh5|lzh IN SIZE\n");
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "codec_bench: %s\n", e.what());
        return 1;
    }
}
