// Hostile and damaged media, one table of cases, each run through the real
// programs: `tavlin seg-extract` on the segment set, `tavlin extract`, `test`
// and `list` on its archive, and `tavlin-setup` installing it on a hosted
// machine. Every case says what each program must answer, and afterwards
// nothing may exist outside the folder it expands into: the machine is as it
// was, and the host folders around the output folders are untouched.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "compress/archive_builder.h"
#include "e2e/e2e_support.h"
#include "segment/segment_format.h"

namespace tavlin::e2e {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::BytesOf;
using test::RawMember;
using test::StoredMember;

const char* const kExpandError = "Error Expanding Files!!";
const char* const kLeavesFolder = "would leave";
const char* const kUnsafeName = "Unsafe member name";
const char* const kCannotCreate = "Cannot create";

// What a program must answer: its exit code (kNotRun: the case is not about
// this program) and a text its output must hold.
struct Outcome {
    int exitCode;
    const char* text;
};
constexpr int kNotRun = -1;
constexpr Outcome kSkip{kNotRun, ""};
constexpr Outcome kOk{0, ""};

// A product of two files, as a segment set of one archive with its file list
// and configuration; the cases change any part of it.
struct Media {
    std::string templateText = "C:\\Acme\\*.*";
    std::vector<RawMember> members = {StoredMember("readme.txt", BytesOf("Read me first.")),
                                      StoredMember("app.exe", BytesOf("MZ acme"))};
    std::vector<std::string> listed;  // names in the list file; empty: the members' names
    std::function<void(Bytes&)> damageArchive;
    std::string finstall = "Installation Directory,C:\\Acme\\readme.txt\r\nInstallation Directory,C:\\Acme\\app.exe\r\n";
    std::string installCfg = "[Setup Screen]\r\nText Line 1=Acme Tools\r\nMain Directory=Acme\r\n";

    Bytes Archive() const {
        Bytes archive = test::BuildArchive(members);
        if (damageArchive) damageArchive(archive);
        return archive;
    }
};

struct HostileCase {
    const char* name;
    std::function<void(Media&)> damage;
    Outcome setup;
    Outcome segExtract;
    Outcome extract;  // `tavlin extract`; `tavlin test` must give the same exit code
    int listExit;     // `tavlin list` (kNotRun: not asked)
};

// A member of the given name in place of readme.txt.
std::function<void(Media&)> MemberNamed(std::string name) {
    return [name](Media& m) { m.members[0] = StoredMember(name, BytesOf("hostile")); };
}

// The bits of a one-block LH5 stream whose codes are all one symbol long and
// take no bits: four times 'z' from 7 bytes. A decoder that goes on after the
// stream's end reads zeros as more such blocks, without end.
Bytes FourZsInLh5() {
    Bytes out;
    std::uint64_t bits = 0;
    int count = 0;
    const auto put = [&](int n, std::uint32_t value) {
        for (int i = n - 1; i >= 0; --i) {
            bits = (bits << 1) | ((value >> i) & 1);
            if (++count == 8) {
                out.push_back(static_cast<std::uint8_t>(bits));
                bits = 0;
                count = 0;
            }
        }
    };
    put(16, 4);                // symbols in the block
    put(5, 0), put(5, 0);      // code-length code: one symbol, 0
    put(9, 0), put(9, 'z');    // character code: one symbol, 'z'
    put(4, 0), put(4, 0);      // distance code: one symbol, 0
    if (count > 0) out.push_back(static_cast<std::uint8_t>(bits << (8 - count)));
    return out;
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Where the second member's header starts in the intact archive.
constexpr std::size_t kSecondMember = 21 + 25 + 10 + 14;

std::vector<HostileCase> Cases() {
    std::vector<HostileCase> cases = {
        {"intact", [](Media&) {}, kOk, kOk, kOk, 0},
        // A folder entry copies nothing, so its folder need not be expanded.
        {"folder entry of an empty folder",
         [](Media& m) { m.finstall += "Installation Directory\tData\tC:\\Acme\\Data\\\r\n"; }, kOk, kSkip, kSkip,
         kNotRun},
        // Folder templates.
        {"template climbs with /", [](Media& m) { m.templateText = "C:\\Acme/../../../../../WINDOWS\\*.*"; },
         {1, kExpandError}, {1, kLeavesFolder}, kSkip, kNotRun},
        {"template climbs with ...", [](Media& m) { m.templateText = "C:\\Acme\\...\\WINDOWS\\*.*"; },
         {1, kExpandError}, {1, kLeavesFolder}, kSkip, kNotRun},
        {"template is a network path", [](Media& m) { m.templateText = "\\\\server\\share\\*.*"; },
         {1, kExpandError}, {1, kLeavesFolder}, kSkip, kNotRun},
        {"template names a stream", [](Media& m) { m.templateText = "C:\\Acme:hidden\\*.*"; },
         {1, kExpandError}, {1, kLeavesFolder}, kSkip, kNotRun},
        // Member names.
        {"member climbs with ..", MemberNamed("..\\..\\WINDOWS\\WIN.INI"), {1, kExpandError}, {1, kUnsafeName},
         {1, kLeavesFolder}, 0},
        {"member climbs with /..", MemberNamed("docs/../../WIN.INI"), {1, kExpandError}, {1, kUnsafeName},
         {1, kLeavesFolder}, 0},
        {"member climbs with ...", MemberNamed("...\\WIN.INI"), {1, kExpandError}, {1, kUnsafeName},
         {1, kLeavesFolder}, 0},
        {"member climbs with . .", MemberNamed(". .\\WIN.INI"), {1, kExpandError}, {1, kUnsafeName},
         {1, kLeavesFolder}, 0},
        {"member has a drive", MemberNamed("C:\\WINDOWS\\WIN.INI"), {1, kExpandError}, {1, kUnsafeName},
         {1, kLeavesFolder}, 0},
        {"member is a network path", MemberNamed("\\\\server\\share\\x.txt"), {1, kExpandError}, {1, kUnsafeName},
         {1, kLeavesFolder}, 0},
        {"member names a stream", MemberNamed("readme.txt:hidden"), {1, kExpandError}, {1, kUnsafeName},
         {1, kLeavesFolder}, 0},
        {"member starts at the root", MemberNamed("\\WINDOWS\\WIN.INI"), {1, kExpandError}, {1, kUnsafeName},
         {1, "drive root"}, 0},
        {"member name of 300 characters", MemberNamed(std::string(300, 'n')), {1, kExpandError}, {1, kUnsafeName},
         {1, kLeavesFolder}, 0},
        // finstall.cfg and install.cfg.
        {"file list source climbs out, listed twice",
         [](Media& m) {
             const std::string line = "Installation Directory,C:\\..\\..\\..\\..\\My Documents\\letter.doc\r\n";
             m.finstall += line + line;
         },
         {1, kExpandError}, kSkip, kSkip, kNotRun},
        {"file list destination climbs out",
         [](Media& m) { m.finstall += "Installation Directory\t..\\..\\WINDOWS\tC:\\Acme\\readme.txt\r\n"; },
         {1, kExpandError}, kSkip, kSkip, kNotRun},
        {"INI file field climbs out",
         [](Media& m) {
             m.installCfg += "[INI\\Registry]\r\nCount=1\r\nINIREG 0=..\\My Documents\\x.ini\\..\\letter.doc,S,K,V\r\n";
         },
         {1, kExpandError}, kSkip, kSkip, kNotRun},
        {"INI file field is a device",
         [](Media& m) { m.installCfg += "[INI\\Registry]\r\nCount=1\r\nINIREG 0=NUL.INI,S,K,V\r\n"; },
         {1, kExpandError}, kSkip, kSkip, kNotRun},
        {"shortcut name climbs out",
         [](Media& m) {
             m.installCfg += "[Desktop]\r\n..\\..\\evil,<InstallDir>\\app.exe,X,,,C:\\Acme\\app.exe,Acme,,Normal,\r\n";
         },
         {1, kExpandError}, kSkip, kSkip, kNotRun},
        {"shortcut folder climbs out",
         [](Media& m) {
             m.installCfg += "[Desktop]\r\nAcme,<InstallDir>\\app.exe,X,,,C:\\Acme\\app.exe,..\\..\\..,,Normal,\r\n";
         },
         {1, kExpandError}, kSkip, kSkip, kNotRun},
        {"launch application climbs out",
         [](Media& m) {
             m.installCfg += "[Launch Applications]\r\nC:\\..\\..\\WINDOWS\\x.exe\r\n"
                             "[Launch Applications Location]\r\n1<InstallDir>\\\r\n";
         },
         {1, kExpandError}, kSkip, kSkip, kNotRun},
        {"title with a backslash",
         [](Media& m) { m.installCfg = "[Setup Screen]\r\nText Line 1=Acme\\Tools\r\nMain Directory=Acme\r\n"; },
         {1, kExpandError}, kSkip, kSkip, kNotRun},
        {"main directory climbs out",
         [](Media& m) { m.installCfg = "[Setup Screen]\r\nText Line 1=Acme Tools\r\nMain Directory=..\\..\\WINDOWS\r\n"; },
         {1, kExpandError}, kSkip, kSkip, kNotRun},
        // Damaged data and records.
        {"7 bytes of LH5 claim 2 GiB",
         [](Media& m) {
             RawMember& member = m.members[0];
             member.data = FourZsInLh5();
             member.header.Method = 4;
             member.header.CompressedSize = static_cast<std::int32_t>(member.data.size());
             member.header.ExpandedSize = 0x7FFFFFFF - 7;  // with app.exe, the largest total there is
             member.header.StoredChecksum = 4 * 'z';
         },
         {1, kExpandError}, {1, "checksum"}, {1, "checksum"}, 0},
        {"negative compressed size",
         [](Media& m) { m.damageArchive = [](Bytes& a) { Put32(a, kSecondMember + 12, 0xFFFFFFF0u); }; },
         {1, kExpandError}, {1, "negative compressed size"}, {1, "negative compressed size"}, 1},
        {"name runs past the end",
         [](Media& m) { m.damageArchive = [](Bytes& a) { a[kSecondMember] = 0xF4, a[kSecondMember + 1] = 0x01; }; },
         {1, kExpandError}, {1, "name runs past the end"}, {1, "name runs past the end"}, 1},
        {"member data runs past the end",
         [](Media& m) { m.damageArchive = [](Bytes& a) { a.resize(a.size() - 3); }; },
         {1, kExpandError}, {1, "data runs past the end"}, {1, "data runs past the end"}, 1},
        // The expansion's reader takes a record cut short as the end of the
        // archive, as media from other builders need; the setup has what it needs.
        {"last header cut short",
         [](Media& m) { m.damageArchive = [](Bytes& a) { a.insert(a.end(), 10, 0); }; },
         kOk, {1, "header cut short"}, {1, "header cut short"}, 1},
        {"trailing bytes that are not a member",
         [](Media& m) { m.damageArchive = [](Bytes& a) { a.insert(a.end(), 40, 0xEE); }; },
         kOk, {1, "negative name length"}, {1, "negative name length"}, 1},
        // A member the platform cannot create (its folder is a file) fails the
        // expansion instead of being skipped.
        {"member the platform cannot create",
         [](Media& m) { m.members.push_back(StoredMember("app.exe\\x.txt", BytesOf("under a file"))); },
         {1, kExpandError}, {1, kCannotCreate}, {1, kCannotCreate}, 0},
        // One flipped byte in a stored name: the archive is sound, the file the
        // list names is missing.
        {"stored name with a flipped byte",
         [](Media& m) {
             m.listed = {"readme.txt", "app.exe"};
             m.members[0].name = "readmd.txt";
         },
         {1, kExpandError}, kOk, kOk, 0},
    };
    for (const char* device : {"CON", "nul.txt", "COM1", "Aux.dat", "PRN", "lpt1", "CLOCK$", "con .txt"}) {
        cases.push_back({device, MemberNamed(device), {1, kExpandError}, {1, kUnsafeName}, {1, kLeavesFolder}, 0});
    }
    for (const char* name : {"a<b.txt", "a>b.txt", "a|b.txt", "a\"b.txt", "a?b.txt", "a*b.txt"}) {
        cases.push_back({name, MemberNamed(name), {1, kExpandError}, {1, kUnsafeName}, {1, kLeavesFolder}, 0});
    }
    return cases;
}

template <std::size_t N>
void Append(Bytes& out, const std::array<std::uint8_t, N>& record) {
    out.insert(out.end(), record.begin(), record.end());
}

// disk.001 of the media: segment header, one scan section, one archive.
Bytes SegmentFile(const Media& m) {
    std::vector<std::string> names = m.listed;
    if (names.empty()) {
        for (const auto& member : m.members) names.push_back(member.name);
    }
    std::size_t width = 1;
    for (const auto& name : names) width = std::max(width, name.size() + 1);
    Bytes list;
    for (const auto& name : names) {
        Bytes record(width, 0);
        std::copy(name.begin(), name.end(), record.begin());
        list.insert(list.end(), record.begin(), record.end());
    }
    const Bytes listArchive = test::BuildArchive({StoredMember("files.lst", list)});
    const Bytes archive = m.Archive();

    Bytes stream;
    TSegmentHeader header;
    header.ArcCount = 1;
    Append(stream, EncodeSegmentHeader(header));
    TScanHeader scan;
    scan.TemplateLength = static_cast<std::uint16_t>(m.templateText.size());
    scan.RecordWidth = static_cast<std::uint32_t>(width);
    scan.ListSize = static_cast<std::uint32_t>(listArchive.size());
    Append(stream, EncodeScanHeader(scan));
    stream.insert(stream.end(), m.templateText.begin(), m.templateText.end());
    stream.insert(stream.end(), listArchive.begin(), listArchive.end());
    TSegArcHeader arc;
    arc.ArcSize = static_cast<std::uint32_t>(archive.size());
    Append(stream, EncodeSegArcHeader(arc));
    stream.insert(stream.end(), archive.begin(), archive.end());

    TSegmentIDHeader id;
    id.SegNumber = 1;
    Bytes file;
    Append(file, EncodeSegmentIDHeader(id));
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Every file and folder below a host folder with its content, leaving out the
// given subfolders; a file grown past maxBytes shows as its size.
std::map<std::string, std::string> HostTree(const fs::path& root, const std::vector<fs::path>& leaveOut = {}) {
    std::map<std::string, std::string> all;
    if (!fs::exists(root)) return all;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        if (std::find(leaveOut.begin(), leaveOut.end(), it->path()) != leaveOut.end()) {
            it.disable_recursion_pending();
            continue;
        }
        const std::string path = fs::relative(it->path(), root).string();
        all[path] = it->is_directory() ? "<folder>" : ReadHostFile(it->path());
    }
    return all;
}

std::uintmax_t BytesBelow(const fs::path& folder) {
    std::uintmax_t total = 0;
    if (!fs::exists(folder)) return 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) total += entry.file_size();
    }
    return total;
}

// An expansion writes at most this much for the few bytes of any case.
constexpr std::uintmax_t kMostBytesWritten = 1 << 20;

class HostileMedia : public ::testing::Test {
protected:
    void SetUp() override {
        root = FreshFolder("hostile");
        media = root / "media";
        machineFolder = root / "machine";
        // Deep enough that every climb of the cases stays inside root.
        outBase = root / "h1" / "h2" / "h3" / "h4" / "h5" / "h6" / "h7";
        WriteHostFile(root / "h1" / "canary.txt", "canary");
        WriteHostFile(outBase / "WINDOWS" / "WIN.INI", "[windows]\r\n");
    }
    void TearDown() override {
        if (!HasFailure()) fs::remove_all(root);
    }

    void WriteMedia(const Media& m) {
        fs::remove_all(media);
        WriteHostFile(media / "disk.001", Text(SegmentFile(m)));
        WriteHostFile(media / "finstall.cfg", m.finstall);
        WriteHostFile(media / "install.cfg", m.installCfg);
        WriteHostFile(media / "setup.exe", "MZ setup");
    }

    void FreshMachine() {
        fs::remove_all(machineFolder);
        ASSERT_EQ(RunProgram(ProgramPath("tavlin-setup"), {"--machine", machineFolder.string(), "--create-only"}).exitCode,
                  0);
        WriteHostFile(machineFolder / "drives" / "c" / "My Documents" / "letter.doc", "Dear Sir,");
        WriteHostFile(machineFolder / "drives" / "c" / "WINDOWS" / "WIN.INI", "[windows]\r\n");
    }

    std::map<std::string, std::string> MachineSnapshot() {
        auto all = HostTree(machineFolder / "drives");
        all["<registry>"] = ReadHostFile(machineFolder / "registry.reg");
        return all;
    }

    void Expect(const Outcome& expected, const ProgramRun& run, const std::string& what) {
        EXPECT_EQ(run.exitCode, expected.exitCode) << what << "\n" << run.output;
        EXPECT_NE(run.output.find(expected.text), std::string::npos) << what << " should say \"" << expected.text
                                                                      << "\"\n" << run.output;
    }

    // Runs a tool command that writes into outFolder, and checks that nothing
    // else around it changed and that it wrote a bounded amount.
    void RunContained(const Outcome& expected, const std::vector<std::string>& arguments, const fs::path& outFolder,
                      const std::string& what) {
        fs::remove_all(outFolder);
        const auto before = HostTree(root, {outFolder, media, machineFolder});
        const ProgramRun run = RunProgram(ProgramPath("tavlin"), arguments);
        Expect(expected, run, what);
        EXPECT_EQ(HostTree(root, {outFolder, media, machineFolder}), before) << what << ": wrote outside its folder";
        EXPECT_LE(BytesBelow(outFolder), kMostBytesWritten) << what;
    }

    fs::path root, media, machineFolder, outBase;
};

TEST_F(HostileMedia, EveryCaseIsAnsweredAndNothingLeavesItsFolder) {
    for (const HostileCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        Media m;
        c.damage(m);
        WriteMedia(m);

        if (c.segExtract.exitCode != kNotRun) {
            const fs::path out = outBase / "seg";
            RunContained(c.segExtract, {"seg-extract", media.string(), out.string()}, out, "seg-extract");
        }
        if (c.extract.exitCode != kNotRun) {
            const fs::path archive = root / "a.tva";
            WriteHostFile(archive, Text(m.Archive()));
            const fs::path out = outBase / "ext";
            RunContained(c.extract, {"extract", "-d", out.string(), archive.string()}, out, "extract");
            // Names from the drive root and members whose folder is taken are
            // sound archives: only expanding them here fails.
            const std::string why = c.extract.text;
            const int testExit = c.extract.exitCode == 0 || why == "drive root" || why == kCannotCreate ? 0 : 1;
            const ProgramRun tested = RunProgram(ProgramPath("tavlin"), {"test", archive.string()});
            EXPECT_EQ(tested.exitCode, testExit) << "test\n" << tested.output;
            // A damaged layout or an unsafe name is told with the archive's name; a
            // bad member, with the member's.
            const bool aboutMember = std::string(c.extract.text) == "checksum";
            if (testExit == 1) {
                EXPECT_NE(tested.output.find(aboutMember ? "readme.txt" : "a.tva"), std::string::npos) << tested.output;
            }
            if (c.listExit != kNotRun) {
                const ProgramRun listed = RunProgram(ProgramPath("tavlin"), {"list", archive.string()});
                EXPECT_EQ(listed.exitCode, c.listExit) << "list\n" << listed.output;
            }
        }

        FreshMachine();
        const auto before = MachineSnapshot();
        const ProgramRun run = RunProgram(ProgramPath("tavlin-setup"), {"--machine", machineFolder.string(), "--drive",
                                                                         "D=" + media.string(), "--cd", "D:\\", "--",
                                                                         "/SILENT"});
        Expect(c.setup, run, "setup");
        if (c.setup.exitCode != 0) {
            EXPECT_EQ(MachineSnapshot(), before) << "the failed setup changed the machine";
        } else {
            EXPECT_EQ(ReadHostFile(machineFolder / "drives" / "c" / "Program Files" / "Acme" / "app.exe"), "MZ acme");
            EXPECT_EQ(ReadHostFile(machineFolder / "drives" / "c" / "My Documents" / "letter.doc"), "Dear Sir,");
        }
    }
}

// The strict checks never refuse what tavlin makes itself: archives of every
// method, locked or not, and the archives inside media.
TEST_F(HostileMedia, EveryArchiveTavlinMakesPassesItsOwnChecks) {
    const fs::path product = root / "product";
    WriteHostFile(product / "readme.txt", std::string(40000, 'r') + "end");
    WriteHostFile(product / "sub" / "data.bin", std::string("\0\x01\x94\x94\x94\x94\x94 binary", 14));
    WriteHostFile(product / "empty.txt", "");
    for (const std::vector<std::string>& method :
         {std::vector<std::string>{"-m", "none"}, {"-m", "rle"}, {"-m", "lzh"}, {"-m", "lh5"}, {"-k", "1234"}}) {
        const fs::path archive = root / "made.tva";
        std::vector<std::string> arguments = {"pack"};
        arguments.insert(arguments.end(), method.begin(), method.end());
        arguments.insert(arguments.end(), {"-C", product.string(), archive.string(), "."});
        ASSERT_EQ(RunProgram(ProgramPath("tavlin"), arguments).exitCode, 0) << method.back();
        std::vector<std::string> test = {"test"};
        if (method[0] == "-k") test.insert(test.end(), {"-k", "1234"});
        test.push_back(archive.string());
        const ProgramRun tested = RunProgram(ProgramPath("tavlin"), test);
        EXPECT_EQ(tested.exitCode, 0) << method.back() << tested.output;
        EXPECT_EQ(RunProgram(ProgramPath("tavlin"), {"list", archive.string()}).exitCode, 0) << method.back();
    }
    WriteHostFile(root / "install.cfg", "[Setup Screen]\r\nText Line 1=Acme Tools\r\n");
    WriteHostFile(root / "setup.exe", "MZ setup");
    const ProgramRun made = RunProgram(ProgramPath("tavlin"),
                                       {"media", "--product", product.string(), "--config", (root / "install.cfg").string(),
                                        "--setup", (root / "setup.exe").string(), "--out", media.string(),
                                        "--segment-size", "16384"});
    ASSERT_EQ(made.exitCode, 0) << made.output;
    const ProgramRun extracted = RunProgram(ProgramPath("tavlin"), {"seg-extract", media.string(), (root / "out").string()});
    EXPECT_EQ(extracted.exitCode, 0) << extracted.output;
}

}  // namespace
}  // namespace tavlin::e2e
