// INI files through the profile functions: typed values, entry lists, key lists of
// any length and write failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/machine_fixture.h"
#include "support/ini_file.h"

namespace tavlin {
namespace {

class IniFileTest : public test::MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine_ = openMachine();
    }
    void Write(const std::string& text) { test::writeMachineFile(machine_->files(), "C:\\install.cfg", text); }
    IniFile Ini() { return IniFile(*machine_, "C:\\install.cfg"); }
    std::unique_ptr<hosted::HostedMachine> machine_;
};

TEST_F(IniFileTest, TypedValuesAndTheirDefaults) {
    Write("[Setup Screen]\r\nCenter Top=1\r\nCenter Top Start=$20\r\nFrom Color=0xFF00000F\r\n"
          "Display Desktop Options=0\r\nBroken=12px\r\nText Line 1=  Acme Suite  \r\n");
    IniFile ini = Ini();
    EXPECT_TRUE(ini.ReadBool("Setup Screen", "Center Top", false));
    EXPECT_FALSE(ini.ReadBool("setup screen", "display desktop options", true));
    EXPECT_TRUE(ini.ReadBool("Setup Screen", "Missing", true));
    EXPECT_EQ(ini.ReadInteger("Setup Screen", "Center Top Start", 8), 32);
    EXPECT_EQ(ini.ReadInteger("Setup Screen", "From Color", 0), -16777201);
    EXPECT_EQ(ini.ReadInteger("Setup Screen", "Broken", 7), 7);
    EXPECT_EQ(ini.ReadString("Setup Screen", "Text Line 1", "x"), "Acme Suite");
    EXPECT_EQ(ini.ReadString("Other", "Text Line 1", "x"), "x");
    EXPECT_EQ(IniFile(*machine_, "C:\\missing.cfg").ReadString("Setup Screen", "Text Line 1", "def"), "def");
}

TEST_F(IniFileTest, LongValuesStopAt2047Characters) {
    Write("[S]\r\nK=" + std::string(3000, 'v') + "\r\n");
    EXPECT_EQ(Ini().ReadString("S", "K", "").size(), 2047u);
}

TEST_F(IniFileTest, EntryListsKeepEveryLineInFileOrder) {
    Write("[Desktop]\r\n"
          "Acme,<InstallDir>\\acme.exe,X,,,C:\\Acme\\acme.exe,Acme,,Normal,\r\n"
          "  padded line  \r\n"
          "\r\n"
          "; a comment\r\n"
          "set acmedir = <InstallDir>\\\r\n"
          "[AUTOEXEC.BAT]\r\n"
          "PATH %PATH%;C:\\ACME\r\n");
    IniFile ini = Ini();
    EXPECT_EQ(ini.ReadSectionEntries("desktop"),
              (std::vector<std::string>{"Acme,<InstallDir>\\acme.exe,X,,,C:\\Acme\\acme.exe,Acme,,Normal,",
                                        "padded line", "set acmedir"}));
    EXPECT_EQ(ini.ReadSectionEntries("AUTOEXEC.BAT"), (std::vector<std::string>{"PATH %PATH%;C:\\ACME"}));
    EXPECT_TRUE(ini.ReadSectionEntries("CONFIG.SYS").empty());
    EXPECT_TRUE(IniFile(*machine_, "C:\\missing.cfg").ReadSectionEntries("Desktop").empty());
}

TEST_F(IniFileTest, EntryListsHoldAtMost16384Bytes) {
    std::string text = "[Big]\r\n";
    for (int i = 0; i < 200; ++i) text += std::string(99, 'a' + i % 26) + "\r\n";  // 100 bytes a name
    Write(text);
    const auto entries = Ini().ReadSectionEntries("Big");
    ASSERT_EQ(entries.size(), 164u);  // 163 whole names and the start of the next
    std::size_t bytes = 0;
    for (const auto& entry : entries) bytes += entry.size() + 1;
    EXPECT_LE(bytes, 16383u);
    EXPECT_LT(entries.back().size(), 99u);
}

TEST_F(IniFileTest, KeyNamesAreReadWhateverTheirNumber) {
    IniFile log(*machine_, "C:\\uninstaller.cfg");
    std::vector<std::string> written;
    for (int i = 0; i < 400; ++i) {
        written.push_back("C:\\Program Files\\Acme\\Folder " + std::to_string(i) + "\\*.*");
        log.WriteString("Files", written.back(), "");
    }
    EXPECT_EQ(log.ReadKeyNames("Files"), written);
    EXPECT_TRUE(log.ReadKeyNames("Folder").empty());
}

TEST_F(IniFileTest, AFailedWriteNamesTheFile) {
    Write("[S]\r\n");
    ASSERT_TRUE(machine_->files().setAttributes("C:\\install.cfg", faReadOnly));
    try {
        Ini().WriteString("S", "K", "v");
        FAIL() << "no error";
    } catch (const EIniFileException& error) {
        EXPECT_STREQ(error.what(), "Unable to write to C:\\install.cfg");
    }
}

}  // namespace
}  // namespace tavlin
