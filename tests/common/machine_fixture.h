// A fresh machine folder for each test, removed afterwards, with small helpers
// to read and write files both through the machine and directly on the host.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "platform/hosted/hosted_machine.h"

namespace tavlin::test {

namespace fs = std::filesystem;

inline fs::path uniqueTemporaryFolder(const std::string& stem) {
    std::random_device random;
    for (;;) {
        const fs::path folder = fs::temp_directory_path() / (stem + "-" + std::to_string(random()));
        if (fs::create_directory(folder)) return folder;
    }
}

inline std::string readHostFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writeHostFile(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

inline std::string readMachineFile(FileSystem& files, const std::string& path) {
    auto stream = files.openRead(path);
    std::string bytes(static_cast<std::size_t>(stream->size()), '\0');
    stream->readBuffer(bytes.data(), bytes.size());
    return bytes;
}

// The file's bytes, or nothing when it cannot be read.
inline std::optional<std::string> tryReadMachineFile(FileSystem& files, const std::string& path) {
    try {
        return readMachineFile(files, path);
    } catch (const EStreamError&) {
        return std::nullopt;
    }
}

inline void writeMachineFile(FileSystem& files, const std::string& path, const std::string& bytes) {
    auto stream = files.create(path);
    stream->writeBuffer(bytes.data(), bytes.size());
}

class MachineTest : public ::testing::Test {
protected:
    void SetUp() override { folder_ = uniqueTemporaryFolder("tavlin-hosted"); }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::unique_ptr<hosted::HostedMachine> openMachine() { return hosted::HostedMachine::open(folder_ / "machine"); }
    fs::path driveC() const { return folder_ / "machine" / "drives" / "c"; }

    fs::path folder_;
};

}  // namespace tavlin::test
