// The tavlin tool as a user runs it: pack, list, extract and test on host
// files, their exit codes and messages, and the refusal of member names that
// would land outside the target folder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "compress/archive_builder.h"
#include "tool_fixture.h"

namespace tavlin::test {
namespace {

struct PackCase {
    const char* method;
    const char* keyOptions;
    const char* extractKey;
};

class TavlinRoundTrip : public TavlinTool, public ::testing::WithParamInterface<PackCase> {};

TEST_P(TavlinRoundTrip, SamplesComeBackUnchanged) {
    const auto& param = GetParam();
    for (const auto& sample : SampleInputs()) WriteBytes(dir_ / "src" / "samples" / (sample.name + ".bin"), sample.bytes);
    WriteBytes(dir_ / "src" / "top.txt", TextBytes(500));

    const auto pack = Run(std::string("pack -m ") + param.method + " " + param.keyOptions + " -C src a.tva samples top.txt");
    ASSERT_EQ(pack.exitCode, 0) << pack.err;
    const auto test = Run(std::string("test ") + param.extractKey + " a.tva");
    EXPECT_EQ(test.exitCode, 0) << test.err;
    const auto extract = Run(std::string("extract ") + param.extractKey + " -d out a.tva");
    ASSERT_EQ(extract.exitCode, 0) << extract.err;
    EXPECT_EQ(Tree(dir_ / "out"), Tree(dir_ / "src"));
}

INSTANTIATE_TEST_SUITE_P(Methods, TavlinRoundTrip,
                         ::testing::Values(PackCase{"none", "", ""}, PackCase{"rle", "", ""}, PackCase{"lzh", "", ""},
                                           PackCase{"lh5", "", ""}, PackCase{"none", "-k 77", "-k 77"},
                                           PackCase{"rle", "-k -5 -l 1", "-k -5"},
                                           PackCase{"lzh", "-k 0xDEADBEEF", "-k -559038737"},
                                           PackCase{"lh5", "-k 123456 -l 2", "-k 123456"}));

TEST_F(TavlinTool, ListShowsOneLinePerMember) {
    RawMember locked = StoredMember("SUB\\LOCKED.BIN", BytesOf("xyz"));
    locked.header.Lock = 2;
    locked.header.Method = 2;
    locked.header.CompressedSize = 3;
    locked.header.StoredChecksum = -2;
    locked.header.DosDateTime = 0x2C214A3C;
    WriteBytes(dir_ / "a.tva", BuildArchive({StoredMember("A.TXT", BytesOf("hello")), locked,
                                             StoredMember("caf\xE9.txt", {})}));
    const auto run = Run("list a.tva");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "NON 5 5 00000214 2000-01-01 00:00:00 - A.TXT\n"
              "LZH 3 3 FFFFFFFE 2002-01-01 09:17:56 L SUB\\LOCKED.BIN\n"
              "NON 0 0 00000000 2000-01-01 00:00:00 - caf\xC3\xA9.txt\n");
}

TEST_F(TavlinTool, PackWalksFoldersInNameOrderAndStoresBackslashes) {
    WriteBytes(dir_ / "src" / "b" / "z.txt", BytesOf("z"));
    WriteBytes(dir_ / "src" / "b" / "a.txt", BytesOf("a"));
    WriteBytes(dir_ / "src" / "a.txt", BytesOf("top"));
    WriteBytes(dir_ / "src" / "caf\xC3\xA9.txt", BytesOf("accent"));
    ASSERT_EQ(Run("pack -m lzh -C src a.tva . b/a.txt").exitCode, 0);
    const auto run = Run("list a.tva");
    std::vector<std::string> names;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) names.push_back(line.substr(line.rfind(' ') + 1));
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "b\\a.txt", "b\\z.txt", "caf\xC3\xA9.txt"}));
    ASSERT_EQ(Run("extract -d out a.tva caf\xC3\xA9.txt").exitCode, 0);
    EXPECT_EQ(ReadBytes(dir_ / "out" / "caf\xC3\xA9.txt"), BytesOf("accent"));
    EXPECT_FALSE(fs::exists(dir_ / "out" / "a.txt"));
}

TEST_F(TavlinTool, ExitCodesAndMessages) {
    WriteBytes(dir_ / "src" / "a.txt", BytesOf("a"));
    RawMember damaged = StoredMember("A.TXT", BytesOf("damaged"));
    damaged.header.StoredChecksum = 1;
    WriteBytes(dir_ / "bad.tva", BuildArchive({damaged}));
    RawMember locked = StoredMember("L.TXT", BytesOf("locked"));
    locked.header.Lock = 1;
    WriteBytes(dir_ / "locked.tva", BuildArchive({locked}));
    WriteBytes(dir_ / "junk.tva", BytesOf("this is no archive at all, not even close"));
    WriteBytes(dir_ / "short.tva", BytesOf("ZIVI"));
    WriteBytes(dir_ / "empty.tva", BuildArchive({}));

    struct Case {
        const char* arguments;
        int exitCode;
        const char* message;  // expected start of stderr
    };
    const Case cases[] = {
        {"", 2, "tavlin: "},
        {"frobnicate a.tva", 2, "tavlin: "},
        {"pack -m zip a.tva src", 2, "tavlin: "},
        {"pack -l 1 a.tva src", 2, "tavlin: "},
        {"pack -k twelve a.tva src", 2, "tavlin: invalid key twelve"},
        {"pack -k 4294967296 a.tva src", 2, "tavlin: invalid key"},
        {"pack a.tva ../outside", 2, "tavlin: ../outside: names must lie inside"},
        {"pack a.tva src/none.txt", 1, "tavlin: src/none.txt: no such file or folder"},
        {"list missing.tva", 1, "tavlin: "},
        {"list junk.tva", 1, "tavlin: Can't recognize compressed file header\n"},
        {"test short.tva", 1, "tavlin: Can't recognize compressed file header\n"},
        {"extract -d out short.tva", 1, "tavlin: Can't recognize compressed file header\n"},
        {"list empty.tva", 0, ""},
        {"test empty.tva", 0, ""},
        {"test bad.tva", 1, "tavlin: A.TXT: Bad checksum during expansion -- data may be invalid\n"},
        {"test locked.tva", 1, "tavlin: L.TXT: File locked -- valid key required\n"},
        {"extract -d out bad.tva NOPE.TXT", 1, "tavlin: NOPE.TXT: not in the archive\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const auto run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
    }
    EXPECT_FALSE(fs::exists(dir_ / "a.tva"));
    EXPECT_FALSE(fs::exists(dir_ / "out" / "NOPE.TXT"));
}

TEST_F(TavlinTool, ExtractRefusesNamesOutsideTheFolder) {
    for (const char* name : {"..\\ESCAPE.TXT", "SUB\\..\\..\\ESCAPE.TXT", "C:ESCAPE.TXT"}) {
        SCOPED_TRACE(name);
        WriteBytes(dir_ / "a.tva", BuildArchive({StoredMember("FIRST.TXT", BytesOf("1")), StoredMember(name, BytesOf("x"))}));
        const auto run = Run("extract -d out a.tva");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("would leave the target folder"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(dir_ / "out"));
        EXPECT_FALSE(fs::exists(dir_ / "ESCAPE.TXT"));
    }
}

TEST_F(TavlinTool, RootedNamesNeedAbsoluteNames) {
    // A name from the drive root that points into the test folder (Z:\ is the host root).
    std::string rooted = (dir_ / "abs.txt").string();
    std::replace(rooted.begin(), rooted.end(), '/', '\\');
    WriteBytes(dir_ / "a.tva", BuildArchive({StoredMember("REL.TXT", BytesOf("r")), StoredMember(rooted, BytesOf("abs"))}));

    const auto refused = Run("extract -d out a.tva");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("--absolute-names"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(dir_ / "out"));
    EXPECT_FALSE(fs::exists(dir_ / "abs.txt"));

    const auto allowed = Run("extract --absolute-names -d out a.tva");
    ASSERT_EQ(allowed.exitCode, 0) << allowed.err;
    EXPECT_EQ(ReadBytes(dir_ / "abs.txt"), BytesOf("abs"));
    EXPECT_EQ(ReadBytes(dir_ / "out" / "REL.TXT"), BytesOf("r"));
}

}  // namespace
}  // namespace tavlin::test
