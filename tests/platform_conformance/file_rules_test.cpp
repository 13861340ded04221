// Finding, attributes, deleting, opening and creating files and folders as the
// copy helpers and the tree deletion rely on them.
#include <algorithm>
#include <set>

#include "platform_conformance/conformance_fixture.h"

namespace tavlin::conformance {
namespace {

std::set<std::string> namesOf(const std::vector<FindData>& entries) {
    std::set<std::string> names;
    for (const auto& entry : entries) names.insert(entry.name);
    return names;
}

// A folder holding one entry of each kind the filters tell apart.
class FindFilters : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        writeFile(scratch() + "plain.txt", "p");
        writeFile(scratch() + "readonly.txt", "r");
        writeFile(scratch() + "hidden.txt", "h");
        writeFile(scratch() + "system.txt", "s");
        writeFile(scratch() + "README", "no dot");
        ASSERT_TRUE(files().createDirectory(scratch() + "sub"));
        ASSERT_TRUE(files().setAttributes(scratch() + "readonly.txt", faReadOnly));
        ASSERT_TRUE(files().setAttributes(scratch() + "hidden.txt", faHidden));
        ASSERT_TRUE(files().setAttributes(scratch() + "system.txt", faSysFile));
    }
};

TEST_F(FindFilters, AFilterAdmitsHiddenSystemAndFolderEntriesOnlyWhenAskedFor) {
    struct Case {
        std::uint32_t filter;
        std::set<std::string> expected;
    };
    const Case cases[] = {
        {0, {"plain.txt", "readonly.txt", "README"}},
        {faReadOnly | faArchive, {"plain.txt", "readonly.txt", "README"}},
        {faHidden, {"plain.txt", "readonly.txt", "README", "hidden.txt"}},
        {faSysFile, {"plain.txt", "readonly.txt", "README", "system.txt"}},
        {faDirectory, {"plain.txt", "readonly.txt", "README", ".", "..", "sub"}},
        {0x37, {"plain.txt", "readonly.txt", "README", "hidden.txt", "system.txt", ".", "..", "sub"}},
        {faAnyFile, {"plain.txt", "readonly.txt", "README", "hidden.txt", "system.txt", ".", "..", "sub"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(namesOf(files().find(scratch() + "*.*", c.filter)), c.expected);
    }
}

TEST_F(FindFilters, EntriesCarryTheirAttributes) {
    for (const auto& entry : files().findAll(scratch() + "*.*")) {
        SCOPED_TRACE(entry.name);
        const std::uint32_t kinds = entry.attributes & (faReadOnly | faHidden | faSysFile | faDirectory);
        if (entry.name == "." || entry.name == ".." || entry.name == "sub") {
            EXPECT_EQ(entry.attributes, static_cast<std::uint32_t>(faDirectory));
        } else if (entry.name == "readonly.txt") {
            EXPECT_EQ(kinds, static_cast<std::uint32_t>(faReadOnly));
        } else if (entry.name == "hidden.txt") {
            EXPECT_EQ(kinds, static_cast<std::uint32_t>(faHidden));
        } else if (entry.name == "system.txt") {
            EXPECT_EQ(kinds, static_cast<std::uint32_t>(faSysFile));
        } else {
            EXPECT_EQ(kinds, 0u);
            EXPECT_EQ(entry.size, entry.name == "README" ? 6u : 1u);
        }
    }
}

TEST_F(FindFilters, WildcardsMatchAsOnWindows) {
    writeFile(scratch() + "ab.dat", "");
    writeFile(scratch() + "abc.dat", "");
    writeFile(scratch() + "X.DAT", "");
    struct Case {
        std::string pattern;
        std::set<std::string> expected;
    };
    const Case cases[] = {
        {"*.*", {"plain.txt", "readonly.txt", "README", "ab.dat", "abc.dat", "X.DAT"}},
        {"*", {"plain.txt", "readonly.txt", "README", "ab.dat", "abc.dat", "X.DAT"}},
        {"*.dat", {"ab.dat", "abc.dat", "X.DAT"}},
        {"a?.dat", {"ab.dat"}},
        {"readme", {"README"}},
        {"PLAIN.TXT", {"plain.txt"}},
        {"*.none", {}},
        {"nothing", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(namesOf(files().find(scratch() + c.pattern, 0)), c.expected);
    }
    EXPECT_TRUE(files().findAll(scratch() + "missing\\*.*").empty());
}

class FileRules : public PlatformTest {};

TEST_F(FileRules, ReadOnlyFilesResistDeletionAndHiddenOnesDoNot) {
    const std::string readOnly = scratch() + "r.txt";
    const std::string hidden = scratch() + "h.txt";
    writeFile(readOnly, "r");
    writeFile(hidden, "h");
    ASSERT_TRUE(files().setAttributes(readOnly, faReadOnly | faArchive));
    ASSERT_TRUE(files().setAttributes(hidden, faHidden | faSysFile));

    EXPECT_FALSE(files().deleteFile(readOnly));
    EXPECT_TRUE(files().fileExists(readOnly));
    EXPECT_TRUE(files().deleteFile(hidden));
    EXPECT_FALSE(files().attributes(hidden).has_value());

    ASSERT_TRUE(files().setAttributes(readOnly, 0));
    EXPECT_TRUE(files().deleteFile(readOnly));
    EXPECT_FALSE(files().deleteFile(readOnly));
}

TEST_F(FileRules, AttributesZeroMeanNormal) {
    const std::string path = scratch() + "f.txt";
    writeFile(path, "x");
    ASSERT_TRUE(files().setAttributes(path, faReadOnly | faHidden | faSysFile | faArchive));
    EXPECT_EQ(files().attributes(path), faReadOnly | faHidden | faSysFile | faArchive);
    ASSERT_TRUE(files().setAttributes(path, 0));
    // Wine keeps no archive bit of its own and reports every file as archived.
    const std::uint32_t normal = isWine() ? faArchive : faNormal;
    EXPECT_EQ(files().attributes(path), normal);
}

// Setting the attributes a file already has succeeds and keeps them, whether
// they are a new file's, read-only ones, or "normal" asked for as 0.
TEST_F(FileRules, SettingTheAttributesAFileHasSucceedsAndKeepsThem) {
    const std::string path = scratch() + "same.txt";
    writeFile(path, "x");
    const std::uint32_t fresh = *files().attributes(path);
    ASSERT_TRUE(files().setAttributes(path, fresh));
    EXPECT_EQ(files().attributes(path), fresh);
    for (int time = 0; time < 2; ++time) {
        ASSERT_TRUE(files().setAttributes(path, faReadOnly | faArchive));
        EXPECT_EQ(files().attributes(path), faReadOnly | faArchive);
        EXPECT_FALSE(files().deleteFile(path));
    }
    // Wine keeps no archive bit of its own and reports every file as archived.
    const std::uint32_t normal = isWine() ? faArchive : faNormal;
    for (int time = 0; time < 2; ++time) {
        ASSERT_TRUE(files().setAttributes(path, 0));
        EXPECT_EQ(files().attributes(path), normal);
    }
    EXPECT_TRUE(files().deleteFile(path));
}

TEST_F(FileRules, NewFilesAreArchivedAndNewFoldersAreOnlyFolders) {
    writeFile(scratch() + "f.txt", "x");
    ASSERT_TRUE(files().createDirectory(scratch() + "d"));
    EXPECT_EQ(files().attributes(scratch() + "f.txt"), static_cast<std::uint32_t>(faArchive));
    EXPECT_EQ(files().attributes(scratch() + "d"), static_cast<std::uint32_t>(faDirectory));
    EXPECT_EQ(files().attributes(scratch() + "missing"), std::nullopt);
    EXPECT_TRUE(files().fileExists(scratch() + "F.TXT"));
    EXPECT_FALSE(files().directoryExists(scratch() + "f.txt"));
    EXPECT_TRUE(files().directoryExists(scratch() + "D\\"));
    EXPECT_FALSE(files().fileExists(scratch() + "d"));
}

TEST_F(FileRules, AFileOpenForReadingTakesOtherReadersButNoWriter) {
    const std::string path = scratch() + "f.txt";
    writeFile(path, "content");
    auto reader = files().openRead(path);
    auto second = files().openRead(path);
    EXPECT_EQ(readFile(path), "content");
    EXPECT_THROW(files().create(path), EFCreateError);
    EXPECT_FALSE(files().deleteFile(path));
    reader.reset();
    second.reset();
    EXPECT_NO_THROW(files().create(path));
}

TEST_F(FileRules, ACreatedFileIsExclusive) {
    const std::string path = scratch() + "f.txt";
    auto writer = files().create(path);
    EXPECT_THROW(files().openRead(path), EFOpenError);
    EXPECT_THROW(files().create(path), EFCreateError);
}

TEST_F(FileRules, CreatingReplacesTheContentButNotAReadOnlyFile) {
    const std::string path = scratch() + "f.txt";
    writeFile(path, "a longer first content");
    writeFile(path, "short");
    EXPECT_EQ(readFile(path), "short");

    ASSERT_TRUE(files().setAttributes(path, faReadOnly));
    if (isWine()) GTEST_SKIP() << "Wine leaves the read-only check to the host's file permissions";
    EXPECT_THROW(files().create(path), EFCreateError);
    EXPECT_EQ(readFile(path), "short");
}

TEST_F(FileRules, CreatingOverAHiddenOrSystemFileIsRefused) {
    if (isWine()) GTEST_SKIP() << "Wine replaces hidden and system files that Windows refuses to create over";
    const std::uint32_t refused[] = {faHidden, faSysFile, faHidden | faArchive};
    for (const std::uint32_t attributes : refused) {
        SCOPED_TRACE(attributes);
        const std::string path = scratch() + "f.txt";
        files().setAttributes(path, 0);
        writeFile(path, "kept");
        ASSERT_TRUE(files().setAttributes(path, attributes));
        EXPECT_THROW(files().create(path), EFCreateError);
        EXPECT_EQ(readFile(path), "kept");
    }
}

TEST_F(FileRules, FailuresToOpenAndCreateNameThePath) {
    const std::string missing = scratch() + "missing.txt";
    try {
        files().openRead(missing);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + missing);
    }
    const std::string inMissingFolder = scratch() + "missing\\f.txt";
    try {
        files().create(inMissingFolder);
        FAIL() << "created a file in a missing folder";
    } catch (const EFCreateError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + inMissingFolder);
    }
}

TEST_F(FileRules, StreamsReadShortAtTheEndAndSeek) {
    const std::string path = scratch() + "f.bin";
    {
        auto out = files().create(path);
        out->writeBuffer("0123456789", 10);
        EXPECT_EQ(out->position(), 10);
        EXPECT_EQ(out->seek(2, SeekOrigin::Begin), 2);
        out->writeBuffer("ab", 2);
        EXPECT_EQ(out->size(), 10);
    }
    auto in = files().openRead(path);
    char buffer[16] = {};
    EXPECT_EQ(in->read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "01ab");
    EXPECT_EQ(in->seek(-3, SeekOrigin::End), 7);
    EXPECT_EQ(in->read(buffer, sizeof buffer), 3u);
    EXPECT_EQ(std::string(buffer, 3), "789");
    EXPECT_EQ(in->read(buffer, sizeof buffer), 0u);
    EXPECT_THROW(in->readBuffer(buffer, 1), EReadError);
}

TEST_F(FileRules, FoldersAreCreatedOneByOneOrWithTheirParents) {
    const std::string deep = scratch() + "a\\b\\c";
    EXPECT_FALSE(files().createDirectory(deep));
    EXPECT_TRUE(files().forceDirectories(deep + "\\"));
    EXPECT_TRUE(files().directoryExists(deep));
    EXPECT_TRUE(files().forceDirectories(deep));
    EXPECT_FALSE(files().createDirectory(deep));

    writeFile(deep + "\\f.txt", "x");
    EXPECT_FALSE(files().removeDirectory(deep));
    EXPECT_FALSE(files().removeDirectory(scratch() + "a\\b"));
    ASSERT_TRUE(files().deleteFile(deep + "\\f.txt"));
    EXPECT_TRUE(files().removeDirectory(deep));
    EXPECT_FALSE(files().directoryExists(deep));
    EXPECT_TRUE(files().directoryExists(scratch() + "a\\b"));
}

TEST_F(FileRules, ADoubledSeparatorIsAccepted) {
    ASSERT_TRUE(files().forceDirectories(scratch() + "p\\q"));
    writeFile(scratch() + "p\\\\q\\\\f.txt", "doubled");
    EXPECT_EQ(readFile(scratch() + "p\\q\\f.txt"), "doubled");
}

}  // namespace
}  // namespace tavlin::conformance
