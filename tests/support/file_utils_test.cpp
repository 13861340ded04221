// File copies, pattern deletion and file dates on a hosted machine.
#include <gtest/gtest.h>

#include <string>

#include "common/machine_fixture.h"
#include "platform/errors.h"
#include "support/file_utils.h"

namespace tavlin {
namespace {

class FileUtilsTest : public test::MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine_ = openMachine();
        files().forceDirectories("C:\\T");
        files().forceDirectories("C:\\App");
    }
    FileSystem& files() { return machine_->files(); }
    void Write(const std::string& path, const std::string& bytes) {
        files().forceDirectories(path.substr(0, path.rfind('\\')));
        test::writeMachineFile(files(), path, bytes);
    }
    std::string Read(const std::string& path) { return test::readMachineFile(files(), path); }

    std::unique_ptr<hosted::HostedMachine> machine_;
};

TEST_F(FileUtilsTest, CopiesIntoAFolderUnderTheSourceName) {
    Write("C:\\T\\a.dll", "library");
    CopyFileTo(*machine_, "C:\\T\\a.dll", "C:\\App");
    CopyFileTo(*machine_, "C:\\T\\a.dll", "C:\\App\\b.dll");
    EXPECT_EQ(Read("C:\\App\\a.dll"), "library");
    EXPECT_EQ(Read("C:\\App\\b.dll"), "library");
    Write("C:\\T\\a.dll", "newer");
    CopyFileTo(*machine_, "C:\\T\\a.dll", "C:\\App\\");  // replaces the earlier copy
    EXPECT_EQ(Read("C:\\App\\a.dll"), "newer");
}

TEST_F(FileUtilsTest, CopiesEmptyChunkSizedAndLargerFilesWhole) {
    for (const std::size_t size : {std::size_t{0}, std::size_t{8192}, std::size_t{8193}, std::size_t{20000}}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 % 251);
        Write("C:\\T\\data.bin", bytes);
        CopyFileTo(*machine_, "C:\\T\\data.bin", "C:\\App\\data.bin");
        EXPECT_EQ(Read("C:\\App\\data.bin"), bytes) << size;
    }
}

TEST_F(FileUtilsTest, CopyFailuresNameTheFile) {
    try {
        CopyFileTo(*machine_, "C:\\T\\missing.txt", "C:\\App");
        FAIL() << "no error";
    } catch (const EFOpenError& error) {
        EXPECT_STREQ(error.what(), "Cannot open file C:\\T\\missing.txt");
    }
    Write("C:\\T\\a.txt", "x");
    Write("C:\\App\\a.txt", "locked");
    files().setAttributes("C:\\App\\a.txt", faReadOnly);
    try {
        CopyFileTo(*machine_, "C:\\T\\a.txt", "C:\\App");
        FAIL() << "no error";
    } catch (const EFCreateError& error) {
        EXPECT_STREQ(error.what(), "Cannot create file C:\\App\\a.txt");
    }
    EXPECT_EQ(Read("C:\\App\\a.txt"), "locked");
}

TEST_F(FileUtilsTest, DeleteMatchingFilesLeavesFoldersAndReadOnlyFiles) {
    Write("C:\\T\\a.txt", "a");
    Write("C:\\T\\b.dat", "b");
    Write("C:\\T\\ro.txt", "r");
    Write("C:\\T\\hidden.txt", "h");
    files().setAttributes("C:\\T\\ro.txt", faReadOnly);
    files().setAttributes("C:\\T\\hidden.txt", faHidden);
    files().forceDirectories("C:\\T\\Sub.txt");
    DeleteMatchingFiles(*machine_, "C:\\T\\", "*.txt");
    EXPECT_FALSE(files().fileExists("C:\\T\\a.txt"));
    EXPECT_FALSE(files().fileExists("C:\\T\\hidden.txt"));
    EXPECT_TRUE(files().fileExists("C:\\T\\ro.txt"));
    EXPECT_TRUE(files().fileExists("C:\\T\\b.dat"));
    EXPECT_TRUE(files().directoryExists("C:\\T\\Sub.txt"));
    DeleteMatchingFiles(*machine_, "C:\\T\\", "*.*");
    EXPECT_FALSE(files().fileExists("C:\\T\\b.dat"));
}

TEST_F(FileUtilsTest, CopyFolderTreeCopiesSubfolderTreesOnly) {
    Write("C:\\Old\\top.txt", "stays behind");
    Write("C:\\Old\\Data\\d.txt", "data");
    Write("C:\\Old\\Data\\Deep\\e.txt", "deep");
    Write("C:\\Old\\Logs\\l.txt", "log");
    files().forceDirectories("C:\\Old\\Empty");
    CopyFolderTree(*machine_, "C:\\Old", "C:\\New\\");
    EXPECT_FALSE(files().fileExists("C:\\New\\top.txt"));
    EXPECT_EQ(Read("C:\\New\\Data\\d.txt"), "data");
    EXPECT_EQ(Read("C:\\New\\Data\\Deep\\e.txt"), "deep");
    EXPECT_EQ(Read("C:\\New\\Logs\\l.txt"), "log");
    EXPECT_TRUE(files().directoryExists("C:\\New\\Empty"));

    Write("C:\\OnlyFiles\\x.txt", "x");
    CopyFolderTree(*machine_, "C:\\OnlyFiles", "C:\\Copy\\");
    EXPECT_FALSE(files().directoryExists("C:\\Copy"));
}

TEST_F(FileUtilsTest, FileDateIsTheLastWriteOrZero) {
    EXPECT_EQ(FileDate(*machine_, "C:\\T\\missing.txt"), 0);
    EXPECT_EQ(FileDate(*machine_, "C:\\T"), 0);  // a folder has no file date
    Write("C:\\T\\dated.txt", "x");
    {
        auto stream = files().create("C:\\T\\dated.txt");
        ASSERT_TRUE(stream->setLastWriteTime(LocalTimeToDosDateTime({2001, 2, 3, 4, 5, 6})));
    }
    EXPECT_DOUBLE_EQ(FileDate(*machine_, "C:\\T\\dated.txt"), EncodeDateTime({2001, 2, 3, 4, 5, 6}));
}

TEST_F(FileUtilsTest, HasAttributesNeedsEveryBit) {
    Write("C:\\T\\a.txt", "a");
    files().setAttributes("C:\\T\\a.txt", faReadOnly | faHidden);
    EXPECT_TRUE(HasAttributes(*machine_, "C:\\T\\a.txt", faReadOnly));
    EXPECT_TRUE(HasAttributes(*machine_, "C:\\T\\a.txt", faReadOnly | faHidden));
    EXPECT_FALSE(HasAttributes(*machine_, "C:\\T\\a.txt", faReadOnly | faSysFile));
    EXPECT_FALSE(HasAttributes(*machine_, "C:\\T\\missing.txt", 0));
}

}  // namespace
}  // namespace tavlin
