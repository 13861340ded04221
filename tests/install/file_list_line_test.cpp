// finstall.cfg lines: how they are cut, and which the path rule refuses before
// the expansion or the installation could act on them.
#include <gtest/gtest.h>

#include "install/file_list_line.h"

namespace tavlin {
namespace {

TEST(FileListLineTest, FieldsAndSourceAreCutAsTheInstallationListsAre) {
    const FileListLine line = SplitFileListLine("Installation Directory\tData\tsub,\"a,b\",C:\\Work\\Data\\readme.txt");
    EXPECT_EQ(line.fields, (std::vector<std::string>{"Installation Directory", "Data", "sub", "a,b"}));
    EXPECT_EQ(line.source, "C:\\Work\\Data\\readme.txt");
    EXPECT_EQ(SourceBelowDrive(line.source), "Work\\Data\\readme.txt");
}

struct LineCase {
    const char* line;
    PathFault fault;
};

const LineCase kLineCases[] = {
    {"Installation Directory,C:\\setup.exe", PathFault::None},
    {"Installation Directory\tData\tC:\\Work\\Data\\readme.txt", PathFault::None},
    {"Windows,C:\\Work\\fonts\\", PathFault::None},
    {"Installation Directory,C:\\..\\..\\..\\..\\My Documents\\letter.doc", PathFault::UpLevel},
    {"Installation Directory,C:\\Work/../../WINDOWS\\WIN.INI", PathFault::UpLevel},
    {"Installation Directory\t..\\..\\WINDOWS\tC:\\Work\\a.txt", PathFault::UpLevel},
    {"Installation Directory\tC:\\WINDOWS\tC:\\Work\\a.txt", PathFault::Drive},
    {"Installation Directory\t\\WINDOWS\tC:\\Work\\a.txt", PathFault::Rooted},
    {"Installation Directory,C:\\Work\\CON", PathFault::Device},
    {"Installation Directory,C:\\Work\\a.txt:stream", PathFault::Stream},
    {"Installation Directory,\\\\server\\share\\a.txt", PathFault::NotAbsolute},
    {"Installation Directory,Work\\a.txt", PathFault::NotAbsolute},
    {"Installation Directory,C:\\", PathFault::NotAbsolute},
    {"Installation Directory,C:\\.\\", PathFault::CurrentFolder},
};

TEST(FileListLineTest, UnsafeLinesAreRefused) {
    for (const LineCase& c : kLineCases) {
        EXPECT_EQ(FileListLineFault(SplitFileListLine(c.line)), c.fault) << c.line;
    }
}

}  // namespace
}  // namespace tavlin
