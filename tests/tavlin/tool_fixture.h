// The tavlin tool run as a program in a fresh folder of its own: its exit code,
// what it printed, and helpers for the host files it reads and writes.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "compress/codec_harness.h"

namespace tavlin::test {

namespace fs = std::filesystem;

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline void WriteBytes(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::string ReadText(const fs::path& path) {
    const Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

class TavlinTool : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tavlin-cli-" + std::to_string(::getpid()) + "-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    // Runs tavlin with the arguments (shell words) in the test folder.
    ToolRun Run(const std::string& arguments) {
        const std::string command = "cd '" + dir_.string() + "' && '" TAVLIN_TOOL "' " + arguments +
                                    " > tool.out 2> tool.err";
        const int status = std::system(command.c_str());
        ToolRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadText(dir_ / "tool.out");
        run.err = ReadText(dir_ / "tool.err");
        return run;
    }

    // The regular files below a folder, by relative path.
    std::map<std::string, Bytes> Tree(const fs::path& root) {
        std::map<std::string, Bytes> files;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = ReadBytes(entry.path());
        }
        return files;
    }

    fs::path dir_;
};

}  // namespace tavlin::test
