// A new machine folder gets the layout of a fresh Windows installation, and
// machine.ini settings shape the machine on later opens.
#include <gtest/gtest.h>

#include "machine_fixture.h"

namespace tavlin::hosted::testing {
namespace {

using LayoutTest = MachineTest;

TEST_F(LayoutTest, FirstOpenCreatesTheWindowsFoldersAndTheStateFiles) {
    auto machine = openMachine();
    const fs::path root = folder_ / "machine";
    for (const char* file : {"machine.ini", "registry.reg", "journal.log"}) {
        EXPECT_TRUE(fs::is_regular_file(root / file)) << file;
    }
    for (const char* folder : {"WINDOWS/Temp", "WINDOWS/System", "WINDOWS/System32", "WINDOWS/Fonts", "WINDOWS/Desktop",
                               "WINDOWS/Start Menu/Programs/StartUp", "WINDOWS/Application Data", "Program Files"}) {
        EXPECT_TRUE(fs::is_directory(driveC() / folder)) << folder;
    }
    FileSystem& files = machine->files();
    EXPECT_EQ(files.windowsDirectory(), "C:\\WINDOWS");
    EXPECT_EQ(files.systemDirectory(), "C:\\WINDOWS\\System32");
    EXPECT_EQ(files.currentDirectory(), "C:\\");
    EXPECT_EQ(machine->system().family(), WindowsFamily::NT);
    EXPECT_TRUE(machine->journal().empty());
}

TEST_F(LayoutTest, RegistryPointsAtTheCreatedFolders) {
    auto machine = openMachine();
    const std::string shellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const struct {
        const char* value;
        const char* folder;
    } cases[] = {
        {"Desktop", "C:\\WINDOWS\\Desktop"},
        {"Programs", "C:\\WINDOWS\\Start Menu\\Programs"},
        {"Start Menu", "C:\\WINDOWS\\Start Menu"},
        {"Startup", "C:\\WINDOWS\\Start Menu\\Programs\\StartUp"},
        {"AppData", "C:\\WINDOWS\\Application Data"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(machine->registry().readString(RegistryRoot::CurrentUser, shellFolders, c.value), c.folder);
        EXPECT_TRUE(machine->files().directoryExists(c.folder)) << c.folder;
    }
    EXPECT_EQ(machine->registry().readString(RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                                             "ProgramFilesDir"),
              "C:\\Program Files");
}

TEST_F(LayoutTest, ReopeningKeepsWhatTheMachineHolds) {
    {
        auto machine = openMachine();
        writeMachineFile(machine->files(), "C:\\WINDOWS\\Temp\\kept.txt", "kept");
        machine->registry().createKey(RegistryRoot::LocalMachine, "Software\\Acme");
    }
    auto machine = openMachine();
    EXPECT_EQ(readMachineFile(machine->files(), "C:\\WINDOWS\\Temp\\kept.txt"), "kept");
    EXPECT_TRUE(machine->registry().openKey(RegistryRoot::LocalMachine, "Software\\Acme"));
}

TEST_F(LayoutTest, MachineIniChoosesWindowsFolderFamilyAndDrives) {
    const fs::path root = folder_ / "machine";
    writeHostFile(root / "machine.ini",
                  "[Drives]\nC=drives/c\nD=" + (folder_ / "media").string() +
                      "\n[Windows]\nDir=C:\\WIN95\nFamily=95\n");
    writeHostFile(folder_ / "media" / "SETUP.EXE", "MZ");
    auto machine = openMachine();
    EXPECT_EQ(machine->files().windowsDirectory(), "C:\\WIN95");
    EXPECT_EQ(machine->files().systemDirectory(), "C:\\WIN95\\System");
    EXPECT_EQ(machine->system().family(), WindowsFamily::Windows95);
    EXPECT_TRUE(fs::is_directory(driveC() / "WIN95" / "Start Menu" / "Programs" / "StartUp"));
    EXPECT_EQ(machine->registry().readString(RegistryRoot::CurrentUser,
                                             "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                             "Desktop"),
              "C:\\WIN95\\Desktop");
    EXPECT_TRUE(machine->files().fileExists("d:\\setup.exe"));
}

TEST_F(LayoutTest, MachineIniSetsTheScreenAndANewMachineHasAClassicOne) {
    {
        auto machine = openMachine();
        EXPECT_EQ(machine->screen().width(), 1024);
        EXPECT_EQ(machine->screen().height(), 768);
        EXPECT_EQ(machine->screen().dpi(), 96);
    }
    writeHostFile(folder_ / "machine" / "machine.ini", "[Screen]\nWidth=800\nHeight=600\nDpi=120\n");
    auto machine = openMachine();
    EXPECT_EQ(machine->screen().width(), 800);
    EXPECT_EQ(machine->screen().height(), 600);
    EXPECT_EQ(machine->screen().dpi(), 120);
}

TEST_F(LayoutTest, UnreadableSettingsAreRefusedWithTheirName) {
    const struct {
        const char* ini;
        const char* named;
    } cases[] = {
        {"[Windows]\nFamily=98\n", "Family"},
        {"[Windows]\nDir=WINDOWS\n", "Dir"},
        {"[Drives]\nCD=x\n", "[Drives]"},
        {"[Clock]\nFixed=yesterday\n", "[Clock]"},
        {"[Screen]\nWidth=wide\n", "Width"},
        {"[Screen]\nHeight=0\n", "Height"},
        {"[Screen]\nDpi=-96\n", "Dpi"},
        {"[Screen]\nWidth=99999999999\n", "Width"},
    };
    for (const auto& c : cases) {
        writeHostFile(folder_ / "machine" / "machine.ini", c.ini);
        try {
            openMachine();
            ADD_FAILURE() << c.ini;
        } catch (const Exception& error) {
            EXPECT_NE(std::string(error.what()).find(c.named), std::string::npos) << error.what();
        }
    }
}

TEST_F(LayoutTest, MappedDrivesReachHostFolders) {
    auto machine = openMachine();
    writeHostFile(folder_ / "cd" / "Disk.001", "segment");
    machine->mapDrive('e', folder_ / "cd");
    EXPECT_EQ(readMachineFile(machine->files(), "E:\\DISK.001"), "segment");
    EXPECT_EQ(machine->hostPath("e:\\disk.001"), folder_ / "cd" / "Disk.001");
    EXPECT_EQ(machine->hostPath("E:\\new\\file.txt"), folder_ / "cd" / "new" / "file.txt");
    EXPECT_FALSE(machine->hostPath("Q:\\x").has_value());
    EXPECT_FALSE(machine->files().attributes("Q:\\").has_value());
}

}  // namespace
}  // namespace tavlin::hosted::testing
