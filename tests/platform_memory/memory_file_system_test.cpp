// The in-memory file system: paths resolve as Windows resolves them, so that
// the fuzz targets' "nothing outside the target folder" check sees the file a
// real machine would have written; and the usual file operations.
#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/memory/memory_file_system.h"

namespace tavlin {
namespace {

struct ResolveCase {
    const char* path;
    const char* full;
};

const ResolveCase kResolveCases[] = {
    {"C:\\Out\\a.txt", "C:\\Out\\a.txt"},
    {"c:/Out//docs/./a.txt", "C:\\Out\\docs\\a.txt"},
    {"C:\\Out/../../../../WINDOWS\\WIN.INI", "C:\\WINDOWS\\WIN.INI"},
    {"C:\\Out\\...\\WIN.INI", "C:\\WIN.INI"},
    {"C:\\Out\\. .\\WIN.INI", "C:\\WIN.INI"},
    {"C:\\Out\\docs. \\a.txt.", "C:\\Out\\docs\\a.txt"},
    {"\\Out\\a.txt", "C:\\Out\\a.txt"},
    {"a.txt", "C:\\a.txt"},
    {"D:a.txt", "D:\\a.txt"},
    {"\\\\server\\share\\a.txt", ""},
};

TEST(MemoryFileSystemTest, PathsResolveAsOnWindows) {
    MemoryFileSystem files;
    for (const ResolveCase& c : kResolveCases) EXPECT_EQ(files.fullPathName(c.path), c.full) << c.path;
}

TEST(MemoryFileSystemTest, FilesAndFoldersBehaveAsTheInterfaceSays) {
    MemoryFileSystem files;
    EXPECT_THROW(files.create("C:\\Out\\a.txt"), EFCreateError);  // no parent folder
    ASSERT_TRUE(files.forceDirectories("C:\\Out\\docs"));
    files.create("c:\\out\\DOCS\\a.txt")->writeBuffer("abc", 3);
    const auto read = files.openRead("C:\\Out\\docs\\A.TXT");
    char bytes[4] = {};
    EXPECT_EQ(read->read(bytes, 4), 3u);
    EXPECT_STREQ(bytes, "abc");
    EXPECT_THROW(files.openRead("C:\\Out\\docs"), EFOpenError);
    EXPECT_FALSE(files.removeDirectory("C:\\Out\\docs"));  // not empty
    const auto found = files.find("C:\\Out\\docs\\*.*", faAnyFile);
    ASSERT_EQ(found.size(), 3u);  // ".", ".." and a.txt
    EXPECT_EQ(found[2].name, "a.txt");
    EXPECT_EQ(found[2].size, 3u);
    EXPECT_EQ(files.TakeCreated(), (std::vector<std::string>{"C:\\out\\DOCS\\a.txt"}));
    EXPECT_TRUE(files.TakeCreated().empty());
    EXPECT_TRUE(files.deleteFile("C:\\Out\\docs\\a.txt"));
    EXPECT_TRUE(files.removeDirectory("C:\\Out\\docs"));
    files.SetLargestFile(2);
    EXPECT_THROW(files.create("C:\\Out\\big")->writeBuffer("abc", 3), EWriteError);
    files.Clear("C:\\Out");
    EXPECT_TRUE(files.directoryExists("C:\\Out"));
    EXPECT_FALSE(files.fileExists("C:\\Out\\big"));
}

}  // namespace
}  // namespace tavlin
