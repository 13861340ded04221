// The path rule: a table of names from hostile media and what the rule says of
// each, and the "stays inside its folder" check.
#include <gtest/gtest.h>

#include <string>

#include "support/safe_path.h"

namespace tavlin {
namespace {

struct FaultCase {
    const char* path;
    PathForm form;
    PathFault fault;
};

constexpr PathForm kRel = PathForm::Relative;
constexpr PathForm kRoot = PathForm::Rooted;
constexpr PathForm kAbs = PathForm::Absolute;

const FaultCase kFaultCases[] = {
    // Names a valid medium uses.
    {"readme.txt", kRel, PathFault::None},
    {"docs\\guide\\intro.txt", kRel, PathFault::None},
    {"docs/guide/intro.txt", kRel, PathFault::None},
    {"docs\\", kRel, PathFault::None},
    {"Program Files\\Acme Pro 2.0\\a.b.c", kRel, PathFault::None},
    {"\\Acme\\readme.txt", kRoot, PathFault::None},
    {"C:\\Acme\\", kAbs, PathFault::None},
    {"c:/Acme/bin/app.exe", kAbs, PathFault::None},
    {"C:\\", kAbs, PathFault::None},
    {"\\\\server\\share\\Acme\\", kAbs, PathFault::None},
    {"CONFIG.SYS", kRel, PathFault::None},
    {"console.txt", kRel, PathFault::None},
    {"COM10", kRel, PathFault::None},
    {"LPT", kRel, PathFault::None},
    // Climbing out, also in the forms Windows shortens to "..".
    {"..", kRel, PathFault::UpLevel},
    {"..\\My Documents\\letter.doc", kRel, PathFault::UpLevel},
    {"a/../../b", kRel, PathFault::UpLevel},
    {"a\\...\\b", kRel, PathFault::UpLevel},
    {"a\\. .\\b", kRel, PathFault::UpLevel},
    {"a\\.. \\b", kRel, PathFault::UpLevel},
    {"a\\.. .\\b", kRel, PathFault::UpLevel},
    {"C:\\Acme/../../../../../WINDOWS\\", kAbs, PathFault::UpLevel},
    {"C:\\..\\..\\My Documents\\letter.doc", kAbs, PathFault::UpLevel},
    {"a\\ \\b", kRel, PathFault::Empty},
    {".\\readme.txt", kRel, PathFault::CurrentFolder},
    {"C:\\Acme\\.\\x", kAbs, PathFault::CurrentFolder},
    {"", kRel, PathFault::Empty},
    {"\\", kRoot, PathFault::Empty},
    // Drives, shares and the root where a relative name belongs.
    {"C:\\WINDOWS\\WIN.INI", kRel, PathFault::Drive},
    {"C:WIN.INI", kRoot, PathFault::Drive},
    {"C:WIN.INI", kAbs, PathFault::NotAbsolute},
    {"\\\\server\\share\\x", kRel, PathFault::Network},
    {"//server/share/x", kRoot, PathFault::Network},
    {"\\\\?\\C:\\WINDOWS\\", kAbs, PathFault::Network},
    {"\\\\.\\PhysicalDrive0", kAbs, PathFault::Network},
    {"\\\\server", kAbs, PathFault::Network},
    {"\\WINDOWS\\WIN.INI", kRel, PathFault::Rooted},
    {"/WINDOWS/WIN.INI", kRel, PathFault::Rooted},
    {"\\Acme\\", kAbs, PathFault::NotAbsolute},
    {"Acme\\", kAbs, PathFault::NotAbsolute},
    // Streams, devices, characters and lengths.
    {"readme.txt:hidden", kRel, PathFault::Stream},
    {"C:\\Acme\\readme.txt:$DATA", kAbs, PathFault::Stream},
    {"CON", kRel, PathFault::Device},
    {"docs\\nul.txt", kRel, PathFault::Device},
    {"Aux.tar.gz", kRel, PathFault::Device},
    {"com1", kRel, PathFault::Device},
    {"LPT9.log", kRel, PathFault::Device},
    {"prn .txt", kRel, PathFault::Device},
    {"CON.", kRel, PathFault::Device},
    {"clock$", kRel, PathFault::Device},
    {"C:\\Acme\\CONOUT$", kAbs, PathFault::Device},
    {"COM\xB9", kRel, PathFault::Device},
    {"a<b", kRel, PathFault::BadCharacter},
    {"a>b", kRel, PathFault::BadCharacter},
    {"a|b", kRel, PathFault::BadCharacter},
    {"a\"b", kRel, PathFault::BadCharacter},
    {"a?b", kRel, PathFault::BadCharacter},
    {"C:\\Acme\\*.*", kAbs, PathFault::BadCharacter},
    {"a\tb", kRel, PathFault::BadCharacter},
};

TEST(SafePathTest, EachNameGetsItsFault) {
    for (const FaultCase& c : kFaultCases) {
        EXPECT_EQ(FindPathFault(c.path, c.form), c.fault) << '"' << c.path << '"';
    }
}

TEST(SafePathTest, LengthsStopAtWhatWindowsTakes) {
    const std::string longestName(kMaxNameLength, 'a');
    EXPECT_EQ(FindNameFault(longestName), PathFault::None);
    EXPECT_EQ(FindNameFault(longestName + "a"), PathFault::TooLong);
    EXPECT_EQ(FindPathFault("docs\\" + std::string(300, 'a'), kRel), PathFault::TooLong);
    std::string longestPath = "C:";
    while (longestPath.size() + 11 <= kMaxPathLength) longestPath += "\\abcdefghij";
    longestPath.resize(kMaxPathLength, 'x');
    EXPECT_EQ(FindPathFault(longestPath, kAbs), PathFault::None);
    EXPECT_EQ(FindPathFault(longestPath + "x", kAbs), PathFault::TooLong);
}

TEST(SafePathTest, CheckPathRaisesWithTheNameAndTheReason) {
    try {
        CheckPath("..\\letter.doc", kRel);
        FAIL() << "no exception";
    } catch (const EUnsafePath& error) {
        EXPECT_EQ(error.Fault, PathFault::UpLevel);
        EXPECT_STREQ(error.what(), "Unsafe path \"..\\letter.doc\": climbs out with \"..\"");
    }
    EXPECT_NO_THROW(CheckPath("letter.doc", kRel));
}

struct ResolveCase {
    const char* path;
    const char* resolved;
};

const ResolveCase kResolveCases[] = {
    {"C:\\Acme\\bin\\..\\readme.txt", "C:\\Acme\\readme.txt"},
    {"C:/Acme//bin/./app.exe", "C:\\Acme\\bin\\app.exe"},
    {"C:\\Acme\\docs. \\", "C:\\Acme\\docs\\"},
    {"C:\\Acme\\...\\x", "C:\\x"},
    {"C:\\Acme\\. .\\x", "C:\\x"},
    {"C:\\..", ""},
    {"\\\\server\\share\\a\\..\\b", "\\\\server\\share\\b"},
    {"\\\\server\\share\\..", ""},
    {"docs\\..\\readme.txt", "readme.txt"},
    {"..\\readme.txt", ""},
    {"\\Acme\\x", "\\Acme\\x"},
};

TEST(SafePathTest, ResolvePathFollowsWindows) {
    for (const ResolveCase& c : kResolveCases) EXPECT_EQ(ResolvePath(c.path), c.resolved) << c.path;
}

struct InsideCase {
    const char* path;
    const char* folder;
    bool inside;
};

const InsideCase kInsideCases[] = {
    {"C:\\WINDOWS\\Temp\\_ISTMP1\\Acme\\readme.txt", "C:\\WINDOWS\\Temp\\_ISTMP1\\", true},
    {"c:\\windows\\temp\\_istmp1", "C:\\WINDOWS\\Temp\\_ISTMP1\\", true},
    {"C:\\WINDOWS\\Temp\\_ISTMP1/Acme/../../../../WINDOWS\\WIN.INI", "C:\\WINDOWS\\Temp\\_ISTMP1\\", false},
    {"C:\\WINDOWS\\Temp\\_ISTMP1\\...\\WIN.INI", "C:\\WINDOWS\\Temp\\_ISTMP1\\", false},
    {"C:\\WINDOWS\\Temp\\_ISTMP10\\x", "C:\\WINDOWS\\Temp\\_ISTMP1\\", false},
    {"D:\\WINDOWS\\Temp\\_ISTMP1\\x", "C:\\WINDOWS\\Temp\\_ISTMP1\\", false},
    {"C:\\Program Files\\Acme\\bin\\x.dll", "C:\\Program Files\\Acme", true},
    {"C:\\Program Files\\Acme\\bin\\..\\..\\Other\\x.dll", "C:\\Program Files\\Acme", false},
    {"C:\\..\\..\\My Documents\\letter.doc", "C:\\", false},
};

TEST(SafePathTest, PathLiesInsideItsFolderOnlyAfterResolving) {
    for (const InsideCase& c : kInsideCases) {
        EXPECT_EQ(PathLiesInside(c.path, c.folder), c.inside) << c.path << " in " << c.folder;
    }
}

TEST(SafePathTest, JoinInsideAcceptsOnlyNamesThatStayBelowTheFolder) {
    EXPECT_EQ(JoinInside("C:\\Acme", "docs/readme.txt"), "C:\\Acme\\docs\\readme.txt");
    EXPECT_EQ(JoinInside("C:\\Acme\\", "readme.txt"), "C:\\Acme\\readme.txt");
    for (const char* name : {"..\\x", "docs\\...\\..\\x", "\\x", "C:\\x", "nul", "x:y"}) {
        EXPECT_THROW(JoinInside("C:\\Acme\\", name), EUnsafePath) << name;
    }
    EXPECT_THROW(JoinInside("C:\\" + std::string(250, 'a'), std::string(20, 'b')), EUnsafePath);
}

}  // namespace
}  // namespace tavlin
