// Missing and wrong segments: the error box with its texts, OK looking again
// (after the mount prompt and OnSegBefore), Cancel ending the run, and the
// mount prompt itself.
#include <gtest/gtest.h>

#include "segment_fixture.h"

namespace tavlin::test {
namespace {

class SegmentPrompts : public SegmentTest {
protected:
    void SetUp() override {
        SegmentTest::SetUp();
        const Bytes stream = OneArchiveStream("C:\\OUT\\*.*", {StoredMember("A.TXT", TextBytes(3000))});
        count_ = WriteSegments(stream, 1000);
        ASSERT_GE(count_, 3u);
        Reader().OnSegBefore = [this](TSegMode, const std::string&, std::uint16_t number) { before_.push_back(number); };
    }
    void MoveFile(const std::string& from, const std::string& to) {
        const Bytes bytes = GetFile(from);
        Files().deleteFile(from);
        PutFile(to, bytes);
    }

    std::uint32_t count_ = 0;
    std::vector<std::uint16_t> before_;
};

const std::string kCorrect = "\n\rCorrect and then press OK, or Cancel to abort";

TEST_F(SegmentPrompts, MissingSegmentIsAskedForAndFoundAfterOk) {
    MoveFile(SegmentPath(2), "C:\\ASIDE");
    ReplyToBox(MessageResult::Ok);  // still missing
    ReplyToBox(MessageResult::Ok, [this] { MoveFile("C:\\ASIDE", SegmentPath(2)); });
    Reader().SegExpandAll();
    EXPECT_EQ(GetFile("C:\\OUT\\A.TXT"), TextBytes(3000));
    ASSERT_EQ(asked_.size(), 2u);
    EXPECT_EQ(asked_[0].text, "Unable to locate \"disk.002\" on this segment!" + kCorrect);
    EXPECT_EQ(asked_[0].caption, "Error");
    EXPECT_EQ(asked_[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(asked_[0].messageKind, MessageKind::Error);
    // OnSegBefore comes again with every look.
    EXPECT_EQ(std::count(before_.begin(), before_.end(), 2), 3);
}

TEST_F(SegmentPrompts, SwappedSegmentsAreWrongUntilPutRight) {
    MoveFile(SegmentPath(2), "C:\\TWO");
    MoveFile(SegmentPath(3), SegmentPath(2));
    MoveFile("C:\\TWO", SegmentPath(3));
    ReplyToBox(MessageResult::Ok, [this] {
        MoveFile(SegmentPath(2), "C:\\THREE");
        MoveFile(SegmentPath(3), SegmentPath(2));
        MoveFile("C:\\THREE", SegmentPath(3));
    });
    Reader().SegExpandAll();
    EXPECT_EQ(GetFile("C:\\OUT\\A.TXT"), TextBytes(3000));
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0].text, "Incorrect segmented mounted!" + kCorrect);
}

TEST_F(SegmentPrompts, CancelEndsTheRunWithNoFurtherEvent) {
    Files().deleteFile(SegmentPath(count_));
    ReplyToBox(MessageResult::Cancel);
    std::vector<std::uint16_t> after;
    Reader().OnSegAfter = [&](TSegMode, const std::string&, std::uint16_t number) { after.push_back(number); };
    try {
        Reader().SegExpandAll();
        FAIL() << "no error";
    } catch (const ESegError& error) {
        EXPECT_STREQ(error.what(), "(DEdaZedozave) Operation aborted by user");
    }
    EXPECT_TRUE(Reader().Aborted());
    EXPECT_EQ(before_.back(), count_);
    EXPECT_EQ(after.back(), count_ - 1);
    EXPECT_FALSE(Exists("C:\\OUT\\A.TXT"));
    EXPECT_FALSE(Exists(std::string(kTemp) + "\\disk.$A$"));
}

TEST_F(SegmentPrompts, MountPromptAsksForEachSegmentsFolder) {
    // The segments lie in two folders; the user names each.
    Files().forceDirectories("C:\\DISK2");
    MoveFile(SegmentPath(2), "C:\\DISK2\\disk.002");
    Reader().SegPopUp = true;
    int repaints = 0;
    Reader().RepaintOwner = [&] { ++repaints; };
    ReplyToInput(kMedia);
    ReplyToInput("");  // an empty answer asks again
    ReplyToInput("C:\\DISK2");
    for (std::uint32_t n = 3; n <= count_; ++n) ReplyToInput(kMedia);
    Reader().SegExpandAll();
    EXPECT_EQ(GetFile("C:\\OUT\\A.TXT"), TextBytes(3000));
    ASSERT_GE(asked_.size(), 3u);
    EXPECT_EQ(asked_[0].kind, hosted::DialogRequest::Kind::InputBox);
    EXPECT_EQ(asked_[0].caption, "Mount Segment #1");
    EXPECT_EQ(asked_[0].text, "Directory Path:");
    EXPECT_EQ(asked_[0].editText, "c:\\media");
    EXPECT_EQ(asked_[1].caption, "Mount Segment #2");
    EXPECT_EQ(asked_[2].editText, kMedia);  // the folder given last, as typed
    EXPECT_EQ(repaints, static_cast<int>(count_));
    EXPECT_EQ(Reader().SegDir(), kMedia);
}

TEST_F(SegmentPrompts, CancelInTheMountPromptAborts) {
    Reader().SegPopUp = true;
    ReplyToInput(kMedia);
    ReplyToInput(std::nullopt);
    EXPECT_THROW(Reader().SegExpandAll(), ESegError);
    EXPECT_TRUE(Reader().Aborted());
    EXPECT_EQ(before_, std::vector<std::uint16_t>{1});
}

TEST_F(SegmentPrompts, AFixedExtensionNamesEverySegmentAlike) {
    // Only the number inside tells the segments apart: each is swapped in on request.
    Reader().SetSegExt("seg");
    const std::string path = std::string(kMedia) + "\\disk.seg";
    for (std::uint32_t n = 1; n <= count_; ++n) MoveFile(SegmentPath(n), "C:\\STACK\\" + std::to_string(n));
    MoveFile("C:\\STACK\\1", path);
    Reader().OnSegAfter = [&](TSegMode, const std::string& name, std::uint16_t number) {
        EXPECT_EQ(name, "disk.seg");
        Files().deleteFile(path);
        MoveFile("C:\\STACK\\" + std::to_string(number + 1), path);
    };
    Reader().SegExpandAll();
    EXPECT_EQ(GetFile("C:\\OUT\\A.TXT"), TextBytes(3000));
    EXPECT_TRUE(asked_.empty());
}

}  // namespace
}  // namespace tavlin::test
