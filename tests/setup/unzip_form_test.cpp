// The expansion form's answers to the segment reader: the floppy prompts, the
// three copies when the first segment is opened, the progress counts, and where
// each member is written, with paths that would leave the expansion folder
// refused.
#include "setup/setup_fixture.h"
#include "setup/unzip_form.h"

namespace tavlin::test {
namespace {

class UnzipForm : public SetupFixture {
protected:
    void SetUp() override {
        SetupFixture::SetUp();
        WriteFile("D:\\install.cfg", installCfg);
        WriteFile("D:\\finstall.cfg", "Installation Directory,C:\\Work\\a.exe\r\nInstallation Directory,C:\\Work\\b.exe\r\n"
                                      "Installation Directory,C:\\Work\\c.exe\r\nInstallation Directory,C:\\Work\\d.exe\r\n"
                                      "Installation Directory,C:\\Work\\e.exe\r\n");
        CreateScreen();
        unzip = std::make_unique<TUNZIP>(*screen);
        unzip->FormCreate();
        state.ArchiveFileList.LoadFromFile(files(), "D:\\finstall.cfg");
        files().forceDirectories(state.ExpandDir);
    }
    void TearDown() override {
        unzip.reset();
        SetupFixture::TearDown();
    }
    std::unique_ptr<TUNZIP> unzip;
};

TEST_F(UnzipForm, AMissingSegmentIsAskedForTwiceThenLeftToTheReader) {
    unzip->SegCompEZ1SegBefore(smExpand, "disk.002", 2);
    EXPECT_EQ(asked, (std::vector<std::string>{"Please Insert Disk #2 into Floppy Drive.",
                                               "Please Insert Disk #2 into Floppy Drive."}));
    asked.clear();
    WriteFile("D:\\disk.002", "SSeg");
    unzip->SegCompEZ1SegBefore(smExpand, "disk.002", 2);
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(unzip->Progress->Active());  // only the first segment opens the window
}

TEST_F(UnzipForm, TheFirstSegmentCopiesTheSetupFilesAndStartsTheCount) {
    WriteFile("D:\\disk.001", "SSeg");
    unzip->SegCompEZ1SegBefore(smExpand, "disk.001", 1);
    EXPECT_TRUE(asked.empty());
    for (const char* name : {"setup.exe", "install.cfg", "finstall.cfg"}) {
        EXPECT_EQ(ReadFile(state.ExpandDir + name), ReadFile(std::string("D:\\") + name)) << name;
    }
    EXPECT_EQ(state.ExpandedCount, 3);
    ASSERT_TRUE(unzip->Progress->Active());
    TForm_Progress& window = *unzip->Progress->Window();
    EXPECT_EQ(window.Caption, "Decompressing ...");
    EXPECT_EQ(window.ProgressBar_StatusIndicator.Max, 5);
    EXPECT_EQ(window.Label_ProcessStatus1.Caption, "Install File ..");

    // Each member counts on; the window closes at the maximum while members go on.
    std::string path = "C:\\Program Files\\App\\a.exe";
    unzip->SegCompEZ1CheckFile(path, cmExpand);
    EXPECT_EQ(path, state.ExpandDir + "Program Files\\App\\a.exe");
    EXPECT_EQ(state.ExpandedCount, 4);
    EXPECT_EQ(window.Label_ProcessStatus1.Caption, "Preparing ..");
    EXPECT_EQ(window.Label_ProcessStatus2.Caption, "a.exe");
    path = "C:\\Work\\b.exe";
    unzip->SegCompEZ1CheckFile(path, cmExpand);
    EXPECT_FALSE(unzip->Progress->Active());
    path = "C:\\Work\\c.exe";
    unzip->SegCompEZ1CheckFile(path, cmExpand);
    EXPECT_EQ(path, state.ExpandDir + "Work\\c.exe");
    EXPECT_EQ(state.ExpandedCount, 6);
}

TEST_F(UnzipForm, AMissingSetupFileFailsTheFirstSegment) {
    WriteFile("D:\\disk.001", "SSeg");
    files().deleteFile("D:\\install.cfg");
    EXPECT_THROW(unzip->SegCompEZ1SegBefore(smExpand, "disk.001", 1), EFOpenError);
}

TEST_F(UnzipForm, PathsThatWouldLeaveTheExpansionFolderAreRefused) {
    for (const char* stored : {"\\Work\\a.txt", "Work\\a.txt", "C:Work\\a.txt", "C:\\Work\\..\\..\\boot.ini",
                               "C:\\..\\x", "C:\\Work\\.\\a.txt", "C:\\Work\\a.txt:stream", "C:\\", ""}) {
        std::string path = stored;
        EXPECT_THROW(unzip->SegCompEZ1CheckFile(path, cmExpand), EUnsafeMemberPath) << stored;
        EXPECT_EQ(path, stored);
    }
    EXPECT_EQ(state.ExpandedCount, 0);
}

}  // namespace
}  // namespace tavlin::test
