// hostFiles(): the host's own files under drive Z:, for the builder tool.
#include <gtest/gtest.h>

#include "machine_fixture.h"

namespace tavlin::hosted::testing {
namespace {

using HostFilesTest = MachineTest;

TEST_F(HostFilesTest, HostPathsAreDriveZ) {
    EXPECT_EQ(HostedMachine::windowsPathOfHostFile("/"), "Z:\\");
    EXPECT_EQ(HostedMachine::windowsPathOfHostFile("/usr/share/doc"), "Z:\\usr\\share\\doc");
    EXPECT_EQ(HostedMachine::windowsPathOfHostFile("/tmp/a/../caf\u00E9/"), "Z:\\tmp\\caf\xE9");
    EXPECT_EQ(HostedMachine::windowsPathOfHostFile(fs::path("relative") / "x"),
              HostedMachine::windowsPathOfHostFile(fs::current_path() / "relative" / "x"));
}

TEST_F(HostFilesTest, FilesAreReadAndWrittenInPlace) {
    auto host = HostedMachine::hostFiles();
    EXPECT_TRUE(host->folder().empty());
    FileSystem& files = host->files();
    EXPECT_EQ(files.currentDirectory(), HostedMachine::windowsPathOfHostFile(fs::current_path()));
    const std::string folder = HostedMachine::windowsPathOfHostFile(folder_);
    writeMachineFile(files, folder + "\\Out.bin", "packed");
    EXPECT_EQ(readHostFile(folder_ / "Out.bin"), "packed");
    writeHostFile(folder_ / "in" / "Source File.txt", "source");
    EXPECT_EQ(readMachineFile(files, folder + "\\IN\\SOURCE~1.TXT"), "source");
    ASSERT_TRUE(files.setCurrentDirectory(folder));
    EXPECT_EQ(readMachineFile(files, "in\\source file.txt"), "source");
    EXPECT_EQ(host->hostPath("in\\Source File.txt"), folder_ / "in" / "Source File.txt");
}

TEST_F(HostFilesTest, ReadOnlyIsTheHostsWritePermission) {
    auto host = HostedMachine::hostFiles();
    FileSystem& files = host->files();
    writeHostFile(folder_ / "locked.txt", "keep");
    const std::string path = HostedMachine::windowsPathOfHostFile(folder_ / "locked.txt");
    EXPECT_EQ(files.attributes(path), faArchive);
    ASSERT_TRUE(files.setAttributes(path, faReadOnly));
    EXPECT_EQ(fs::status(folder_ / "locked.txt").permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_THROW(files.create(path), EFCreateError);
    EXPECT_FALSE(files.deleteFile(path));

    // Another machine object knows it from the host alone.
    auto other = HostedMachine::hostFiles();
    EXPECT_EQ(other->files().attributes(path), faReadOnly | faArchive);
    ASSERT_TRUE(other->files().setAttributes(path, 0));
    EXPECT_NE(fs::status(folder_ / "locked.txt").permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_TRUE(files.deleteFile(path));
    EXPECT_FALSE(fs::exists(folder_ / "locked.txt"));
}

TEST_F(HostFilesTest, NothingOfTheHostMachinePersists) {
    {
        auto host = HostedMachine::hostFiles();
        ASSERT_TRUE(host->registry().createKey(RegistryRoot::LocalMachine, "Software\\HostOnly"));
        host->note("kept in memory");
        EXPECT_EQ(host->journal(), std::vector<std::string>{"kept in memory"});
    }
    auto host = HostedMachine::hostFiles();
    EXPECT_FALSE(host->registry().openKey(RegistryRoot::LocalMachine, "Software\\HostOnly"));
    EXPECT_TRUE(host->journal().empty());
}

}  // namespace
}  // namespace tavlin::hosted::testing
