// Finding an earlier installation through its uninstall entry: rescuing its
// subfolders, starting its uninstaller, and doing nothing when there is none.
#include <gtest/gtest.h>

#include "install/ini_registry.h"
#include "install/install_fixture.h"
#include "install/previous_installation.h"

namespace tavlin::test {
namespace {

struct PreviousCase {
    std::string name;
    std::optional<std::string> command;  // the registered "UninstallString"; nothing: no entry
    bool uninstallCopy;
    bool oldLogPresent;
    std::string mainDir;
    bool copied;
    bool uninstallerStarted;
};

class PreviousInstallationTest : public MachineFixture, public ::testing::WithParamInterface<PreviousCase> {};

TEST_P(PreviousInstallationTest, RemovesTheEarlierInstallationFirst) {
    const PreviousCase& c = GetParam();
    const std::string key = std::string(kUninstallListKey) + "Acme";
    if (c.command) {
        ASSERT_TRUE(platform().registry().createKey(RegistryRoot::LocalMachine, key));
        ASSERT_TRUE(platform().registry().writeString(RegistryRoot::LocalMachine, key, "UninstallString", *c.command));
    }
    WriteFile("C:\\Old\\setup.exe", "MZ old");
    WriteFile("C:\\Old\\top.txt", "top");
    WriteFile("C:\\Old\\Data\\Saved\\game.sav", "saved");
    files().forceDirectories(c.mainDir);
    if (c.oldLogPresent) WriteFile("C:\\Old\\uninstaller.cfg", "[Name]\r\nTitle=Acme\r\n");
    std::vector<hosted::ShellRequest> launched;
    machine->setLaunchHandler([&launched](const hosted::ShellRequest& request) { launched.push_back(request); });

    SetupState state;
    state.UninstallString = "Acme";
    state.UninstallCopy = c.uninstallCopy;
    state.PreviousUninstallLines = {"There is a Previous Version of the Software Found!", "Click OK."};
    CheckPreviousInstallation(platform(), *ui, state, c.mainDir);

    EXPECT_EQ(files().fileExists(c.mainDir + "Data\\Saved\\game.sav"), c.copied);
    EXPECT_EQ(ReadFile("C:\\Old\\Data\\Saved\\game.sav"), "saved");
    EXPECT_FALSE(files().fileExists("C:\\Program Files\\Acme\\top.txt"));
    EXPECT_EQ(platform().registry().openKey(RegistryRoot::LocalMachine, key), c.command.has_value());
    if (!c.uninstallerStarted) {
        EXPECT_TRUE(asked.empty());
        EXPECT_TRUE(launched.empty());
        return;
    }
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, "There is a Previous Version of the Software Found!\r\nClick OK.\r\n");
    EXPECT_EQ(asked[1].text, "Continue with Install. Click on \"OK\"");
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].file, "setup.exe");
    EXPECT_EQ(launched[0].parameters, " Acme");
    EXPECT_EQ(launched[0].folder, "C:\\Old\\");
    EXPECT_EQ(launched[0].showCommand, swShow);
    EXPECT_EQ(files().currentDirectory(), "C:\\Old");
}

const std::string kNew = "C:\\Program Files\\Acme\\";

INSTANTIATE_TEST_SUITE_P(
    Cases, PreviousInstallationTest,
    ::testing::Values(PreviousCase{"NoEntry", std::nullopt, true, true, kNew, false, false},
                      PreviousCase{"EmptyCommand", "", true, true, kNew, false, false},
                      PreviousCase{"WithCopy", "C:\\Old\\setup.exe Acme", true, true, kNew, true, true},
                      PreviousCase{"WithoutCopy", "C:\\Old\\setup.exe Acme", false, true, kNew, false, true},
                      PreviousCase{"LogRemovedByHand", "C:\\Old\\setup.exe Acme", true, false, kNew, true, false},
                      PreviousCase{"SameFolder", "C:\\Old\\setup.exe Acme", true, true, "C:\\Old\\", true, true},
                      PreviousCase{"SameFolderOtherCase", "C:\\Old\\setup.exe Acme", true, true, "C:\\OLD\\", true,
                                   true},
                      PreviousCase{"NewFolderInsideOld", "C:\\Old\\setup.exe Acme", true, true, "C:\\Old\\New\\",
                                   false, true}),
    [](const auto& testInfo) { return testInfo.param.name; });

}  // namespace
}  // namespace tavlin::test
