// Which file and folder entries of a log the uninstall follows, on a PC with
// another program installed: entries that climb out, hide behind trailing dots
// or blanks, or empty by pattern a folder that is not the product's are refused.
#include <optional>
#include <ostream>
#include <string>

#include "engine_fixture.h"
#include "install/ini_registry.h"
#include "uninstall/log_entry_rule.h"

namespace tavlin {
namespace {

enum class Kind { File, Folder };

struct EntryCase {
    const char* name;
    Kind kind;
    const char* entry;
    const char* refusal;  // nullptr: followed
    const char* installFolder = "C:\\Program Files\\Acme\\";
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

constexpr const char* kClimbs = "climbs out with \"..\"";
constexpr const char* kDotOrBlank = "ends a name with a dot or a blank";
constexpr const char* kHost = "empties by pattern the folder of another program (Host App)";
constexpr const char* kSharedPattern = "empties by pattern a folder shared with Windows or other programs";
constexpr const char* kSharedFolder = "is a folder shared with Windows or other programs";

class LogEntryRuleTest : public test::EngineTest, public ::testing::WithParamInterface<EntryCase> {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        Registry& registry = machine->registry();
        const std::string list = kUninstallListKey;
        const auto entry = [&](const std::string& name, const std::string& value, const std::string& text) {
            registry.createKey(RegistryRoot::LocalMachine, list + name);
            registry.writeString(RegistryRoot::LocalMachine, list + name, value, text);
        };
        entry("Host App", "UninstallString", "\"C:\\Program Files\\Host\\unhost.exe\" /remove");
        entry("Tools", "InstallLocation", "C:\\Tools\\");
        entry("Other", "InstallLocation", "C:\\Apps\\Other\\");
        // The product's own entry, and one that points at a shared folder.
        entry("Acme", "InstallLocation", "C:\\Program Files\\Acme\\");
        entry("Patch", "UninstallString", "C:\\WINDOWS\\unpatch.exe");
        WriteFile("C:\\Program Files\\Host\\host.exe", "MZ host");
    }
};

TEST_P(LogEntryRuleTest, RefusesWhatWouldReachBeyondTheProduct) {
    const EntryCase& c = GetParam();
    const LogEntryRule rule(platform(), c.installFolder, "Acme");
    const std::optional<std::string> refusal =
        c.kind == Kind::File ? rule.RefusalOfFile(c.entry) : rule.RefusalOfFolder(c.entry);
    if (c.refusal) {
        EXPECT_EQ(refusal, std::string(c.refusal));
    } else {
        EXPECT_EQ(refusal, std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, LogEntryRuleTest,
    ::testing::Values(
        EntryCase{"InstallationFolderPattern", Kind::File, "C:\\Program Files\\Acme\\*.*", nullptr},
        EntryCase{"FileInInstallationFolder", Kind::File, "C:\\Program Files\\Acme\\readme.txt", nullptr},
        EntryCase{"SystemLibrary", Kind::File, "C:\\WINDOWS\\System\\acmelib.dll", nullptr},
        EntryCase{"Shortcut", Kind::File, "C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\Acme.lnk", nullptr},
        EntryCase{"FolderOfItsOwn", Kind::File, "C:\\Acme Data\\*.*", nullptr},
        // Files named one by one may lie in another program's folder: a plug-in.
        EntryCase{"SingleFileInAnotherProgramsFolder", Kind::File, "C:\\Program Files\\Host\\acme.exe", nullptr},
        EntryCase{"PlugInFolderBelowAnotherProgram", Kind::File, "C:\\Program Files\\Host\\Plugins\\Acme\\*.*",
                  nullptr, "C:\\Program Files\\Host\\Plugins\\Acme\\"},
        EntryCase{"ClimbsOut", Kind::File, "C:\\Program Files\\Acme\\..\\..\\WINDOWS\\WIN.INI", kClimbs},
        EntryCase{"ClimbsOutWithSlashes", Kind::File, "C:\\Program Files\\Acme\\x/../../../WINDOWS/WIN.INI", kClimbs},
        EntryCase{"ClimbsOutWithThreeDots", Kind::File, "C:\\Program Files\\Acme\\...\\WIN.INI", kClimbs},
        EntryCase{"CurrentFolder", Kind::File, "C:\\Program Files\\Acme\\.\\*.*", "has a \".\" component"},
        EntryCase{"TrailingDot", Kind::File, "C:\\WINDOWS\\WIN.INI.", kDotOrBlank},
        EntryCase{"TrailingBlank", Kind::File, "C:\\WINDOWS\\WIN.INI ", kDotOrBlank},
        EntryCase{"FolderWithTrailingDot", Kind::File, "C:\\Program Files.\\*.*", kDotOrBlank},
        EntryCase{"Relative", Kind::File, "Acme\\*.*", "has no drive"},
        EntryCase{"Device", Kind::File, "C:\\Program Files\\Acme\\NUL", "is a device name"},
        EntryCase{"Stream", Kind::File, "C:\\WINDOWS\\WIN.INI:hidden", "has \":\" inside a name"},
        EntryCase{"AnotherProgramsFolder", Kind::File, "C:\\Program Files\\Host\\*.*", kHost},
        EntryCase{"AnotherProgramsFolderShortName", Kind::File, "C:\\PROGRA~1\\HOST\\*.*", kHost},
        EntryCase{"InsideAnotherProgramsFolder", Kind::File, "C:\\Program Files\\Host\\Data\\*.*", kHost},
        EntryCase{"HoldsAnotherProgramsFolder", Kind::File, "C:\\Apps\\*.*",
                  "empties by pattern the folder of another program (Other)"},
        EntryCase{"AnotherProgramByItsLocation", Kind::File, "c:\\tools\\*.txt",
                  "empties by pattern the folder of another program (Tools)"},
        EntryCase{"ProgramFiles", Kind::File, "C:\\Program Files\\*.*", kSharedPattern},
        EntryCase{"WindowsFolder", Kind::File, "C:\\WINDOWS\\*.ini", kSharedPattern},
        EntryCase{"ShortcutFolder", Kind::Folder, "C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools", nullptr},
        EntryCase{"FolderClimbsOut", Kind::Folder, "C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\..\\..\\..", kClimbs},
        EntryCase{"FolderWithTrailingBlank", Kind::Folder, "C:\\Program Files\\Acme Tools \\", kDotOrBlank},
        EntryCase{"SharedFolder", Kind::Folder, "C:\\WINDOWS\\Desktop", kSharedFolder}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tavlin
