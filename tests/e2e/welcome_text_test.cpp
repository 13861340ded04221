// The welcome page of media built from the example product: the typed wizard
// shows the text of the example's warning.txt, which tavlin media put at the
// root of the setup's expansion folder, and a full install from those media
// still works and installs no warning.txt.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/e2e_support.h"

namespace tavlin::e2e {
namespace {

namespace fs = std::filesystem;

TEST(WelcomeText, TheExampleMediaShowItsWarningTextOnTheWelcomePage) {
    const fs::path root = FreshFolder("e2e");
    const fs::path example = fs::path(TAVLIN_SOURCE_DIR) / "examples" / "acme";
    const fs::path media = root / "media";
    const fs::path machine = root / "machine";
    WriteHostFile(root / "setup.exe", "MZ setup");
    const ProgramRun build = RunProgram(
        ProgramPath("tavlin"), {"media", "--product", (example / "Acme").string(), "--config",
                                (example / "install.cfg").string(), "--files", (example / "files.lst").string(),
                                "--warning", (example / "warning.txt").string(), "--setup",
                                (root / "setup.exe").string(), "--out", media.string()});
    ASSERT_EQ(build.exitCode, 0) << build.output;
    EXPECT_NE(build.output.find("uninstall entry: \"Acme Suite\""), std::string::npos) << build.output;

    // The example opens on the welcome page; close the window there.
    const std::vector<std::string> setup = {"--machine", machine.string(), "--drive", "D=" + media.string(),
                                            "--cd", "D:\\"};
    const ProgramRun closed = RunProgram(ProgramPath("tavlin-setup"), setup, "Q\n");
    EXPECT_EQ(closed.exitCode, 2) << closed.output;
    const auto page = closed.output.find("==== Acme Suite: Install Application ====");
    ASSERT_NE(page, std::string::npos) << closed.output;
    EXPECT_NE(closed.output.find("  Welcome to the setup of Acme Suite, the tool box for every coyote.", page),
              std::string::npos)
        << closed.output;
    EXPECT_EQ(closed.output.find("It is strongly recommended"), std::string::npos) << closed.output;

    std::vector<std::string> silent = setup;
    silent.insert(silent.end(), {"--", "/SILENT"});
    const ProgramRun install = RunProgram(ProgramPath("tavlin-setup"), silent);
    ASSERT_EQ(install.exitCode, 0) << install.output;
    const fs::path installed = machine / "drives" / "c" / "Program Files" / "Acme";
    EXPECT_TRUE(fs::exists(installed / "bin" / "acme.exe"));
    EXPECT_FALSE(fs::exists(installed / "warning.txt"));
}

}  // namespace
}  // namespace tavlin::e2e
