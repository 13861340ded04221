// The machine keeps folder listings in memory between lookups. These tests change
// folders behind an open machine's back (on the host, and through a second
// machine object on the same folder, as another process would) and check that
// lookups, searches and new short names still see the folders as they are.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "machine_fixture.h"
#include "platform/hosted/hosted_machine.h"
#include "platform/hosted/windows_text.h"

namespace tavlin::hosted::testing {
namespace {

using FolderListingTest = MachineTest;

std::vector<std::string> namesFound(FileSystem& files, const std::string& pattern) {
    std::vector<std::string> names;
    for (const FindData& data : files.findAll(pattern)) names.push_back(data.name + "|" + data.alternateName);
    return names;
}

TEST_F(FolderListingTest, ChangesOnTheHostAreSeenByAnOpenMachine) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    ASSERT_TRUE(files.createDirectory("C:\\Data"));
    writeMachineFile(files, "C:\\Data\\Kept.txt", "k");
    writeMachineFile(files, "C:\\Data\\Gone.txt", "g");
    // Every lookup below first fills the listing, then the host changes, then
    // the same kind of lookup must see the change.
    const fs::path data = driveC() / "Data";
    const struct {
        const char* what;
        std::function<void()> change;
        const char* path;  // looked up in another letter case than on the host
        bool exists;
    } cases[] = {
        {"file added", [&] { writeHostFile(data / "Added.txt", "a"); }, "C:\\DATA\\ADDED.TXT", true},
        {"file removed", [&] { fs::remove(data / "Gone.txt"); }, "C:\\data\\GONE.txt", false},
        {"file renamed", [&] { fs::rename(data / "Kept.txt", data / "Moved.txt"); }, "C:\\Data\\moved.TXT", true},
        {"renamed file's old name", [] {}, "C:\\Data\\KEPT.TXT", false},
        {"folder added", [&] { fs::create_directory(data / "Sub"); }, "C:\\Data\\SUB\\", true},
    };
    for (const auto& c : cases) {
        // Fill (or refresh) the listing through a case-insensitive miss.
        EXPECT_FALSE(files.attributes("C:\\Data\\NOT THERE.TXT").has_value());
        c.change();
        EXPECT_EQ(files.attributes(c.path).has_value(), c.exists) << c.what;
        EXPECT_EQ(files.findAll(c.path).size(), c.exists && std::string(c.path).back() != '\\' ? 1u : 0u) << c.what;
    }
}

// Making, writing and removing ask the kept listing whether a name is there:
// what the host changed since must count.
TEST_F(FolderListingTest, MakingWritingAndRemovingSeeChangesOnTheHost) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    ASSERT_TRUE(files.createDirectory("C:\\W"));
    writeMachineFile(files, "C:\\W\\kept.txt", "k");  // the listing is kept from here
    const fs::path folder = driveC() / "W";
    writeHostFile(folder / "Host.txt", "host");
    writeMachineFile(files, "C:\\W\\HOST.TXT", "machine");
    EXPECT_EQ(tavlin::test::readHostFile(folder / "Host.txt"), "machine");
    EXPECT_FALSE(fs::exists(folder / "HOST.TXT"));

    writeMachineFile(files, "C:\\W\\kept.txt", "again");  // an exact name written over
    EXPECT_EQ(tavlin::test::readHostFile(folder / "kept.txt"), "again");
    fs::remove(folder / "kept.txt");
    writeMachineFile(files, "C:\\W\\KEPT.TXT", "new");
    EXPECT_TRUE(fs::exists(folder / "KEPT.TXT"));
    EXPECT_FALSE(fs::exists(folder / "kept.txt"));

    fs::create_directory(folder / "Sub");
    EXPECT_FALSE(files.createDirectory("C:\\W\\SUB"));
    EXPECT_THROW(files.create("C:\\W\\sub"), EFCreateError);
    // Removing: a file gone on the host is not there to remove; one made there is.
    writeHostFile(folder / "Gone.txt", "g");
    ASSERT_TRUE(files.fileExists("C:\\W\\gone.txt"));
    fs::remove(folder / "Gone.txt");
    EXPECT_FALSE(files.deleteFile("C:\\W\\Gone.txt"));
    writeHostFile(folder / "Late.txt", "l");
    EXPECT_TRUE(files.deleteFile("C:\\W\\Late.txt"));
    EXPECT_FALSE(fs::exists(folder / "Late.txt"));
    writeHostFile(folder / "Late.txt", "again");
    EXPECT_TRUE(files.deleteFile("C:\\W\\LATE.TXT"));
    EXPECT_FALSE(fs::exists(folder / "Late.txt"));
    writeHostFile(folder / "Blocker", "b");
    EXPECT_FALSE(files.createDirectory("C:\\W\\blocker"));
    EXPECT_TRUE(files.createDirectory("C:\\W\\Made"));
    EXPECT_TRUE(fs::is_directory(folder / "Made"));
}

TEST_F(FolderListingTest, ChangesThroughAnotherMachineObjectAreSeen) {
    auto first = openMachine();
    auto second = openMachine();
    ASSERT_TRUE(first->files().createDirectory("C:\\Shared"));
    // Fill the second object's listing, then change the folder through the first.
    EXPECT_FALSE(second->files().attributes("C:\\SHARED\\LONG NAME ONE.TXT").has_value());
    writeMachineFile(first->files(), "C:\\Shared\\Long Name One.txt", "1");
    EXPECT_EQ(readMachineFile(second->files(), "C:\\SHARED\\long name one.TXT"), "1");
    // The second object gives the next short name, not the one the first gave.
    writeMachineFile(second->files(), "C:\\Shared\\Long Name Two.txt", "2");
    EXPECT_EQ(second->files().shortPathName("C:\\Shared\\Long Name Two.txt"), "C:\\Shared\\LONGNA~2.TXT");
    // A file the first removes frees its short name for the second's next file.
    ASSERT_TRUE(first->files().deleteFile("C:\\Shared\\Long Name One.txt"));
    EXPECT_FALSE(second->files().attributes("C:\\Shared\\LONGNA~1.TXT").has_value());
    writeMachineFile(second->files(), "C:\\Shared\\Long Name Three.txt", "3");
    EXPECT_EQ(first->files().shortPathName("C:\\Shared\\Long Name Three.txt"), "C:\\Shared\\LONGNA~1.TXT");
    EXPECT_EQ(namesFound(first->files(), "C:\\Shared\\*"),
              (std::vector<std::string>{".|", "..|", "Long Name Three.txt|LONGNA~1.TXT", "Long Name Two.txt|LONGNA~2.TXT"}));
}

TEST_F(FolderListingTest, ManyNamesOfOneBasisTakeTheLowestFreeNumber) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    ASSERT_TRUE(files.createDirectory("C:\\Many"));
    // Past nine the tail takes letters from the basis: REPORT~9, REPOR~10 ...
    for (int i = 1; i <= 12; ++i) writeMachineFile(files, "C:\\Many\\Report number " + std::to_string(i) + ".txt", "r");
    EXPECT_EQ(files.shortPathName("C:\\Many\\Report number 9.txt"), "C:\\Many\\REPORT~9.TXT");
    EXPECT_EQ(files.shortPathName("C:\\Many\\Report number 12.txt"), "C:\\Many\\REPOR~12.TXT");
    // Another long name of the same basis goes on after the last one.
    writeMachineFile(files, "C:\\Many\\Reports old.txt", "o");
    EXPECT_EQ(files.shortPathName("C:\\Many\\Reports old.txt"), "C:\\Many\\REPOR~13.TXT");
    // Freed numbers are given again, lowest first: by this machine and on the host.
    ASSERT_TRUE(files.deleteFile("C:\\Many\\Report number 3.txt"));
    fs::remove(driveC() / "Many" / "Report number 2.txt");
    writeMachineFile(files, "C:\\Many\\Report new A.txt", "a");
    writeMachineFile(files, "C:\\Many\\Report new B.txt", "b");
    writeMachineFile(files, "C:\\Many\\Report new C.txt", "c");
    EXPECT_EQ(files.shortPathName("C:\\Many\\Report new A.txt"), "C:\\Many\\REPORT~2.TXT");
    EXPECT_EQ(files.shortPathName("C:\\Many\\Report new B.txt"), "C:\\Many\\REPORT~3.TXT");
    EXPECT_EQ(files.shortPathName("C:\\Many\\Report new C.txt"), "C:\\Many\\REPOR~14.TXT");
}

TEST_F(FolderListingTest, ASearchForOneNameFindsWhatAWildcardSearchFinds) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    ASSERT_TRUE(files.createDirectory("C:\\Find"));
    writeMachineFile(files, "C:\\Find\\Long Document.txt", "d");
    writeMachineFile(files, "C:\\Find\\short.txt", "s");
    // The host may hold names that differ in letter case only.
    writeHostFile(driveC() / "Find" / "SHORT.TXT", "S");
    ASSERT_TRUE(files.createDirectory("C:\\Find\\Folder"));
    const struct {
        const char* name;
        std::vector<std::string> found;
    } cases[] = {
        {"long document.TXT", {"Long Document.txt|LONGDO~1.TXT"}},
        {"LONGDO~1.TXT", {"Long Document.txt|LONGDO~1.TXT"}},
        {"Short.Txt", {"SHORT.TXT|", "short.txt|"}},
        {"folder", {"Folder|"}},
        {"missing.txt", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(namesFound(files, std::string("C:\\Find\\") + c.name), c.found) << c.name;
        // The same entries, in the same order, as a wildcard search narrowed to them.
        std::vector<std::string> narrowed;
        for (const FindData& data : files.findAll("C:\\Find\\*")) {
            if (equalsIgnoringCase(data.name, c.name) || equalsIgnoringCase(data.alternateName, c.name)) {
                narrowed.push_back(data.name + "|" + data.alternateName);
            }
        }
        EXPECT_EQ(narrowed, c.found) << c.name;
    }
}

}  // namespace
}  // namespace tavlin::hosted::testing
