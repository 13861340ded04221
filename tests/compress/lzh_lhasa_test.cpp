// The coLZH streams are LHA's -lh1- method: an independent LHA tool must decode
// what CompressLZH writes to the original bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "common/lha_file.h"
#include "compress/codec_harness.h"

namespace tavlin::test {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class LhasaInterop : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v lhasa >/dev/null 2>&1") != 0) GTEST_SKIP() << "lhasa is not installed";
        folder_ = fs::temp_directory_path() / ("tavlin-lhasa-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                              "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path folder_;
};

TEST_F(LhasaInterop, DecodesEveryCompressedSample) {
    for (const auto& sample : SampleInputs()) {
        SCOPED_TRACE(sample.name);
        const Bytes raw = CompressUnlimited(coLZH, sample.bytes);
        const fs::path archive = folder_ / (sample.name + ".lzh");
        const fs::path original = folder_ / (sample.name + ".orig");
        WriteFile(archive, MakeLhaArchive("-lh1-", sample.name, raw, sample.bytes));
        WriteFile(original, sample.bytes);
        // "lhasa t" passes garbage, so compare the decoded bytes themselves.
        const std::string command =
            "lhasa pq '" + archive.string() + "' 2>/dev/null | cmp -s - '" + original.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
    }
}

}  // namespace
}  // namespace tavlin::test
