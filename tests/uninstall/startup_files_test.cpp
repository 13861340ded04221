// The product's marked blocks in AUTOEXEC.BAT and CONFIG.SYS: adding them once,
// removing every one of them, and leaving other programs' and users' lines alone.
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "install/startup_files.h"
#include "engine_fixture.h"
#include "support/string_list.h"
#include "support/text.h"

namespace tavlin {
namespace {

const char* const kAutoexec = "C:\\AUTOEXEC.BAT";
const std::string kStart = "REM:START VIVUro ->Acme";
const std::string kEnd = "REM:END VIVUro ->Acme";

struct BlockCase {
    const char* name;
    bool remove;                         // RemoveBlockFromFile, else AppendBlockToFile
    std::optional<std::string> before;   // nothing: no file
    std::optional<std::string> after;    // nothing: no file
};

void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }

const StringList kBlock = {kStart, "SET ACME=1", kEnd};

const BlockCase kBlockCases[] = {
    {"AppendCreatesMissingFile", false, std::nullopt, kStart + "\r\nSET ACME=1\r\n" + kEnd + "\r\n"},
    {"AppendKeepsUserLinesAndNormalisesLineEnds", false, std::string("@ECHO OFF\nPATH C:\\DOS\n"),
     "@ECHO OFF\r\nPATH C:\\DOS\r\n" + kStart + "\r\nSET ACME=1\r\n" + kEnd + "\r\n"},
    {"SecondInstallationAddsNothing", false, "@ECHO OFF\n" + kStart + "\nSET OLD=1\n" + kEnd + "\n",
     "@ECHO OFF\n" + kStart + "\nSET OLD=1\n" + kEnd + "\n"},
    {"ChangedStartMarkerStillCountsAsInstalled", false, "@ECHO OFF\n" + kStart + " \nX\n" + kEnd + "\n",
     "@ECHO OFF\n" + kStart + " \nX\n" + kEnd + "\n"},
    {"RemoveKeepsLinesBeforeAndAfterTheBlock", true,
     "@ECHO OFF\r\n" + kStart + "\r\nSET ACME=1\r\n" + kEnd + "\r\nSET LATER=1\r\n",
     std::string("@ECHO OFF\r\nSET LATER=1\r\n")},
    {"RemoveTakesEveryBlock", true,
     "A\n" + kStart + "\nX\n" + kEnd + "\nB\n" + kStart + "\nY\n" + kEnd + "\nC\n", std::string("A\r\nB\r\nC\r\n")},
    {"BlockWithoutEndMarkerRunsToTheEnd", true, "A\nB\n" + kStart + "\nX\nC\n", std::string("A\r\nB\r\n")},
    {"ChangedStartMarkerIsNotRemoved", true, "A\n" + kStart + " \nX\n" + kEnd + "\n",
     "A\r\n" + kStart + " \r\nX\r\n" + kEnd + "\r\n"},
    {"OtherProductsBlockStays", true,
     "REM:START VIVUro ->Acme Pro\nX\nREM:END VIVUro ->Acme Pro\n" + kStart + "\nY\n" + kEnd + "\n",
     std::string("REM:START VIVUro ->Acme Pro\r\nX\r\nREM:END VIVUro ->Acme Pro\r\n")},
    // The product's lines must not outlive it, however little is left of the file.
    {"FileHoldingOnlyTheBlockIsEmptied", true, kStart + "\r\nSET ACME=1\r\n" + kEnd + "\r\n", std::string()},
    {"BlockAndOneLineLeaveThatLine", true, "PROMPT $P$G\n" + kStart + "\nX\n" + kEnd + "\n",
     std::string("PROMPT $P$G\r\n")},
    {"ShortFileWithoutBlockIsNotRewritten", true, std::string("PROMPT $P$G\n"), std::string("PROMPT $P$G\n")},
    {"RemoveRewritesLongerFileWithoutBlock", true, std::string("A\nB"), std::string("A\r\nB\r\n")},
    {"RemoveDoesNotCreateMissingFile", true, std::nullopt, std::nullopt},
};

class StartupBlockTest : public test::EngineTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(StartupBlockTest, FileAfterwards) {
    const BlockCase& c = GetParam();
    if (c.before) WriteFile(kAutoexec, *c.before);
    if (c.remove) {
        RemoveBlockFromFile(platform(), "AUTOEXEC.BAT", "Acme");
    } else {
        AppendBlockToFile(platform(), "AUTOEXEC.BAT", "Acme", kBlock);
    }
    EXPECT_EQ(ReadFile(kAutoexec), c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupBlockTest, ::testing::ValuesIn(kBlockCases),
                         [](const auto& test) { return std::string(test.param.name); });

using StartupFileTest = test::EngineTest;

TEST_F(StartupFileTest, EmptyBlockStillRewritesOrCreatesTheFile) {
    AppendBlockToFile(platform(), "CONFIG.SYS", "Acme", StringList{});
    EXPECT_EQ(ReadFile("C:\\CONFIG.SYS"), std::string());
    WriteFile(kAutoexec, "A\nB");
    AppendBlockToFile(platform(), "AUTOEXEC.BAT", "Acme", StringList{});
    EXPECT_EQ(ReadFile(kAutoexec), "A\r\nB\r\n");
}

// The hosted machine's files, except that one file refuses to be read while it can
// still be written: a state the hosted machine itself cannot produce (as on a disk
// with a bad sector).
class UnreadableFile : public FileSystem {
public:
    UnreadableFile(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

    std::unique_ptr<FileStream> openRead(const std::string& path) override {
        if (SameTextAscii(path, path_)) throw EFOpenError("Cannot open file " + path);
        return files_.openRead(path);
    }
    std::vector<FindData> findAll(const std::string& pattern) override { return files_.findAll(pattern); }
    std::optional<std::uint32_t> attributes(const std::string& path) override { return files_.attributes(path); }
    bool setAttributes(const std::string& path, std::uint32_t value) override {
        return files_.setAttributes(path, value);
    }
    std::unique_ptr<FileStream> create(const std::string& path) override { return files_.create(path); }
    bool deleteFile(const std::string& path) override { return files_.deleteFile(path); }
    bool createDirectory(const std::string& path) override { return files_.createDirectory(path); }
    bool removeDirectory(const std::string& path) override { return files_.removeDirectory(path); }
    std::string currentDirectory() override { return files_.currentDirectory(); }
    bool setCurrentDirectory(const std::string& path) override { return files_.setCurrentDirectory(path); }
    std::string fullPathName(const std::string& path) override { return files_.fullPathName(path); }
    std::optional<DiskFreeSpace> diskFreeSpace(const std::string& root) override { return files_.diskFreeSpace(root); }
    std::optional<std::uint32_t> lastWriteTime(const std::string& path) override { return files_.lastWriteTime(path); }
    std::optional<std::string> shortPathName(const std::string& path) override { return files_.shortPathName(path); }
    std::string windowsDirectory() override { return files_.windowsDirectory(); }
    std::string systemDirectory() override { return files_.systemDirectory(); }

private:
    FileSystem& files_;
    std::string path_;
};

class PlatformWithFiles : public Platform {
public:
    PlatformWithFiles(Platform& platform, FileSystem& files) : platform_(platform), files_(files) {}
    FileSystem& files() override { return files_; }
    Profile& profile() override { return platform_.profile(); }
    Registry& registry() override { return platform_.registry(); }
    Shell& shell() override { return platform_.shell(); }
    Dialogs& dialogs() override { return platform_.dialogs(); }
    Clock& clock() override { return platform_.clock(); }
    System& system() override { return platform_.system(); }
    Screen& screen() override { return platform_.screen(); }
    Ticks& ticks() override { return platform_.ticks(); }

private:
    Platform& platform_;
    FileSystem& files_;
};

TEST_F(StartupFileTest, UnreadableFileIsLeftAlone) {
    const std::string content = "@ECHO OFF\r\n" + kStart + "\r\nX\r\n" + kEnd + "\r\n";
    WriteFile(kAutoexec, content);
    UnreadableFile unreadable(files(), kAutoexec);
    PlatformWithFiles withUnreadable(platform(), unreadable);
    AppendBlockToFile(withUnreadable, "AUTOEXEC.BAT", "Other", kBlock);
    RemoveBlockFromFile(withUnreadable, "AUTOEXEC.BAT", "Acme");
    EXPECT_EQ(ReadFile(kAutoexec), content);

    // Something that is no file at all stands at the name.
    files().createDirectory("C:\\CONFIG.SYS");
    AppendBlockToFile(platform(), "CONFIG.SYS", "Acme", kBlock);
    RemoveBlockFromFile(platform(), "CONFIG.SYS", "Acme");
    EXPECT_TRUE(files().directoryExists("C:\\CONFIG.SYS"));
}

TEST_F(StartupFileTest, RewriteIsRecorded) {
    std::vector<std::string> changes;
    const ChangeRecorder record = [&](const std::string& change) { changes.push_back(change); };
    AppendBlockToFile(platform(), "AUTOEXEC.BAT", "Acme", kBlock, record);
    AppendBlockToFile(platform(), "AUTOEXEC.BAT", "Acme", kBlock, record);  // already there: no change
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_NE(changes[0].find(kAutoexec), std::string::npos);
}

TEST_F(StartupFileTest, BlockOfConfiguredLinesUsesShortFormsAndOverwritingCopies) {
    files().forceDirectories("C:\\Program Files\\Acme Suite");
    StringList lines = {"set acmedir=<InstallDir>\\", "copy <InstallDir>\\acme.ini c:\\",
                        "xcopy a b", "rem copyright; copy x y", "set copydir=1"};
    BuildStartupBlock(platform(), "C:\\Program Files\\Acme Suite\\", "Acme", lines);
    const StringList expected = {kStart,
                                 "SET ACMEDIR=C:\\PROGRA~1\\ACMESU~1\\",
                                 "COPY/Y C:\\PROGRA~1\\ACMESU~1\\ACME.INI C:\\",
                                 "XCOPY/Y A B",
                                 "REM COPYRIGHT; COPY/Y X Y",
                                 "SET COPYDIR=1",
                                 kEnd};
    EXPECT_EQ(lines.Lines(), expected.Lines());

    AppendBlockToFile(platform(), "AUTOEXEC.BAT", "Acme", lines);
    EXPECT_EQ(ReadFile(kAutoexec), expected.Text());

    StringList none;
    BuildStartupBlock(platform(), "C:\\Program Files\\Acme Suite\\", "Acme", none);
    EXPECT_TRUE(none.Empty());
}

}  // namespace
}  // namespace tavlin
