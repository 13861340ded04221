// Folder-tree deletion: whole trees with read-only and hidden files, files that
// cannot go, cancelling, messages shown only when verbose, and where the process
// stands afterwards.
#include <algorithm>
#include <string>
#include <vector>

#include "engine_fixture.h"
#include "uninstall/del_tree.h"

namespace tavlin {
namespace {

class DelTreeTest : public test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        WriteFile("C:\\Temp\\X\\a.txt", "a");
        WriteFile("C:\\Temp\\X\\Sub\\b.txt", "b");
        WriteFile("C:\\Temp\\X\\Sub\\Deeper\\c.txt", "c");
        WriteFile("C:\\Temp\\X\\z.txt", "z");
        files().forceDirectories("C:\\Temp\\X\\Empty");
        delTree = std::make_unique<TDelTree>(platform(), *ui);
    }

    std::unique_ptr<TDelTree> delTree;
};

TEST_F(DelTreeTest, DeletesTheWholeTreeWithReadOnlyAndHiddenFiles) {
    files().setAttributes("C:\\Temp\\X\\a.txt", faReadOnly);
    files().setAttributes("C:\\Temp\\X\\Sub\\b.txt", faHidden | faSysFile);
    files().setAttributes("C:\\Temp\\X\\Sub\\Deeper", faDirectory | faReadOnly);
    for (const char* path : {"C:\\Temp\\X\\", "C:\\Temp\\X"}) {
        SCOPED_TRACE(path);
        delTree->Path = path;
        EXPECT_TRUE(delTree->DeleteTree());
        EXPECT_EQ(delTree->Path, "C:\\Temp\\X");
        EXPECT_FALSE(Exists("C:\\Temp\\X"));
        EXPECT_TRUE(files().directoryExists("C:\\Temp"));
        WriteFile("C:\\Temp\\X\\a.txt", "again");
    }
    EXPECT_TRUE(questions.empty());
}

TEST_F(DelTreeTest, MissingFolderCountsAsGone) {
    delTree->Path = "C:\\Temp\\Nothing\\";
    EXPECT_TRUE(delTree->DeleteTree());
    EXPECT_TRUE(questions.empty());

    delTree->Verbose = true;
    EXPECT_TRUE(delTree->DeleteTree());
    EXPECT_EQ(QuestionTexts(), std::vector<std::string>{"The directory C:\\Temp\\Nothing doesn't exist"});
    EXPECT_EQ(questions[0].caption, "Acme");
}

TEST_F(DelTreeTest, FileInUseStopsItsFolderAndTheFoldersAbove) {
    machine->holdFile("C:\\Temp\\X\\Sub\\b.txt");
    WriteFile("C:\\Temp\\X\\Sub\\c.txt", "listed after the held file");
    delTree->Verbose = true;
    delTree->Path = "C:\\Temp\\X";
    EXPECT_FALSE(delTree->DeleteTree());

    // Entries listed after the held file in its folder stay; the others go.
    EXPECT_TRUE(Exists("C:\\Temp\\X\\Sub\\b.txt"));
    EXPECT_TRUE(Exists("C:\\Temp\\X\\Sub\\c.txt"));
    EXPECT_FALSE(Exists("C:\\Temp\\X\\a.txt"));
    EXPECT_FALSE(Exists("C:\\Temp\\X\\Empty"));
    EXPECT_FALSE(Exists("C:\\Temp\\X\\z.txt"));
    EXPECT_TRUE(Exists("C:\\Temp\\X\\Sub"));
    EXPECT_TRUE(Exists("C:\\Temp\\X"));
    // Only the first failure of a run is shown.
    EXPECT_EQ(QuestionTexts(), std::vector<std::string>{"Cannot delete file C:\\Temp\\X\\Sub\\b.txt"});

    machine->releaseFile("C:\\Temp\\X\\Sub\\b.txt");
    EXPECT_TRUE(delTree->DeleteTree());
    EXPECT_FALSE(Exists("C:\\Temp\\X"));
}

TEST_F(DelTreeTest, CancelFromTheHandlerKeepsTheRestOfThatFolder) {
    std::vector<std::string> offered;
    delTree->OnProcessFile = [&](TDelTree& sender, const std::string& fileName, const FindData& found,
                                 bool& cancel) {
        EXPECT_EQ(&sender, delTree.get());
        EXPECT_EQ(fileName.substr(fileName.find_last_of('\\') + 1), found.name);
        offered.push_back(fileName);
        cancel = found.name == "b.txt";
    };
    delTree->Verbose = true;
    delTree->Path = "C:\\Temp\\X";
    EXPECT_FALSE(delTree->DeleteTree());
    EXPECT_TRUE(Exists("C:\\Temp\\X\\Sub\\b.txt"));
    EXPECT_FALSE(Exists("C:\\Temp\\X\\a.txt"));
    EXPECT_TRUE(Exists("C:\\Temp\\X"));
    EXPECT_NE(std::find(offered.begin(), offered.end(), "C:\\Temp\\X\\Sub\\b.txt"), offered.end());
    EXPECT_EQ(QuestionTexts(), std::vector<std::string>{"DelTree aborted by user !"});
}

TEST_F(DelTreeTest, ProcessStandsInTheParentOfItsFolderAfterwards) {
    files().forceDirectories("C:\\Work\\Here");
    ASSERT_TRUE(files().setCurrentDirectory("C:\\Work\\Here"));
    delTree->Path = "C:\\Temp\\X";
    delTree->DeleteTree();
    EXPECT_EQ(files().currentDirectory(), "C:\\Work");

    // Standing in the folder to be removed does not keep it.
    WriteFile("C:\\Temp\\X\\a.txt", "a");
    ASSERT_TRUE(files().setCurrentDirectory("C:\\Temp\\X"));
    EXPECT_TRUE(delTree->DeleteTree());
    EXPECT_FALSE(Exists("C:\\Temp\\X"));
    EXPECT_EQ(files().currentDirectory(), "C:\\Temp");
}

TEST_F(DelTreeTest, NeverWipesAWholeDrive) {
    delTree->Verbose = true;
    for (const char* path : {"C:\\", "C:", "\\", "C:\\\\", ""}) {
        SCOPED_TRACE(path);
        delTree->Path = path;
        EXPECT_FALSE(delTree->DeleteTree());
    }
    EXPECT_TRUE(Exists("C:\\Temp\\X\\a.txt"));
    EXPECT_TRUE(Exists("C:\\WINDOWS"));
}

}  // namespace
}  // namespace tavlin
