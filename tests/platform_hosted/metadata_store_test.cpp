// The metadata store survives a process killed while writing, stays small under
// many changes, and follows changes another store made to the same file.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "machine_fixture.h"
#include "platform/hosted/metadata_store.h"

namespace tavlin::hosted::testing {
namespace {

class MetadataStoreTest : public ::testing::Test {
protected:
    void SetUp() override { folder_ = uniqueTemporaryFolder("tavlin-metadata"); }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    MetadataStore openStore() { return MetadataStore(folder_ / "metadata.tsv", folder_); }
    fs::path drive() const { return folder_ / "drives" / "c"; }

    fs::path folder_;
};

TEST_F(MetadataStoreTest, ACutLastRecordIsIgnored) {
    {
        auto store = openStore();
        store.setAttributes(drive(), "a.txt", faReadOnly);
        store.setShortNames(drive(), {{"Long Name.txt", "LONGNA~1.TXT"}});
    }
    // What a process killed in the middle of a record leaves behind.
    std::ofstream(folder_ / "metadata.tsv", std::ios::app) << "S\tdrives/c\tb.txt\t2";
    {
        auto store = openStore();
        EXPECT_EQ(store.get(drive(), "a.txt").attributes, faReadOnly);
        EXPECT_FALSE(store.get(drive(), "b.txt").attributes.has_value());
        store.setAttributes(drive(), "c.txt", faHidden);
    }
    auto store = openStore();
    EXPECT_EQ(store.get(drive(), "Long Name.txt").shortName, "LONGNA~1.TXT");
    EXPECT_EQ(store.get(drive(), "c.txt").attributes, faHidden);
}

TEST_F(MetadataStoreTest, ManyChangesKeepTheFileSmall) {
    auto store = openStore();
    for (int i = 0; i < 500; ++i) store.setAttributes(drive(), "flip.txt", (i % 2) ? faHidden : faReadOnly);
    store.setAttributes(drive(), "kept.txt", faSysFile);
    const std::string text = tavlin::test::readHostFile(folder_ / "metadata.tsv");
    EXPECT_LT(std::count(text.begin(), text.end(), '\n'), 100);
    auto reopened = openStore();
    EXPECT_EQ(reopened.get(drive(), "flip.txt").attributes, faHidden);
    EXPECT_EQ(reopened.get(drive(), "kept.txt").attributes, faSysFile);
}

TEST_F(MetadataStoreTest, ForgettingAFolderForgetsWhatIsBelowIt) {
    auto store = openStore();
    store.setAttributes(drive() / "App", "x.txt", faHidden);
    store.setAttributes(drive() / "App" / "Sub", "y.txt", faHidden);
    store.setAttributes(drive() / "App2", "z.txt", faHidden);
    store.forget(drive(), "App");
    auto reopened = openStore();
    EXPECT_FALSE(reopened.get(drive() / "App", "x.txt").attributes.has_value());
    EXPECT_FALSE(reopened.get(drive() / "App" / "Sub", "y.txt").attributes.has_value());
    EXPECT_EQ(reopened.get(drive() / "App2", "z.txt").attributes, faHidden);
}

TEST_F(MetadataStoreTest, TwoStoresOnOneFileSeeEachOther) {
    auto first = openStore();
    auto second = openStore();
    first.setAttributes(drive(), "a.txt", faHidden);
    second.setAttributes(drive(), "b.txt", faSysFile);
    EXPECT_EQ(first.get(drive(), "b.txt").attributes, faSysFile);
    EXPECT_EQ(second.get(drive(), "a.txt").attributes, faHidden);
    second.forget(drive(), "a.txt");
    EXPECT_FALSE(first.get(drive(), "a.txt").attributes.has_value());
}

TEST_F(MetadataStoreTest, ARecordAnotherStoreAddsDuringAnOperationIsNoticed) {
    auto first = openStore();
    auto second = openStore();
    {
        const MetadataStore::Session operation(first);
        first.get(drive(), "a.txt");
        second.setAttributes(drive(), "b.txt", faSysFile);  // between the look and the change
        first.setAttributes(drive(), "a.txt", faHidden);
    }
    EXPECT_EQ(first.get(drive(), "b.txt").attributes, faSysFile);
    EXPECT_EQ(first.get(drive(), "a.txt").attributes, faHidden);
    EXPECT_EQ(openStore().get(drive(), "b.txt").attributes, faSysFile);
}

TEST_F(MetadataStoreTest, ARecordGoesToTheFileThePathNamesAfterItWasReplacedOrRemoved) {
    const fs::path file = folder_ / "metadata.tsv";
    const struct {
        const char* what;
        std::function<void()> change;  // behind the first store's back, between its writes
        bool keepsEarlier;             // whether its earlier record is still in the file
    } cases[] = {
        {"replaced by another store's compaction",
         [&] {
             auto other = openStore();
             for (int i = 0; i < 300; ++i) other.setAttributes(drive(), "flip.txt", (i % 2) ? faHidden : faReadOnly);
         },
         true},
        {"removed on the host", [&] { fs::remove(file); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(file);
        auto store = openStore();
        store.setAttributes(drive(), "early.txt", faReadOnly);  // makes the file
        store.setAttributes(drive(), "early.txt", faHidden);    // appends to it
        c.change();
        store.setAttributes(drive(), "late.txt", faSysFile);
        auto reopened = openStore();
        EXPECT_EQ(reopened.get(drive(), "late.txt").attributes, faSysFile);
        EXPECT_EQ(reopened.get(drive(), "early.txt").attributes.has_value(), c.keepsEarlier);
    }
}

TEST_F(MetadataStoreTest, AFolderIsOneFolderHoweverItsPathIsWritten) {
    const fs::path outside = folder_.parent_path() / (folder_.filename().string() + "-other");
    const fs::path inFolder = drive() / "App";
    // Each pair: where a value is written, and another way to write that folder.
    const std::vector<std::pair<fs::path, fs::path>> cases = {
        {inFolder, drive() / "." / "App"},
        {inFolder, drive() / "Other" / ".." / "App"},
        {inFolder, fs::path(folder_.string() + "//drives/c/App")},
        {folder_, folder_ / "."},
        {outside / "x", outside / "y" / ".." / "x"},
    };
    for (const auto& [written, other] : cases) {
        SCOPED_TRACE(written.string() + " as " + other.string());
        {
            auto store = openStore();
            store.setAttributes(written, "a.txt", faHidden);
            EXPECT_EQ(store.get(other, "a.txt").attributes, faHidden);
        }
        // The same with the machine folder itself named with a trailing separator.
        MetadataStore reopened(folder_ / "metadata.tsv", fs::path(folder_.string() + "/"));
        EXPECT_EQ(reopened.get(other, "a.txt").attributes, faHidden);
        reopened.setAttributes(other, "a.txt", std::nullopt);
        EXPECT_FALSE(openStore().get(written, "a.txt").attributes.has_value());
    }
}

}  // namespace
}  // namespace tavlin::hosted::testing
