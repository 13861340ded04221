// The shell on the machine: the journal of started programs, the launch
// handler, batch files run after the setup ends, and icon numbers.
#include <gtest/gtest.h>

#include "machine_fixture.h"

namespace tavlin::hosted::testing {
namespace {

using ShellTest = MachineTest;

TEST_F(ShellTest, StartedProgramsAreJournaledAndHandedOn) {
    auto machine = openMachine();
    std::vector<ShellRequest> launched;
    machine->setLaunchHandler([&](const ShellRequest& request) { launched.push_back(request); });
    EXPECT_TRUE(machine->shell().execute(ShellOwner::Desktop, "open", "C:\\App\\readme.txt", "", "", swShowMaximized));
    EXPECT_TRUE(machine->shell().execute(ShellOwner::MainWindow, "", "C:\\WINDOWS\\System32\\regsvr32.exe",
                                         "/s \"C:\\App\\x.dll\"", "C:\\App", swHide));
    EXPECT_EQ(machine->journal(),
              (std::vector<std::string>{
                  "execute verb=\"open\" file=\"C:\\App\\readme.txt\" parameters=\"\" folder=\"\" show=3 owner=desktop",
                  "execute verb=\"\" file=\"C:\\WINDOWS\\System32\\regsvr32.exe\" parameters=\"/s \"C:\\App\\x.dll\"\" "
                  "folder=\"C:\\App\" show=0 owner=main",
              }));
    ASSERT_EQ(launched.size(), 2u);
    EXPECT_EQ(launched[1].parameters, "/s \"C:\\App\\x.dll\"");
    EXPECT_EQ(launched[1].owner, ShellOwner::MainWindow);
    EXPECT_EQ(launched[1].showCommand, swHide);

    auto again = openMachine();
    EXPECT_EQ(again->journal().size(), 2u);
}

TEST_F(ShellTest, RestartRequestsAndNotesAreJournaled) {
    auto machine = openMachine();
    EXPECT_TRUE(machine->system().enableShutdownPrivilege());
    EXPECT_TRUE(machine->system().exitWindows(ewxReboot | ewxForce));
    machine->note("line\twith\r\ncontrols\x01");
    EXPECT_EQ(machine->journal(), (std::vector<std::string>{
                                      "enable privilege SeShutdownPrivilege: ok",
                                      "exit windows flags=0x00000006 (reboot|force)",
                                      "line\\twith\\r\\ncontrols\\x01",
                                  }));
    writeHostFile(folder_ / "machine" / "machine.ini", "[Windows]\nFamily=95\n");
    auto old = openMachine();
    EXPECT_FALSE(old->system().enableShutdownPrivilege());
}

// The self-removal batch file of an uninstallation, written with short names.
const std::string kSelfRemoval =
    "Rem Goto Drive of Installed Files.\r\nC:\r\ncd\\\r\ncd PROGRA~1\r\ncd MYAPP~1\r\ndel setup.exe\r\ncd..\r\n"
    "rd MYAPP~1\r\nexit\r\n";

TEST_F(ShellTest, ABatchFileRunsOnlyWhenTheStartingProgramHasEnded) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    ASSERT_TRUE(files.createDirectory("C:\\Program Files\\My App"));
    writeMachineFile(files, "C:\\Program Files\\My App\\setup.exe", "MZ");
    writeMachineFile(files, "C:\\WINDOWS\\Temp\\vivUro.bat", kSelfRemoval);
    ASSERT_TRUE(files.setCurrentDirectory("C:\\WINDOWS"));
    bool launched = false;
    machine->setLaunchHandler([&](const ShellRequest&) { launched = true; });

    EXPECT_TRUE(machine->shell().execute(ShellOwner::Desktop, "open", "C:\\WINDOWS\\temp\\vivUro.bat", "", "", swHide));
    EXPECT_FALSE(launched);
    EXPECT_TRUE(fs::exists(driveC() / "Program Files" / "My App" / "setup.exe"));

    machine->runPendingBatchFiles();
    EXPECT_FALSE(fs::exists(driveC() / "Program Files" / "My App"));
    EXPECT_TRUE(fs::exists(driveC() / "Program Files"));
    EXPECT_EQ(files.currentDirectory(), "C:\\WINDOWS");
    EXPECT_EQ(machine->journal().back(), "run batch file=\"C:\\WINDOWS\\temp\\vivUro.bat\"");

    machine->runPendingBatchFiles();  // nothing is run twice
    EXPECT_EQ(machine->journal().size(), 2u);
}

TEST_F(ShellTest, TheInterpreterPassesOverFailuresAndStopsAtExit) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    ASSERT_TRUE(files.forceDirectories("C:\\Work\\Keep Me"));
    ASSERT_TRUE(files.createDirectory("C:\\Work\\Gone"));
    for (const char* name : {"a.tmp", "b.tmp", "c.txt", "locked.tmp"}) writeMachineFile(files, std::string("C:\\Work\\") + name, "x");
    ASSERT_TRUE(files.setAttributes("C:\\Work\\locked.tmp", faReadOnly));
    writeMachineFile(files, "C:\\Work\\run.bat",
                     "@echo off\nCD \\WORK\nDEL missing.txt\nDel *.TMP\nrd \"Keep Me\" gone\nRD nothere\n"
                     "chdir ..\nEXIT\ndel work\\c.txt\n");
    ASSERT_TRUE(machine->shell().execute(ShellOwner::Desktop, "", "run.bat", "", "C:\\Work", swHide));
    machine->runPendingBatchFiles();
    EXPECT_FALSE(fs::exists(driveC() / "Work" / "a.tmp"));
    EXPECT_FALSE(fs::exists(driveC() / "Work" / "b.tmp"));
    EXPECT_TRUE(fs::exists(driveC() / "Work" / "locked.tmp"));
    EXPECT_TRUE(fs::exists(driveC() / "Work" / "c.txt"));  // after exit
    EXPECT_FALSE(fs::exists(driveC() / "Work" / "Keep Me"));
    EXPECT_FALSE(fs::exists(driveC() / "Work" / "Gone"));
}

TEST_F(ShellTest, AKeyIsDeletedOnlyWhenTheFileTestedForIsGone) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    Registry& registry = machine->registry();
    for (const char* key : {"Software\\Kept", "Software\\Gone 100%\\Sub", "Software\\User"}) {
        ASSERT_TRUE(registry.createKey(RegistryRoot::LocalMachine, key));
    }
    ASSERT_TRUE(registry.createKey(RegistryRoot::CurrentUser, "Software\\User"));
    ASSERT_TRUE(files.forceDirectories("C:\\Work"));
    writeMachineFile(files, "C:\\Work\\here.txt", "x");
    writeMachineFile(files, "C:\\Work\\run.bat",
                     "if not exist \"C:\\Work\\here.txt\" reg delete \"HKLM\\Software\\Kept\" /f\r\n"
                     "IF EXIST C:\\Work\\here.txt REG DELETE \"HKEY_LOCAL_MACHINE\\Software\\Gone 100%%\" /f\r\n"
                     "if not exist \"C:\\Work\\missing.txt\" reg delete \"HKCU\\Software\\User\" /f\r\n"
                     "reg delete \"HKLM\\Software\\User\"\r\n"  // without /f it would ask: nothing here
                     "if exist C:\\Work\\here.txt exit\r\n"
                     "del C:\\Work\\here.txt\r\n");
    ASSERT_TRUE(machine->shell().execute(ShellOwner::Desktop, "", "run.bat", "", "C:\\Work", swHide));
    machine->runPendingBatchFiles();
    EXPECT_TRUE(registry.openKey(RegistryRoot::LocalMachine, "Software\\Kept"));
    EXPECT_FALSE(registry.openKey(RegistryRoot::LocalMachine, "Software\\Gone 100%"));
    EXPECT_FALSE(registry.openKey(RegistryRoot::CurrentUser, "Software\\User"));
    EXPECT_TRUE(registry.openKey(RegistryRoot::LocalMachine, "Software\\User"));
    EXPECT_TRUE(files.fileExists("C:\\Work\\here.txt"));  // after exit
}

TEST_F(ShellTest, AMissingBatchFileIsNotStarted) {
    auto machine = openMachine();
    EXPECT_FALSE(machine->shell().execute(ShellOwner::Desktop, "open", "C:\\WINDOWS\\Temp\\none.bat", "", "", swHide));
    EXPECT_EQ(machine->shell().lastFailure(), "ShellExecuteA: The system cannot find the file specified.");
    EXPECT_FALSE(machine->shell().execute(ShellOwner::Desktop, "open", "", "", "", swHide));
    EXPECT_EQ(machine->journal().size(), 2u);
}

TEST_F(ShellTest, SmallIconsAreStableNumbersPerExtension) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    for (const char* name : {"a.exe", "b.EXE", "c.txt"}) writeMachineFile(files, std::string("C:\\") + name, "");
    Shell& shell = machine->shell();
    EXPECT_EQ(shell.smallIconIndex("C:\\a.exe"), shell.smallIconIndex("C:\\b.exe"));
    EXPECT_NE(shell.smallIconIndex("C:\\a.exe"), shell.smallIconIndex("C:\\c.txt"));
    EXPECT_GT(shell.smallIconIndex("C:\\a.exe"), 0);
    EXPECT_GT(shell.smallIconIndex("C:\\WINDOWS"), 0);
    EXPECT_EQ(shell.smallIconIndex("C:\\missing.exe"), 0);
    EXPECT_NE(shell.systemSmallImageList("C:\\"), 0u);
    EXPECT_EQ(shell.systemSmallImageList("C:\\"), shell.systemSmallImageList("C:\\a.exe"));
}

}  // namespace
}  // namespace tavlin::hosted::testing
