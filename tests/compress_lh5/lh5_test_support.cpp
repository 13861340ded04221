// The LH5 codec tests' helpers.
#include "compress_lh5/lh5_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>

#include <gtest/gtest.h>

#include "common/lha_file.h"

namespace tavlin::test {

std::uint32_t ByteSum(const Bytes& data) { return std::accumulate(data.begin(), data.end(), std::uint32_t{0}); }

CodecResult CompressLh5(const Bytes& input, std::int32_t key) {
    TCompThreadSafety state;
    MemoryStream source(input);
    MemoryStream dest;
    CodecResult result;
    std::int32_t checksum = 0;
    result.returned = RunCodec(state, key, nullptr, dest, source, static_cast<std::int32_t>(input.size()), 0, coLZH5,
                               checksum, false, false);
    result.checksum = static_cast<std::uint32_t>(checksum);
    result.output = dest.bytes();
    result.sourcePosition = source.position();
    return result;
}

Bytes CompressLh5Unlimited(const Bytes& input) { return CompressLh5Limited(input, 0x7FFFFFFF); }

Bytes CompressLh5Limited(const Bytes& input, std::int32_t outLimit) {
    TCompThreadSafety state;
    MemoryStream source(input);
    MemoryStream dest;
    state.InStream = &source;
    state.OutStream = &dest;
    state.InBuffer = std::make_unique<std::uint8_t[]>(kCodecBufferSize);
    state.OutBuffer = std::make_unique<std::uint8_t[]>(kCodecBufferSize);
    state.InLeft = static_cast<std::int32_t>(input.size());
    state.OutLimit = outLimit;
    CompressLH5(state);
    dest.writeBuffer(state.OutBuffer.get(), static_cast<std::size_t>(state.OutPos));
    return dest.bytes();
}

CodecResult ExpandLh5(const Bytes& stream, std::int32_t destSize, std::int32_t key, bool descramble,
                      std::size_t maxRead, std::int32_t sourceSize) {
    TCompThreadSafety state;
    ShortReadStream source(stream, maxRead);
    MemoryStream dest;
    CodecResult result;
    std::int32_t checksum = 0;
    if (sourceSize < 0) sourceSize = static_cast<std::int32_t>(stream.size());
    result.returned =
        RunCodec(state, key, nullptr, dest, source, sourceSize, destSize, coLZH5, checksum, true, descramble);
    result.inputShort = state.InputShort;
    result.checksum = static_cast<std::uint32_t>(checksum);
    result.output = dest.bytes();
    result.sourcePosition = source.position();
    return result;
}

Bytes RandomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 generator(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(generator() >> 24);
    return bytes;
}

Bytes SampleText(std::size_t size) {
    // Words drawn with a skewed choice, so the text compresses like prose.
    static const char* const kWords[] = {
        "the",    "installer", "copies", "files",   "into",     "folder", "and",      "writes",   "a",
        "log",    "of",        "every",  "change",  "setup",    "window", "shows",    "progress", "while",
        "it",     "expands",   "archive", "members", "registry", "key",   "shortcut", "desktop",  "program",
        "Windows", "licence",  "accept", "decline", "finish",   "restart", "uninstall", "entry",   "value"};
    std::mt19937 generator(7);
    std::string text;
    while (text.size() < size) {
        const auto pick = generator() % 1000;
        text += kWords[(pick * pick / 1000) % std::size(kWords)];
        text += (generator() % 11 == 0) ? ".\r\n" : " ";
    }
    text.resize(size);
    return Bytes(text.begin(), text.end());
}

Bytes Repeated(const Bytes& unit, std::size_t times) {
    Bytes bytes;
    for (std::size_t i = 0; i < times; ++i) bytes.insert(bytes.end(), unit.begin(), unit.end());
    return bytes;
}

StreamBits& StreamBits::Put(int n, std::uint32_t value) {
    for (int i = n - 1; i >= 0; --i) {
        if (used_ == 0) bytes_.push_back(0);
        if ((value >> i) & 1) bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | (0x80 >> used_));
        used_ = (used_ + 1) % 8;
    }
    return *this;
}

Bytes StreamBits::Finish() {
    used_ = 0;
    return bytes_;
}

std::string FixturePath(const std::string& name) { return std::string(TAVLIN_SOURCE_DIR) + "/tests/fixtures/lzh/" + name; }

bool LhasaAvailable() { return std::system("command -v lhasa >/dev/null 2>&1") == 0; }

std::string LhasaDecodes(const std::string& method, const Bytes& raw, const Bytes& original) {
    // One folder per test, so that test programs running side by side never meet.
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string folderName = std::string(test->test_suite_name()) + "." + test->name();
    for (auto& ch : folderName) {
        if (ch == '/') ch = '_';
    }
    const auto folder = std::filesystem::path(TAVLIN_BINARY_DIR) / "lh5-lhasa" / folderName;
    std::filesystem::create_directories(folder);
    const auto archivePath = folder / "member.lzh";
    const auto originalPath = folder / "original.bin";
    const Bytes archive = MakeLhaArchive(method, "member.bin", raw, original);
    std::ofstream(archivePath, std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    std::ofstream(originalPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(original.data()), static_cast<std::streamsize>(original.size()));
    // lhasa's own test command exits 0 even on garbage, so compare its output.
    const std::string command = "lhasa pq '" + archivePath.string() + "' 2>/dev/null | cmp -s - '" +
                                originalPath.string() + "'";
    const int status = std::system(command.c_str());
    std::filesystem::remove_all(folder);
    return status == 0 ? std::string() : "lhasa's output differs from the original";
}

}  // namespace tavlin::test
