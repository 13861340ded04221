// Shortcuts are real shell-link files: the header, LinkInfo and ANSI string data
// of the binary format, readable again by the reader beside the writer.
#include <gtest/gtest.h>

#include "machine_fixture.h"
#include "platform/hosted/shell_link_file.h"

namespace tavlin::hosted::testing {
namespace {

std::uint32_t u32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

class ShellLinkTest : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine_ = openMachine();
        ASSERT_TRUE(machine_->files().createDirectory("C:\\Program Files\\Acme"));
        writeMachineFile(machine_->files(), "C:\\Program Files\\Acme\\acme.exe", std::string(1234, 'x'));
    }

    std::unique_ptr<ShellLink> filledLink() {
        auto link = machine_->shell().createShellLink();
        link->setPath("C:\\PROGRA~1\\Acme\\acme.exe");
        link->setWorkingDirectory("C:\\Program Files\\Acme\\");
        link->setIconLocation("C:\\Program Files\\Acme\\acme.ico", 0);
        link->setArguments("/fast \"a b\"");
        link->setShowCommand(swShowMaximized);
        return link;
    }

    std::unique_ptr<HostedMachine> machine_;
};

TEST_F(ShellLinkTest, SavedLinksReadBackWithEverythingThatWasSet) {
    ASSERT_TRUE(filledLink()->save("C:\\WINDOWS\\Desktop\\Acme.lnk"));
    const ShellLinkData link = decodeShellLink(readHostFile(driveC() / "WINDOWS" / "Desktop" / "Acme.lnk"));
    EXPECT_EQ(link.target, "C:\\PROGRA~1\\Acme\\acme.exe");
    EXPECT_EQ(link.workingDirectory, "C:\\Program Files\\Acme\\");
    EXPECT_EQ(link.iconLocation, "C:\\Program Files\\Acme\\acme.ico");
    EXPECT_EQ(link.iconIndex, 0);
    EXPECT_EQ(link.arguments, "/fast \"a b\"");
    EXPECT_EQ(link.showCommand, swShowMaximized);
    EXPECT_EQ(link.fileAttributes, faArchive);
    EXPECT_EQ(link.fileSize, 1234u);
    EXPECT_NE(link.writeTime, 0u);
    EXPECT_EQ(link.driveType, 3u);
}

TEST_F(ShellLinkTest, TheFileHasTheBinaryLayoutWindowsReads) {
    ASSERT_TRUE(filledLink()->save("C:\\a.lnk"));
    const std::string bytes = readHostFile(driveC() / "a.lnk");
    ASSERT_GT(bytes.size(), 0x4Cu);
    EXPECT_EQ(u32At(bytes, 0), 0x4Cu);
    EXPECT_EQ(bytes.substr(4, 16), std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16));
    // LinkInfo, working folder, arguments and icon location; ANSI strings.
    EXPECT_EQ(u32At(bytes, 20), 0x02u | 0x10u | 0x20u | 0x40u);
    EXPECT_EQ(u32At(bytes, 60), static_cast<std::uint32_t>(swShowMaximized));
    const std::uint32_t infoSize = u32At(bytes, 0x4C);
    EXPECT_EQ(u32At(bytes, 0x4C + 4), 0x1Cu);  // LinkInfo header without the Unicode offsets
    EXPECT_EQ(u32At(bytes, 0x4C + 8), 1u);     // volume and local base path
    const std::string path = bytes.substr(0x4C + u32At(bytes, 0x4C + 16));
    EXPECT_EQ(path.substr(0, path.find('\0')), "C:\\PROGRA~1\\Acme\\acme.exe");
    const std::size_t strings = 0x4C + infoSize;
    EXPECT_EQ(bytes.substr(strings, 2), std::string("\x16\x00", 2));  // 22 characters follow
    EXPECT_EQ(bytes.substr(strings + 2, 22), "C:\\Program Files\\Acme\\");
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string(4, '\0'));  // terminal block
}

TEST_F(ShellLinkTest, UnsetFieldsAreLeftOut) {
    auto link = machine_->shell().createShellLink();
    link->setPath("C:\\Nowhere\\gone.exe");
    link->setIconLocation("", 0);
    ASSERT_TRUE(link->save("C:\\plain.lnk"));
    const std::string bytes = readHostFile(driveC() / "plain.lnk");
    EXPECT_EQ(u32At(bytes, 20), 0x02u);
    const ShellLinkData data = decodeShellLink(bytes);
    EXPECT_EQ(data.showCommand, swShowNormal);
    EXPECT_EQ(data.fileAttributes, 0u);
    EXPECT_EQ(data.target, "C:\\Nowhere\\gone.exe");
}

TEST_F(ShellLinkTest, SavingGoesThroughTheFileRules) {
    ASSERT_TRUE(filledLink()->save("C:\\a.lnk"));
    ASSERT_TRUE(machine_->files().setAttributes("C:\\a.lnk", faReadOnly));
    EXPECT_FALSE(filledLink()->save("C:\\a.lnk"));
    EXPECT_FALSE(filledLink()->save("C:\\No Folder\\a.lnk"));
    ASSERT_TRUE(machine_->files().setAttributes("C:\\a.lnk", 0));
    auto link = filledLink();
    link->setArguments("");
    EXPECT_TRUE(link->save("C:\\A.LNK"));
    EXPECT_EQ(decodeShellLink(readHostFile(driveC() / "a.lnk")).arguments, "");
}

TEST(ShellLinkFormatTest, UnicodeLinksFromOtherWritersAreRead) {
    ShellLinkData data;
    data.target = "C:\\x.exe";
    std::string bytes = encodeShellLink(data);
    // Turn it into a Unicode link with one working folder string.
    bytes[20] = static_cast<char>(0x02 | 0x10 | 0x80);
    bytes.resize(bytes.size() - 4);
    bytes += std::string("\x03\x00" "C\x00:\x00\xE9\x00", 8) + std::string(4, '\0');
    EXPECT_EQ(decodeShellLink(bytes).workingDirectory, "C:\xE9");
}

TEST(ShellLinkFormatTest, DamagedFilesAreRefused) {
    ShellLinkData data;
    data.target = "C:\\x.exe";
    data.arguments = "args";
    const std::string good = encodeShellLink(data);
    std::string wrongClass = good;
    wrongClass[4] = 0x02;
    for (const std::string& bytes : {std::string(), good.substr(0, 40), wrongClass, good.substr(0, 0x4C + 10),
                                     good.substr(0, good.size() - 6)}) {
        EXPECT_THROW(decodeShellLink(bytes), Exception) << bytes.size();
    }
}

}  // namespace
}  // namespace tavlin::hosted::testing
