// File times as MS-DOS dates, full and short path names, the current folder and
// the Windows folders.
#include <cctype>

#include "platform_conformance/conformance_fixture.h"

namespace tavlin::conformance {
namespace {

std::uint32_t dosDateTime(int year, int month, int day, int hour, int minute, int second) {
    const std::uint32_t date = static_cast<std::uint32_t>(((year - 1980) << 9) | (month << 5) | day);
    const std::uint32_t time = static_cast<std::uint32_t>((hour << 11) | (minute << 5) | (second / 2));
    return (date << 16) | time;
}

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> components(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        auto end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool isShortName(const std::string& name) {
    const auto dot = name.find('.');
    const std::string base = name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
    return !base.empty() && base.size() <= 8 && extension.size() <= 3 && extension.find('.') == std::string::npos &&
           name.find(' ') == std::string::npos;
}

class FileTimes : public PlatformTest {};

TEST_F(FileTimes, ADosTimeSetOnAFileReadsBackUnchanged) {
    const std::uint32_t moments[] = {
        dosDateTime(1998, 2, 3, 4, 5, 6),
        dosDateTime(2001, 7, 15, 23, 59, 58),  // summer time where the zone has one
        dosDateTime(1980, 1, 1, 0, 0, 0),
        dosDateTime(2024, 12, 31, 12, 30, 0),
    };
    const std::string path = scratch() + "dated.txt";
    for (const std::uint32_t moment : moments) {
        SCOPED_TRACE(moment);
        {
            auto out = files().create(path);
            out->writeBuffer("x", 1);
            ASSERT_TRUE(out->setLastWriteTime(moment));
        }
        EXPECT_EQ(files().lastWriteTime(path), moment);
        const auto found = files().findAll(path);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].lastWriteDos, moment);
    }
}

TEST_F(FileTimes, AMissingFileHasNoTime) { EXPECT_EQ(files().lastWriteTime(scratch() + "missing.txt"), std::nullopt); }

TEST_F(FileTimes, ANewFileBearsTheTimeOfNow) {
    const LocalTime now = platform().clock().now();
    writeFile(scratch() + "new.txt", "x");
    const auto written = files().lastWriteTime(scratch() + "new.txt");
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(static_cast<int>(*written >> 25) + 1980, now.year);
}

// The status of one named file or folder is what a search for that name finds.
TEST_F(FileTimes, TheStatusOfANameIsWhatASearchForItFinds) {
    const std::uint32_t moment = dosDateTime(2003, 4, 5, 6, 7, 8);
    {
        auto out = files().create(scratch() + "sized.txt");
        out->writeBuffer("hello", 5);
        ASSERT_TRUE(out->setLastWriteTime(moment));
    }
    ASSERT_TRUE(files().setAttributes(scratch() + "sized.txt", faReadOnly | faArchive));
    ASSERT_TRUE(files().createDirectory(scratch() + "folder"));
    for (const std::string name : {"sized.txt", "SIZED.TXT", "folder"}) {
        SCOPED_TRACE(name);
        const auto status = files().status(scratch() + name);
        const auto found = files().findAll(scratch() + name);
        ASSERT_TRUE(status.has_value());
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(status->attributes, found[0].attributes);
        if ((status->attributes & faDirectory) == 0) {
            EXPECT_EQ(status->size, 5u);
            EXPECT_EQ(status->lastWriteDos, moment);
        }
    }
    EXPECT_EQ(files().status(scratch() + "sized.txt")->attributes, faReadOnly | faArchive);
    EXPECT_NE(files().status(scratch() + "folder")->attributes & faDirectory, 0u);
    // Nothing for a missing name, and nothing for a pattern, even one that matches.
    EXPECT_EQ(files().status(scratch() + "missing.txt"), std::nullopt);
    EXPECT_EQ(files().status(scratch() + "*.txt"), std::nullopt);
    EXPECT_EQ(files().status(scratch() + "sized.tx?"), std::nullopt);
    // The size alone: of files only.
    EXPECT_EQ(files().fileSize(scratch() + "SIZED.TXT"), 5u);
    for (const std::string name : {"folder", "missing.txt", "*.txt"}) {
        EXPECT_EQ(files().fileSize(scratch() + name), std::nullopt) << name;
    }
    files().setAttributes(scratch() + "sized.txt", 0);
}

class PathNames : public PlatformTest {};

TEST_F(PathNames, FullPathNamesResolveDotsAgainstTheCurrentFolder) {
    ASSERT_TRUE(files().createDirectory(scratch() + "sub"));
    ASSERT_TRUE(files().setCurrentDirectory(scratch() + "sub"));
    const std::string current = files().currentDirectory();
    EXPECT_EQ(upper(current), upper(scratch() + "sub"));

    const std::string drive = current.substr(0, 2);
    struct Case {
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {"f.txt", current + "\\f.txt"},
        {"..\\f.txt", scratch() + "f.txt"},
        {".\\x\\..\\y\\f.txt", current + "\\y\\f.txt"},
        {"new\\", current + "\\new\\"},
        {"C:\\A\\.\\B\\..\\C", "C:\\A\\C"},
        {"C:\\A\\B\\", "C:\\A\\B\\"},
        {"\\Top\\f.txt", drive + "\\Top\\f.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(upper(files().fullPathName(c.path)), upper(c.expected));
    }
}

TEST_F(PathNames, TheCurrentFolderHasNoTrailingSeparatorButARootHas) {
    ASSERT_TRUE(files().setCurrentDirectory(scratch()));
    const std::string current = files().currentDirectory();
    EXPECT_NE(current.back(), '\\');
    EXPECT_EQ(upper(current + "\\"), upper(scratch()));
    EXPECT_FALSE(files().setCurrentDirectory(scratch() + "missing"));
    EXPECT_EQ(files().currentDirectory(), current);

    const std::string root = current.substr(0, 3);
    ASSERT_TRUE(files().setCurrentDirectory(root));
    EXPECT_EQ(upper(files().currentDirectory()), upper(root));
    ASSERT_TRUE(files().setCurrentDirectory(scratch() + ".."));
    EXPECT_EQ(upper(files().currentDirectory() + "\\"), upper(files().fullPathName(scratch() + "..\\")));
}

TEST_F(PathNames, TheWindowsFoldersExistWithoutTrailingSeparators) {
    const std::string windows = files().windowsDirectory();
    const std::string system = files().systemDirectory();
    for (const std::string& folder : {windows, system}) {
        SCOPED_TRACE(folder);
        ASSERT_GE(folder.size(), 3u);
        EXPECT_EQ(folder.substr(1, 2), ":\\");
        EXPECT_NE(folder.back(), '\\');
        EXPECT_TRUE(files().directoryExists(folder));
    }
    EXPECT_EQ(upper(system).rfind(upper(windows) + "\\", 0), 0u) << "the system folder lies in the Windows folder";
}

TEST_F(PathNames, FreeSpaceIsReportedForTheDriveOfAFolder) {
    const auto space = files().diskFreeSpace(scratch().substr(0, 3));
    ASSERT_TRUE(space.has_value());
    EXPECT_GT(space->bytesPerSector, 0u);
    EXPECT_GT(space->sectorsPerCluster, 0u);
    EXPECT_GT(space->totalClusters, 0u);
    EXPECT_LE(space->freeClusters, space->totalClusters);
}

class ShortNames : public PlatformTest {};

TEST_F(ShortNames, ALongPathHasAnEightDotThreeFormThatOpensTheSameFile) {
    const std::string folder = scratch() + "Program Files Test\\My Application Folder";
    ASSERT_TRUE(files().forceDirectories(folder));
    const std::string file = folder + "\\A Long Document Name.text";
    writeFile(file, "the same file");

    const auto shortScratch = files().shortPathName(scratch());
    const auto shortFolder = files().shortPathName(folder);
    const auto shortFile = files().shortPathName(file);
    ASSERT_TRUE(shortScratch && shortFolder && shortFile);

    ASSERT_EQ(shortFile->rfind(*shortScratch, 0), 0u) << *shortFile;
    const auto added = components(shortFile->substr(shortScratch->size()));
    ASSERT_EQ(added.size(), 3u) << *shortFile;
    for (const auto& name : added) {
        EXPECT_TRUE(isShortName(name)) << name;
        EXPECT_EQ(name, upper(name));
    }
    EXPECT_EQ(*shortFile, *shortFolder + "\\" + added.back());
    EXPECT_EQ(readFile(*shortFile), "the same file");
    EXPECT_TRUE(files().directoryExists(*shortFolder));
    // The short form of a short path is itself.
    EXPECT_EQ(files().shortPathName(*shortFile), *shortFile);
}

TEST_F(ShortNames, NamesThatAreAlreadyShortStay) {
    ASSERT_TRUE(files().createDirectory(scratch() + "APP"));
    writeFile(scratch() + "APP\\SETUP.EXE", "x");
    const auto shortScratch = files().shortPathName(scratch());
    ASSERT_TRUE(shortScratch.has_value());
    EXPECT_EQ(files().shortPathName(scratch() + "APP\\SETUP.EXE"), *shortScratch + "APP\\SETUP.EXE");
}

TEST_F(ShortNames, APathThatDoesNotExistHasNone) {
    EXPECT_EQ(files().shortPathName(scratch() + "Not There\\file.txt"), std::nullopt);
    EXPECT_EQ(files().shortPathName(scratch() + "Missing Long Name.txt"), std::nullopt);
}

TEST_F(ShortNames, FoundEntriesGiveTheShortNameOfALongName) {
    writeFile(scratch() + "A Long Document Name.text", "x");
    writeFile(scratch() + "SHORT.TXT", "x");
    for (const auto& entry : files().findAll(scratch() + "*.*")) {
        SCOPED_TRACE(entry.name);
        if (entry.name == "A Long Document Name.text") {
            EXPECT_TRUE(isShortName(entry.alternateName));
            EXPECT_TRUE(files().fileExists(scratch() + entry.alternateName));
        } else if (entry.name == "SHORT.TXT") {
            EXPECT_EQ(entry.alternateName, "");
        }
    }
}

}  // namespace
}  // namespace tavlin::conformance
