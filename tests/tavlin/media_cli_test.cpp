// tavlin media, seg-list and seg-extract as a user runs them: media built from
// a product of a few hundred files comes back identical through seg-extract at
// any segment size, finstall.cfg names every file where the setup will find it,
// the same input gives the same media, and missing, wrong or damaged segments
// end with the prompt's words. The example product's install.cfg names only
// files the media holds.
#include <algorithm>
#include <set>
#include <sstream>

#include "tool_fixture.h"

namespace tavlin::test {
namespace {

// Bytes that do not compress, so that small sets still need several segments.
Bytes Noise(std::size_t n, std::uint32_t seed) {
    Bytes bytes(n);
    for (auto& byte : bytes) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(seed >> 24);
    }
    return bytes;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// What follows the last TAB or comma of a finstall.cfg line.
std::string SourceOf(const std::string& line) {
    const auto cut = line.find_last_of("\t,");
    return cut == std::string::npos ? line : line.substr(cut + 1);
}

// A builder path C:\Acme\a\b.txt as a path below a host folder.
fs::path HostPathOf(const fs::path& root, std::string builderPath) {
    builderPath.erase(0, 3);
    std::replace(builderPath.begin(), builderPath.end(), '\\', '/');
    return root / builderPath;
}

class MediaTool : public TavlinTool {
protected:
    // A product of 300 files in nested folders, among them empty and
    // incompressible files, a name with a blank and folders named like the
    // setup's folder keywords.
    void MakeProduct() {
        const char* folders[] = {"", "bin", "docs", "docs/guide", "docs/guide/deep", "System", "Fonts", "data files"};
        for (int i = 0; i < 300; ++i) {
            const std::string folder = folders[i % 8];
            const fs::path path = dir_ / "Prod" / folder / ("file" + std::to_string(i) + (i % 3 ? ".txt" : ".bin"));
            if (i % 50 == 0) {
                WriteBytes(path, {});
            } else if (i % 3 == 0) {
                WriteBytes(path, Noise(static_cast<std::size_t>(100 + i * 37), static_cast<std::uint32_t>(i)));
            } else {
                WriteBytes(path, TextBytes(static_cast<std::size_t>(i * 11), static_cast<std::uint32_t>(i)));
            }
        }
        WriteBytes(dir_ / "Prod" / "read me.txt", BytesOf("hello"));
        WriteBytes(dir_ / "install.cfg", BytesOf("[Setup Screen]\r\nText Line 1=Prod\r\n"));
    }
};

TEST_F(MediaTool, ProductComesBackIdenticalAtEverySegmentSize) {
    MakeProduct();
    for (const char* size : {"16384", "100000", "1440000"}) {
        SCOPED_TRACE(size);
        fs::remove_all(dir_ / "media");
        fs::remove_all(dir_ / "out");
        const auto media = Run(std::string("media --product Prod --config install.cfg --out media --segment-size ") + size);
        ASSERT_EQ(media.exitCode, 0) << media.err;
        const auto extract = Run("seg-extract media out");
        ASSERT_EQ(extract.exitCode, 0) << extract.err;
        EXPECT_EQ(Tree(dir_ / "out" / "Prod"), Tree(dir_ / "Prod"));

        // Every segment but the last has the size asked for.
        std::vector<std::size_t> sizes;
        for (const auto& [name, bytes] : Tree(dir_ / "media")) {
            if (name.rfind("disk.", 0) == 0) sizes.push_back(bytes.size());
        }
        ASSERT_FALSE(sizes.empty());
        for (std::size_t i = 0; i + 1 < sizes.size(); ++i) EXPECT_EQ(sizes[i], std::stoul(size));
        if (std::string(size) == "16384") {
            EXPECT_GT(sizes.size(), 3u);
        }
        EXPECT_EQ(ReadBytes(dir_ / "media" / "install.cfg"), ReadBytes(dir_ / "install.cfg"));
    }
}

TEST_F(MediaTool, FileListSendsEveryFileFromWhereTheSetupExpandsIt) {
    MakeProduct();
    WriteBytes(dir_ / "files.lst", BytesOf("System\tC:\\Prod\\bin\\file1.txt\r\n"
                                           "Windows,\"sub,dir\",C:\\Prod\\docs\\file2.txt\r\n"
                                           "Installation Directory\tdata files\\\tC:\\Prod\\data files\\\r\n"));
    const auto media = Run("media --product Prod --config install.cfg --out media --files files.lst");
    ASSERT_EQ(media.exitCode, 0) << media.err;
    ASSERT_EQ(Run("seg-extract media out").exitCode, 0);

    const auto lines = Lines(ReadText(dir_ / "media" / "finstall.cfg"));
    std::set<std::string> sources;
    for (const auto& line : lines) {
        const std::string source = SourceOf(line);
        sources.insert(source);
        // The setup expands C:\Prod\x to its expansion folder + Prod\x.
        if (source.back() != '\\') {
            EXPECT_TRUE(fs::is_regular_file(HostPathOf(dir_ / "out", source))) << line;
        }
    }
    EXPECT_EQ(sources.size(), lines.size());  // each file once
    EXPECT_EQ(lines.size(), Tree(dir_ / "Prod").size() + 1);  // and the folder line
    // The list's lines come last, as given; the files they name get no default line.
    EXPECT_EQ(lines[lines.size() - 3], "System\tC:\\Prod\\bin\\file1.txt");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find("file1.txt") != std::string::npos; }),
              1);
    // Default lines: a folder named like a keyword stays a folder (it ends with "\").
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Installation Directory\tSystem\\\tC:\\Prod\\System\\file5.txt"),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Installation Directory\tC:\\Prod\\read me.txt"), lines.end());
}

TEST_F(MediaTool, WorkersWriteTheSameBytesAsOneWorker) {
    MakeProduct();
    // Every method, and locked archives of both levels: each writes with one
    // worker and with four, and the outputs must not differ by a byte. The
    // product has empty members and members that do not shrink and are stored.
    const struct {
        const char* command;  // OUT stands for the output
        const char* output;
    } cases[] = {
        {"media --product Prod --config install.cfg --segment-size 20000 --out OUT", "media"},
        {"media --product Prod --config install.cfg -m lzh --out OUT", "media"},
        {"media --product Prod --config install.cfg -m rle --out OUT", "media"},
        {"pack -m lh5 -k 4660 -l 2 OUT Prod", "archive"},
        {"pack -m lzh -k 4660 -l 1 OUT Prod", "archive"},
        {"pack -m none OUT Prod", "archive"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        std::map<std::string, Bytes> outputs[2];
        for (int i = 0; i < 2; ++i) {
            const std::string jobs = i == 0 ? "-j 1 " : "-j 4 ";
            std::string command = c.command;
            const std::string out = std::string(c.output) + std::to_string(i);
            command.replace(command.find("OUT"), 3, out);
            command.insert(command.find(' ') + 1, jobs);
            const auto run = Run(command);
            ASSERT_EQ(run.exitCode, 0) << run.err;
            if (fs::is_directory(dir_ / out)) {
                outputs[i] = Tree(dir_ / out);
            } else {
                outputs[i][c.output] = ReadBytes(dir_ / out);
            }
        }
        ASSERT_FALSE(outputs[0].empty());
        // Compared file by file, so that a failure names the file and not its bytes.
        EXPECT_EQ(outputs[0].size(), outputs[1].size());
        for (const auto& [name, bytes] : outputs[0]) {
            const auto other = outputs[1].find(name);
            ASSERT_NE(other, outputs[1].end()) << name;
            EXPECT_TRUE(bytes == other->second) << name << ": " << bytes.size() << " against " << other->second.size();
        }
    }
}

TEST_F(MediaTool, SameInputGivesTheSameMedia) {
    MakeProduct();
    WriteBytes(dir_ / "setup.exe", BytesOf("MZ setup"));
    ASSERT_EQ(Run("media --product Prod --config install.cfg --out one --segment-size 20000 --setup setup.exe").exitCode, 0);
    ASSERT_EQ(Run("media --product Prod --config install.cfg --out two --segment-size 20000 --setup setup.exe").exitCode, 0);
    const auto one = Tree(dir_ / "one");
    EXPECT_EQ(one, Tree(dir_ / "two"));
    EXPECT_EQ(one.at("setup.exe"), BytesOf("MZ setup"));
    // Building again into the same folder with larger segments leaves no stale segment.
    ASSERT_EQ(Run("media --product Prod --config install.cfg --out two").exitCode, 0);
    EXPECT_FALSE(fs::exists(dir_ / "two" / "disk.002"));
}

TEST_F(MediaTool, SegListShowsTemplatesAndIndentedNames) {
    WriteBytes(dir_ / "P" / "b.txt", BytesOf("b"));
    WriteBytes(dir_ / "P" / "a.txt", BytesOf("a"));
    WriteBytes(dir_ / "P" / "sub" / "caf\xC3\xA9.txt", BytesOf("c"));
    WriteBytes(dir_ / "P" / "empty" / "deeper" / "z.txt", BytesOf("z"));
    WriteBytes(dir_ / "install.cfg", BytesOf(""));
    ASSERT_EQ(Run("media --product P --config install.cfg --out m -m lzh").exitCode, 0);
    const auto list = Run("seg-list m");
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out,
              "C:\\P\\*.*\n  a.txt\n  b.txt\n"
              "C:\\P\\empty\\deeper\\*.*\n  z.txt\n"
              "C:\\P\\sub\\*.*\n  caf\xC3\xA9.txt\n");
}

TEST_F(MediaTool, UsageAndProductErrors) {
    MakeProduct();
    WriteBytes(dir_ / "Comma" / "a,b.txt", BytesOf("x"));
    WriteBytes(dir_ / "Case" / "a.txt", BytesOf("x"));
    WriteBytes(dir_ / "Case" / "A.TXT", BytesOf("y"));
    WriteBytes(dir_ / "bad.lst", BytesOf("System\tC:\\Prod\\nothing.txt\r\n"));
    struct Case {
        const char* arguments;
        int exitCode;
        const char* message;  // expected part of stderr
    };
    const Case cases[] = {
        {"media --config install.cfg --out m", 2, "--product"},
        {"media --product Prod --config install.cfg --out m --segment-size 16383", 2, "segment-size"},
        {"media --product Prod --config install.cfg --out m -m zip", 2, "zip"},
        {"media --product Prod --config install.cfg --out Prod/media", 2, "inside the product"},
        {"media --product None --config install.cfg --out m", 1, "None: no such folder"},
        {"media --product Prod --config none.cfg --out m", 1, "none.cfg: no such file"},
        {"media --product Comma --config install.cfg --out m", 1, "a,b.txt: a name with a comma"},
        {"media --product Case --config install.cfg --out m", 1, "differs only in letter case"},
        {"media --product Prod --config install.cfg --out m --files bad.lst", 1,
         "bad.lst line 1: C:\\Prod\\nothing.txt is not in the product"},
        {"seg-list nowhere", 1, "nowhere: no such folder"},
        {"seg-extract Prod out", 1, "Unable to locate \"disk.001\" on this segment!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const auto run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.err.rfind("tavlin: ", 0), 0u) << run.err;
    }
    EXPECT_FALSE(fs::exists(dir_ / "m" / "disk.001"));
}

TEST_F(MediaTool, MissingWrongAndDamagedSegmentsEndWithTheirMessage) {
    MakeProduct();
    struct Case {
        const char* name;
        std::function<void(const fs::path& media)> damage;
        const char* message;
        bool listing = false;  // seg-list reads only the scan section, which lies in disk.001 here
    };
    const Case cases[] = {
        {"first missing", [](const fs::path& m) { fs::remove(m / "disk.001"); },
         "tavlin: Unable to locate \"disk.001\" on this segment!\n", true},
        {"missing", [](const fs::path& m) { fs::remove(m / "disk.002"); },
         "tavlin: Unable to locate \"disk.002\" on this segment!\n"},
        {"swapped",
         [](const fs::path& m) {
             fs::rename(m / "disk.002", m / "two");
             fs::rename(m / "disk.003", m / "disk.002");
             fs::rename(m / "two", m / "disk.003");
         },
         "tavlin: disk.002: Incorrect segmented mounted!\n"},
        {"truncated",
         [](const fs::path& m) {
             fs::path last;
             for (const auto& entry : fs::directory_iterator(m)) {
                 if (entry.path().filename().string().rfind("disk.", 0) == 0 && entry.path() > last) last = entry.path();
             }
             fs::resize_file(last, fs::file_size(last) - 1);
         },
         "tavlin: Unable to locate \"disk.0"},
        {"not a segment", [](const fs::path& m) { WriteBytes(m / "disk.003", BytesOf("garbage")); },
         "tavlin: (DEdaZedozave) Stream open failed\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir_ / "media");
        ASSERT_EQ(Run("media --product Prod --config install.cfg --out media --segment-size 16384").exitCode, 0);
        c.damage(dir_ / "media");
        for (const std::string command : {"seg-extract media out", "seg-list media"}) {
            if (command == "seg-list media" && !c.listing) continue;
            const auto run = Run(command);
            EXPECT_EQ(run.exitCode, 1) << command;
            EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << command << ": " << run.err;
        }
    }
}

TEST_F(MediaTool, ExampleProductsConfigurationNamesFilesOfItsMedia) {
    const fs::path example = fs::path(TAVLIN_SOURCE_DIR) / "examples" / "acme";
    const auto media = Run("media --product '" + (example / "Acme").string() + "' --config '" +
                           (example / "install.cfg").string() + "' --files '" + (example / "files.lst").string() +
                           "' --out media");
    ASSERT_EQ(media.exitCode, 0) << media.err;
    ASSERT_EQ(Run("seg-extract media out").exitCode, 0);
    EXPECT_EQ(Tree(dir_ / "out" / "Acme"), Tree(example / "Acme"));
    const auto finstall = Lines(ReadText(dir_ / "media" / "finstall.cfg"));
    EXPECT_EQ(finstall.back(), "System\tC:\\Acme\\system\\acme.dll");

    // Every builder path of install.cfg names an expanded file: the logo, the
    // background, the launch applications and the desktop items' sources.
    std::string section;
    std::vector<std::string> named;
    for (const auto& line : Lines(ReadText(example / "install.cfg"))) {
        if (!line.empty() && line.front() == '[') {
            section = line;
            continue;
        }
        EXPECT_TRUE(section == "[INI\\Registry]" || section == "[Setup Screen]" || line.find('=') == std::string::npos)
            << "an entry-list line holds \"=\": " << line;
        if (line.rfind("Logo File=", 0) == 0 || line.rfind("BitMap=", 0) == 0) named.push_back(line.substr(line.find('=') + 1));
        if (section == "[Launch Applications]" && !line.empty()) named.push_back(line);
        if (section == "[Desktop]" && !line.empty()) {
            std::string rest = line;
            for (int field = 0; field < 5; ++field) rest.erase(0, rest.find(',') + 1);
            named.push_back(rest.substr(0, rest.find(',')));
        }
    }
    EXPECT_EQ(named.size(), 6u);
    for (const auto& path : named) EXPECT_TRUE(fs::is_regular_file(HostPathOf(dir_ / "out", path))) << path;
}

}  // namespace
}  // namespace tavlin::test
