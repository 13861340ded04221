// tavlin check and the checks, welcome text and summary of tavlin media as an
// author meets them: findings in compiler style, errors that stop the build
// before anything is written, warnings that stop it only with --strict, the
// welcome text at the root of the expansion folder, and the summary.
#include <sstream>

#include "tool_fixture.h"

namespace tavlin::test {
namespace {

class CheckTool : public TavlinTool {
protected:
    // The product Road: road.exe and readme.txt.
    void MakeProduct(const std::string& config) {
        WriteBytes(dir_ / "Road" / "road.exe", BytesOf("MZ road"));
        WriteBytes(dir_ / "Road" / "readme.txt", BytesOf("Beep beep"));
        WriteBytes(dir_ / "install.cfg", BytesOf(config));
    }
};

const std::string kGood =
    "[Setup Screen]\r\nText Line 1=Road Runner\r\nMain Directory=Road\r\n"
    "[Desktop]\r\nRoad,<InstallDir>\\road.exe,X,,,C:\\Road\\road.exe,Road,,Normal,\r\n";

TEST_F(CheckTool, ErrorsStopCheckAndMediaBeforeAnythingIsWritten) {
    MakeProduct("[Setup Screen]\r\nText Line 1=Road Runner\r\nLogo Pos=upper right\r\n"
                "[Desktop]\r\nRoad,<InstallDir>\\roadrunner.exe,X,,,C:\\Road\\road.exe,Road,,Normal,\r\n");
    const std::string findings =
        "install.cfg:3: warning: \"Logo Pos\": \"upper right\" names no logo position (names compare in exact "
        "case), so the logo stays where it was; did you mean \"Upper Right\"?\n"
        "install.cfg:5: error: [Desktop]: \"<InstallDir>\\roadrunner.exe\" is no file this medium installs, so "
        "the shortcut \"Road\" points nowhere; did you mean \"<InstallDir>\\road.exe\"?\n";
    for (const char* command : {"check --product Road --config install.cfg",
                                "media --product Road --config install.cfg --out media"}) {
        SCOPED_TRACE(command);
        const auto run = Run(command);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, findings + "tavlin: install.cfg: 1 error, 1 warning\n");
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(fs::exists(dir_ / "media" / "disk.001"));
    }
}

TEST_F(CheckTool, WarningsStopOnlyWithStrict) {
    MakeProduct(kGood + "[Deskop]\r\n");
    const std::string warning =
        "install.cfg:6: warning: [Deskop]: the setup reads no such section; did you mean \"Desktop\"?\n";
    const auto check = Run("check --product Road --config install.cfg");
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_EQ(check.err, warning);
    EXPECT_EQ(check.out, "install.cfg: no errors\n");
    const auto media = Run("media --product Road --config install.cfg --out media");
    EXPECT_EQ(media.exitCode, 0);
    EXPECT_EQ(media.err, warning);
    EXPECT_TRUE(fs::exists(dir_ / "media" / "disk.001"));

    for (const char* command : {"check --strict --product Road --config install.cfg",
                                "media --strict --product Road --config install.cfg --out strict"}) {
        SCOPED_TRACE(command);
        const auto run = Run(command);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, warning + "tavlin: install.cfg: 0 errors, 1 warning (--strict)\n");
    }
    EXPECT_FALSE(fs::exists(dir_ / "strict" / "disk.001"));
}

TEST_F(CheckTool, TheFilesListDecidesWhereFilesAreInstalled) {
    // The shortcut expects road.exe in the installation folder; the list sends it to Windows.
    MakeProduct(kGood);
    WriteBytes(dir_ / "files.lst", BytesOf("Windows\tC:\\Road\\road.exe\r\n"));
    const auto run = Run("check --product Road --config install.cfg --files files.lst");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("install.cfg:5: error: [Desktop]: \"<InstallDir>\\road.exe\" is no file this medium "
                           "installs"),
              std::string::npos)
        << run.err;
}

TEST_F(CheckTool, WelcomeTextLandsAtTheRootOfTheExpansionFolder) {
    struct Case {
        const char* name;
        const char* arguments;
        const char* welcome;
        bool productKeepsItsWarning;  // the product's warning.txt is installed
    };
    const Case cases[] = {
        {"the product's own", "", "From the product\r\n", false},
        {"--warning", " --warning welcome.txt", "From the option\r\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir_ / "media");
        fs::remove_all(dir_ / "out");
        MakeProduct(kGood);
        WriteBytes(dir_ / "Road" / "Warning.TXT", BytesOf("From the product\r\n"));
        WriteBytes(dir_ / "welcome.txt", BytesOf("From the option\r\n"));
        const auto media = Run(std::string("media --product Road --config install.cfg --out media") + c.arguments);
        ASSERT_EQ(media.exitCode, 0) << media.err;
        ASSERT_EQ(Run("seg-extract media out").exitCode, 0);
        EXPECT_EQ(ReadText(dir_ / "out" / "warning.txt"), c.welcome);
        EXPECT_EQ(fs::exists(dir_ / "out" / "Road" / "Warning.TXT"), c.productKeepsItsWarning);
        const std::string finstall = ReadText(dir_ / "media" / "finstall.cfg");
        EXPECT_EQ(finstall.find("Warning.TXT") != std::string::npos, c.productKeepsItsWarning) << finstall;
    }
    const auto missing = Run("media --product Road --config install.cfg --out media --warning none.txt");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "tavlin: none.txt: no such file\n");
}

TEST_F(CheckTool, MediaSummarySaysWhatTheSetupWillDo) {
    MakeProduct("[Setup Screen]\r\nText Line 1=Road Runner\r\nMain Directory=Road\r\nUnder Program Files=0\r\n"
                "Launch Application=<InstallDir>\\road.exe\r\n"
                "[INI\\Registry]\r\nCount=3\r\nINIREG 0=road.ini,Options,Speed,fast\r\n"
                "INIREG 1=HKEY_CURRENT_USER\\,Software\\Road,Path,<InstallDir>\\\r\n"
                "INIREG 2=HKEY_LOCAL_MACHINE\\,Software\\Road,Path,<InstallDir>\\\r\n"
                "[AUTOEXEC.BAT]\r\nPATH %PATH%;<InstallDir>\\\r\n"
                "[Desktop]\r\nRoad,<InstallDir>\\road.exe,X,,,C:\\Road\\road.exe,Road,,Normal,\r\n"
                "Read me,<InstallDir>\\readme.txt,X,,,C:\\Road\\readme.txt,Road,,Normal,\r\n"
                "[Launch Applications]\r\nC:\\Road\\readme.txt\r\n[Launch Applications Location]\r\n1<InstallDir>\\\r\n");
    const auto media = Run("media --product Road --config install.cfg --out media -m none");
    ASSERT_EQ(media.exitCode, 0) << media.err;
    EXPECT_EQ(media.err, "");
    EXPECT_EQ(media.out,
              "The setup installs \"Road Runner\" into <Root>\\Road by default.\n"
              "  archive C:\\Road\\*.*: 2 files, 16 bytes, packed 16\n"
              "  1 archive, 2 files, 16 bytes, packed 16, in 1 segment\n"
              "  2 shortcuts\n"
              "    Road -> <InstallDir>\\road.exe\n"
              "    Read me -> <InstallDir>\\readme.txt\n"
              "  1 INI setting, 2 registry settings\n"
              "  start-up lines: 1 in AUTOEXEC.BAT, 0 in CONFIG.SYS\n"
              "  opened after the installation: readme.txt\n"
              "  the Finished page offers to start <InstallDir>\\road.exe\n"
              "  uninstall entry: \"Road Runner\"\n");
}

TEST_F(CheckTool, TheExampleProductHasNoFindings) {
    const fs::path example = fs::path(TAVLIN_SOURCE_DIR) / "examples" / "acme";
    const auto run = Run("check --strict --product '" + (example / "Acme").string() + "' --config '" +
                         (example / "install.cfg").string() + "' --files '" + (example / "files.lst").string() +
                         "' --warning '" + (example / "warning.txt").string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace tavlin::test
