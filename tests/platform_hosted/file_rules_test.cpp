// The Windows file rules that callers rely on: what create, delete, open and the
// folder calls refuse, and attributes that persist across machine objects.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "machine_fixture.h"

namespace tavlin::hosted::testing {
namespace {

class FileRulesTest : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine_ = openMachine();
        ASSERT_TRUE(files().createDirectory("C:\\App"));
        writeMachineFile(files(), "C:\\App\\data.txt", "data");
    }
    FileSystem& files() { return machine_->files(); }

    std::unique_ptr<HostedMachine> machine_;
};

TEST_F(FileRulesTest, DeleteRefusesReadOnlyOpenHeldMissingFilesAndFolders) {
    ASSERT_TRUE(files().setAttributes("C:\\App\\data.txt", faReadOnly));
    EXPECT_FALSE(files().deleteFile("C:\\App\\data.txt"));
    ASSERT_TRUE(files().setAttributes("C:\\App\\data.txt", 0));
    {
        auto reader = files().openRead("C:\\App\\data.txt");
        EXPECT_FALSE(files().deleteFile("C:\\App\\data.txt"));
    }
    machine_->holdFile("c:\\app\\DATA.TXT");
    EXPECT_FALSE(files().deleteFile("C:\\App\\data.txt"));
    machine_->releaseFile("C:\\App\\data.txt");
    EXPECT_FALSE(files().deleteFile("C:\\App"));
    EXPECT_FALSE(files().deleteFile("C:\\App\\missing.txt"));
    EXPECT_TRUE(files().deleteFile("C:\\App\\data.txt"));
    EXPECT_FALSE(fs::exists(driveC() / "App" / "data.txt"));
}

TEST_F(FileRulesTest, CreateRefusesReadOnlyOpenHeldFilesFoldersAndMissingParents) {
    ASSERT_TRUE(files().setAttributes("C:\\App\\data.txt", faReadOnly | faArchive));
    EXPECT_THROW(files().create("C:\\App\\data.txt"), EFCreateError);
    ASSERT_TRUE(files().setAttributes("C:\\App\\data.txt", faArchive));
    {
        auto reader = files().openRead("C:\\App\\data.txt");
        EXPECT_THROW(files().create("C:\\App\\data.txt"), EFCreateError);
    }
    {
        auto writer = files().create("C:\\App\\data.txt");
        EXPECT_THROW(files().create("C:\\App\\DATA.TXT"), EFCreateError);
        EXPECT_THROW(files().openRead("C:\\App\\data.txt"), EFOpenError);
    }
    machine_->holdFile("C:\\App\\data.txt");
    EXPECT_THROW(files().create("C:\\App\\data.txt"), EFCreateError);
    machine_->releaseFile("C:\\App\\data.txt");
    EXPECT_THROW(files().create("C:\\App"), EFCreateError);
    EXPECT_THROW(files().create("C:\\Missing\\x.txt"), EFCreateError);
    EXPECT_THROW(files().create("C:\\App\\data.txt\\"), EFCreateError);
    try {
        files().create("C:\\Missing\\x.txt");
    } catch (const EFCreateError& error) {
        EXPECT_STREQ(error.what(), "Cannot create file C:\\Missing\\x.txt");
    }
}

TEST_F(FileRulesTest, ReadersShareButKeepWritersOut) {
    auto first = files().openRead("C:\\App\\data.txt");
    auto second = files().openRead("C:\\APP\\DATA.TXT");
    char bytes[4];
    second->readBuffer(bytes, 4);
    EXPECT_EQ(std::string(bytes, 4), "data");
    first.reset();
    EXPECT_THROW(files().create("C:\\App\\data.txt"), EFCreateError);
    second.reset();
    EXPECT_NO_THROW(files().create("C:\\App\\data.txt"));
}

TEST_F(FileRulesTest, OpenReadRefusesFoldersAndMissingFiles) {
    for (const char* path : {"C:\\App", "C:\\App\\missing.txt", "C:\\Missing\\data.txt", "C:\\App\\data.txt\\"}) {
        try {
            files().openRead(path);
            ADD_FAILURE() << path;
        } catch (const EFOpenError& error) {
            EXPECT_EQ(std::string(error.what()), std::string("Cannot open file ") + path);
        }
    }
}

TEST_F(FileRulesTest, CreateReplacesAnExistingFileAndReadsBack) {
    writeMachineFile(files(), "C:\\App\\DATA.TXT", "new");
    EXPECT_EQ(readHostFile(driveC() / "App" / "data.txt"), "new");
    auto stream = files().create("C:\\App\\data.txt");
    stream->writeBuffer("abcdef", 6);
    stream->seek(2, SeekOrigin::Begin);
    char bytes[2];
    stream->readBuffer(bytes, 2);
    EXPECT_EQ(std::string(bytes, 2), "cd");
    EXPECT_EQ(stream->size(), 6);
}

TEST_F(FileRulesTest, FolderCallsRefuseWhatWindowsRefuses) {
    EXPECT_FALSE(files().createDirectory("C:\\App"));
    EXPECT_FALSE(files().createDirectory("C:\\app\\data.txt"));
    EXPECT_FALSE(files().createDirectory("C:\\Missing\\Sub"));
    EXPECT_FALSE(files().createDirectory("C:\\"));
    EXPECT_FALSE(files().removeDirectory("C:\\App"));  // not empty
    EXPECT_FALSE(files().removeDirectory("C:\\Nowhere"));
    EXPECT_FALSE(files().removeDirectory("C:\\App\\data.txt"));
    EXPECT_FALSE(files().removeDirectory("C:\\"));
    ASSERT_TRUE(files().createDirectory("C:\\App\\Empty"));
    ASSERT_TRUE(files().setCurrentDirectory("C:\\App\\Empty"));
    EXPECT_FALSE(files().removeDirectory("C:\\App\\Empty"));
    ASSERT_TRUE(files().setCurrentDirectory("C:\\App"));
    EXPECT_TRUE(files().removeDirectory("empty"));
    EXPECT_FALSE(fs::exists(driveC() / "App" / "Empty"));
    EXPECT_FALSE(files().setCurrentDirectory("C:\\App\\data.txt"));
    EXPECT_FALSE(files().setCurrentDirectory("C:\\Nowhere"));
    EXPECT_EQ(files().currentDirectory(), "C:\\App");
}

TEST_F(FileRulesTest, ForceDirectoriesMakesEveryMissingLevel) {
    EXPECT_TRUE(files().forceDirectories("C:\\App\\one\\two\\three\\"));
    EXPECT_TRUE(fs::is_directory(driveC() / "App" / "one" / "two" / "three"));
    EXPECT_FALSE(files().forceDirectories("C:\\App\\data.txt\\sub"));
}

TEST_F(FileRulesTest, AttributesFollowTheWindowsConventions) {
    const struct {
        std::uint32_t set;
        std::uint32_t read;
    } cases[] = {
        {0, faNormal},
        {faNormal, faNormal},
        {faReadOnly, faReadOnly},
        {faHidden | faSysFile | faArchive, faHidden | faSysFile | faArchive},
        {faDirectory | faVolumeID | faArchive, faArchive},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(files().setAttributes("C:\\App\\data.txt", c.set));
        EXPECT_EQ(files().attributes("C:\\App\\data.txt"), c.read) << c.set;
    }
    writeMachineFile(files(), "C:\\App\\new.txt", "");
    EXPECT_EQ(files().attributes("C:\\App\\new.txt"), faArchive);
    EXPECT_EQ(files().attributes("C:\\App"), faDirectory);
    ASSERT_TRUE(files().setAttributes("C:\\App", faHidden));
    EXPECT_EQ(files().attributes("C:\\App"), faDirectory | faHidden);
    EXPECT_EQ(files().attributes("C:\\"), faDirectory);
    EXPECT_FALSE(files().attributes("C:\\App\\none.txt").has_value());
    EXPECT_FALSE(files().setAttributes("C:\\App\\none.txt", 0));
}

TEST_F(FileRulesTest, ReplacingAFileMarksItChangedButNotOverAHiddenOrSystemFile) {
    ASSERT_TRUE(files().setAttributes("C:\\App\\data.txt", 0));
    writeMachineFile(files(), "C:\\App\\data.txt", "again");
    EXPECT_EQ(files().attributes("C:\\App\\data.txt"), faArchive);
    for (const std::uint32_t refused : {faHidden, faSysFile}) {
        ASSERT_TRUE(files().setAttributes("C:\\App\\data.txt", refused));
        EXPECT_THROW(files().create("C:\\App\\data.txt"), EFCreateError);
        EXPECT_EQ(readHostFile(driveC() / "App" / "data.txt"), "again");
    }
}

TEST_F(FileRulesTest, AttributesPersistAcrossMachineObjectsButNotPastTheirFile) {
    ASSERT_TRUE(files().setAttributes("C:\\App\\data.txt", faReadOnly | faHidden));
    ASSERT_TRUE(files().setAttributes("C:\\App", faSysFile));
    machine_.reset();
    machine_ = openMachine();
    EXPECT_EQ(files().attributes("c:\\APP\\DATA.TXT"), faReadOnly | faHidden);
    EXPECT_EQ(files().attributes("C:\\App"), faDirectory | faSysFile);

    // A file removed behind the machine's back takes its attributes with it once
    // the machine has looked at its folder.
    fs::remove(driveC() / "App" / "data.txt");
    EXPECT_EQ(files().findAll("C:\\App\\*.txt").size(), 0u);
    writeHostFile(driveC() / "App" / "data.txt", "fresh");
    EXPECT_EQ(files().attributes("C:\\App\\data.txt"), faArchive);
}

TEST_F(FileRulesTest, TwoMachineObjectsSeeEachOthersChanges) {
    auto other = openMachine();
    ASSERT_TRUE(other->files().setAttributes("C:\\App\\data.txt", faReadOnly));
    EXPECT_FALSE(files().deleteFile("C:\\App\\data.txt"));
    ASSERT_TRUE(files().setAttributes("C:\\App\\data.txt", 0));
    EXPECT_EQ(other->files().attributes("C:\\App\\data.txt"), faNormal);
}

TEST_F(FileRulesTest, LastWriteTimeIsALocalDosTime) {
    // 2021-06-15 13:45:30 local time.
    const std::uint32_t moment = ((2021 - 1980) << 25) | (6 << 21) | (15 << 16) | (13 << 11) | (45 << 5) | (30 / 2);
    {
        auto stream = files().create("C:\\App\\stamped.txt");
        stream->writeBuffer("x", 1);
        EXPECT_TRUE(stream->setLastWriteTime(moment));
        stream->writeBuffer("y", 1);  // a later write keeps the time that was set
    }
    EXPECT_EQ(files().lastWriteTime("C:\\App\\stamped.txt"), moment);
    const auto found = files().findAll("C:\\App\\stamped.txt");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].lastWriteDos, moment);
    EXPECT_EQ(found[0].size, 2u);
    EXPECT_FALSE(files().lastWriteTime("C:\\App\\none.txt").has_value());

    auto stream = files().create("C:\\App\\bad.txt");
    EXPECT_FALSE(stream->setLastWriteTime(0));                                  // month 0
    EXPECT_FALSE(stream->setLastWriteTime((41u << 25) | (2u << 21) | (30u << 16)));  // 30 February
}

TEST_F(FileRulesTest, FreeSpaceIsTheHostsOrTheOneSet) {
    const auto host = files().diskFreeSpace("C:\\");
    ASSERT_TRUE(host.has_value());
    EXPECT_GT(host->totalClusters, 0u);
    machine_->setFreeSpace('c', 10 * 1024 * 1024);
    for (const char* root : {"C:\\", "", "c:\\App\\", "\\"}) {
        const auto space = files().diskFreeSpace(root);
        ASSERT_TRUE(space.has_value()) << root;
        EXPECT_EQ(std::uint64_t{space->sectorsPerCluster} * space->bytesPerSector * space->freeClusters,
                  10u * 1024 * 1024)
            << root;
    }
    EXPECT_FALSE(files().diskFreeSpace("Q:\\").has_value());
}

// A reading stream reads ahead in blocks; what it gives and where it stands must
// be what plain reads and seeks on the file give, whatever the mix of small and
// large reads and seeks forwards, backwards, inside and outside what it read.
TEST_F(FileRulesTest, ReadsAndSeeksGiveTheFilesBytesInAnyOrder) {
    std::string content(150017, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 + (i >> 8));
    writeMachineFile(files(), "C:\\App\\big.bin", content);
    const std::int64_t size = static_cast<std::int64_t>(content.size());

    struct Step {
        char what;  // 'r' read count, 'b' / 'c' / 'e' seek from the start, here, the end
        std::int64_t amount;
    };
    std::vector<Step> steps = {{'r', 25}, {'r', 13}, {'b', 0},      {'r', 70000}, {'c', -5},    {'r', 10},
                               {'e', -3}, {'r', 10}, {'r', 10},     {'b', 65536}, {'r', 1},     {'c', -65537},
                               {'r', 3},  {'c', 0},  {'b', 150000}, {'r', 100},   {'b', 65535}, {'r', 2},
                               // A read larger than a block after a few bytes, then back into it.
                               {'b', 0},  {'r', 10}, {'r', 140000}, {'c', -1000}, {'r', 500}};
    std::mt19937 random(13);
    for (int i = 0; i < 3000; ++i) {
        const auto pick = random() % 10;
        if (pick < 6) {
            steps.push_back({'r', static_cast<std::int64_t>(pick < 5 ? random() % 300 : random() % 140000)});
        } else if (pick < 8) {
            steps.push_back({'c', static_cast<std::int64_t>(random() % 4000) - 2000});
        } else {
            steps.push_back({'b', static_cast<std::int64_t>(random() % content.size())});
        }
    }
    auto in = files().openRead("C:\\App\\big.bin");
    std::int64_t position = 0;  // where plain reads and seeks would stand
    std::vector<char> buffer(140000);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        SCOPED_TRACE("step " + std::to_string(i));
        if (step.what == 'r') {
            const std::size_t got = in->read(buffer.data(), static_cast<std::size_t>(step.amount));
            const auto expected = static_cast<std::size_t>(std::max<std::int64_t>(0, std::min(step.amount, size - position)));
            ASSERT_EQ(got, expected);
            const std::string expectedBytes = got > 0 ? content.substr(static_cast<std::size_t>(position), got) : "";
            ASSERT_EQ(std::string(buffer.data(), got), expectedBytes);
            position += static_cast<std::int64_t>(got);
        } else {
            const SeekOrigin origin = step.what == 'b' ? SeekOrigin::Begin
                                      : step.what == 'c' ? SeekOrigin::Current : SeekOrigin::End;
            const std::int64_t target = (step.what == 'b' ? 0 : step.what == 'c' ? position : size) + step.amount;
            if (target < 0) continue;
            ASSERT_EQ(in->seek(step.amount, origin), target);
            position = target;
        }
        ASSERT_EQ(in->position(), position);
    }
}

}  // namespace
}  // namespace tavlin::hosted::testing
