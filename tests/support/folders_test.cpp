// Shell folders from the registry with their fallbacks, short paths and shell requests.
#include <gtest/gtest.h>

#include <string>

#include "common/machine_fixture.h"
#include "support/folders.h"
#include "support/shell_helpers.h"

namespace tavlin {
namespace {

const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";

class FoldersTest : public test::MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine_ = openMachine();
    }
    Registry& registry() { return machine_->registry(); }
    std::unique_ptr<hosted::HostedMachine> machine_;
};

TEST_F(FoldersTest, ShellFoldersComeFromTheRegistryWithATrailingBackslash) {
    EXPECT_EQ(SpecialFolder(*machine_, sfDesktop), "C:\\WINDOWS\\Desktop\\");
    EXPECT_EQ(SpecialFolder(*machine_, sfPrograms), "C:\\WINDOWS\\Start Menu\\Programs\\");
    EXPECT_EQ(SpecialFolder(*machine_, sfStartMenu), "C:\\WINDOWS\\Start Menu\\");
    EXPECT_EQ(SpecialFolder(*machine_, sfStartup), "C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\");
    EXPECT_EQ(SpecialFolder(*machine_, sfQuickLaunch),
              "C:\\WINDOWS\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch\\");
    EXPECT_EQ(SpecialFolder(*machine_, sfProgramFiles), "C:\\Program Files\\");
    ASSERT_TRUE(registry().writeString(RegistryRoot::LocalMachine, kCurrentVersion, "ProgramFilesDir", "D:\\Apps\\"));
    EXPECT_EQ(SpecialFolder(*machine_, sfProgramFiles), "D:\\Apps\\");
}

TEST_F(FoldersTest, MissingOrEmptyValuesFallBackBelowTheWindowsFolder) {
    ASSERT_TRUE(registry().deleteValue(RegistryRoot::CurrentUser, kShellFolders, "Start Menu"));
    ASSERT_TRUE(registry().writeString(RegistryRoot::CurrentUser, kShellFolders, "Desktop", ""));
    ASSERT_TRUE(registry().deleteKeyTree(RegistryRoot::LocalMachine, kCurrentVersion));
    EXPECT_EQ(SpecialFolder(*machine_, sfStartMenu), "C:\\WINDOWS\\Start Menu\\");
    // An empty value would otherwise put shortcuts in the root of the drive.
    EXPECT_EQ(SpecialFolder(*machine_, sfDesktop), "C:\\WINDOWS\\Desktop\\");
    EXPECT_EQ(SpecialFolder(*machine_, sfProgramFiles), "C:\\Program Files\\");
    ASSERT_TRUE(registry().deleteValue(RegistryRoot::CurrentUser, kShellFolders, "AppData"));
    EXPECT_EQ(SpecialFolder(*machine_, sfQuickLaunch),
              "C:\\WINDOWS\\AppData\\Microsoft\\Internet Explorer\\Quick Launch\\");
}

TEST_F(FoldersTest, ShortPathOfGivesEveryComponentShortOrThePathUnchanged) {
    ASSERT_TRUE(machine_->files().forceDirectories("C:\\Program Files\\My Application\\Data"));
    const std::string shortPath = ShortPathOf(*machine_, "C:\\Program Files\\My Application\\Data");
    EXPECT_EQ(shortPath, "C:\\PROGRA~1\\MYAPPL~1\\Data");
    const std::string missing = "C:\\Program Files\\" + std::string(300, 'x') + "\\not there";
    EXPECT_EQ(ShortPathOf(*machine_, missing), missing);  // long texts come back whole
}

TEST_F(FoldersTest, ShellRequestsCarryTheirWindowStateAndWholeTexts) {
    OpenWithShell(*machine_, "C:\\readme.txt", 0);
    OpenWithShell(*machine_, "C:\\app.exe", 1);
    OpenWithShell(*machine_, "C:\\app.exe", 2);
    OpenWithShell(*machine_, "C:\\WINDOWS\\Temp\\x.bat", 3);
    OpenWithShell(*machine_, "C:\\ignored.exe", 4);
    const std::string longParameters(200, 'p');
    RunFileIn(*machine_, "setup.exe", longParameters, "C:\\Old\\", swShow);
    const auto journal = machine_->journal();
    ASSERT_EQ(journal.size(), 5u);
    EXPECT_NE(journal[0].find("verb=\"open\" file=\"C:\\readme.txt\""), std::string::npos);
    EXPECT_NE(journal[0].find("show=1 owner=desktop"), std::string::npos);
    EXPECT_NE(journal[1].find("show=3"), std::string::npos);
    EXPECT_NE(journal[2].find("show=2"), std::string::npos);
    EXPECT_NE(journal[3].find("show=0"), std::string::npos);
    EXPECT_NE(journal[4].find("parameters=\"" + longParameters + "\""), std::string::npos);
    EXPECT_NE(journal[4].find("verb=\"\""), std::string::npos);
    EXPECT_NE(journal[4].find("show=5 owner=main"), std::string::npos);
}

}  // namespace
}  // namespace tavlin
