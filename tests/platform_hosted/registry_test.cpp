// The machine's registry: its rules for key paths and values, and registry.reg,
// which must read back exactly and never be left half written.
#include <gtest/gtest.h>

#include "machine_fixture.h"
#include "platform/hosted/regedit4_text.h"

namespace tavlin::hosted::testing {
namespace {

constexpr auto HKLM = RegistryRoot::LocalMachine;
constexpr auto HKCU = RegistryRoot::CurrentUser;

class RegistryTest : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine_ = openMachine();
    }
    Registry& registry() { return machine_->registry(); }
    fs::path registryFile() { return folder_ / "machine" / "registry.reg"; }

    std::unique_ptr<HostedMachine> machine_;
};

TEST_F(RegistryTest, KeysAreCreatedWithTheirParentsAndFoundIgnoringCase) {
    EXPECT_FALSE(registry().openKey(HKLM, "Software\\Acme\\Tools"));
    ASSERT_TRUE(registry().createKey(HKLM, "Software\\Acme\\Tools"));
    const struct {
        const char* path;
        bool opens;
    } cases[] = {
        {"Software\\Acme\\Tools", true},   {"SOFTWARE\\ACME\\TOOLS", true}, {"\\Software\\Acme", true},
        {"software\\acme\\", true},        {"", true},                      {"Software\\\\Acme", false},
        {"Software\\Acme\\Missing", false}, {"\\\\Software", false},
    };
    for (const auto& c : cases) EXPECT_EQ(registry().openKey(HKLM, c.path), c.opens) << c.path;
    EXPECT_FALSE(registry().openKey(HKCU, "Software\\Acme"));
    EXPECT_FALSE(registry().createKey(HKLM, "Software\\\\Broken"));
    EXPECT_FALSE(registry().openKey(HKLM, "Software\\Broken"));
    // A later spelling does not rename the key.
    ASSERT_TRUE(registry().createKey(HKLM, "SOFTWARE\\ACME\\TOOLS\\Sub"));
    EXPECT_NE(readHostFile(registryFile()).find("[HKEY_LOCAL_MACHINE\\Software\\Acme\\Tools\\Sub]"), std::string::npos);
}

TEST_F(RegistryTest, StringAndDwordValues) {
    ASSERT_TRUE(registry().createKey(HKCU, "Software\\Acme"));
    EXPECT_FALSE(registry().writeString(HKCU, "Software\\Missing", "x", "y"));
    EXPECT_FALSE(registry().writeDword(HKCU, "Software\\Missing", "x", 1));
    ASSERT_TRUE(registry().writeString(HKCU, "Software\\Acme", "Path", "C:\\Acme"));
    ASSERT_TRUE(registry().writeString(HKCU, "software\\acme", "PATH", "D:\\Acme"));
    ASSERT_TRUE(registry().writeString(HKCU, "Software\\Acme", "", "default"));
    ASSERT_TRUE(registry().writeDword(HKCU, "Software\\Acme", "Count", 7));
    EXPECT_EQ(registry().readString(HKCU, "Software\\Acme", "path"), "D:\\Acme");
    EXPECT_EQ(registry().readString(HKCU, "Software\\Acme", ""), "default");
    EXPECT_FALSE(registry().readString(HKCU, "Software\\Acme", "Count").has_value());
    EXPECT_FALSE(registry().readString(HKCU, "Software\\Acme", "Missing").has_value());
    EXPECT_FALSE(registry().readString(HKCU, "Software\\Missing", "Path").has_value());
    EXPECT_EQ(readHostFile(registryFile()).find("\"PATH\""), std::string::npos);  // first spelling kept

    EXPECT_TRUE(registry().deleteValue(HKCU, "Software\\Acme", "PATH"));
    EXPECT_FALSE(registry().deleteValue(HKCU, "Software\\Acme", "Path"));
    EXPECT_FALSE(registry().readString(HKCU, "Software\\Acme", "Path").has_value());
}

TEST_F(RegistryTest, DeleteKeyTreeRemovesEverythingBelow) {
    ASSERT_TRUE(registry().createKey(HKLM, "Software\\Acme\\A\\B"));
    ASSERT_TRUE(registry().writeString(HKLM, "Software\\Acme\\A\\B", "v", "x"));
    EXPECT_TRUE(registry().deleteKeyTree(HKLM, "\\SOFTWARE\\acme\\"));
    EXPECT_FALSE(registry().openKey(HKLM, "Software\\Acme\\A\\B"));
    EXPECT_FALSE(registry().openKey(HKLM, "Software\\Acme"));
    EXPECT_TRUE(registry().openKey(HKLM, "Software\\Microsoft"));
    EXPECT_FALSE(registry().deleteKeyTree(HKLM, "Software\\Acme"));
    EXPECT_FALSE(registry().deleteKeyTree(HKLM, ""));
    EXPECT_TRUE(registry().openKey(HKLM, "Software"));
}

TEST_F(RegistryTest, ChangesReachOtherMachineObjects) {
    auto other = openMachine();
    ASSERT_TRUE(registry().createKey(HKLM, "Software\\Acme"));
    ASSERT_TRUE(registry().writeString(HKLM, "Software\\Acme", "Title", "Acme"));
    EXPECT_EQ(other->registry().readString(HKLM, "Software\\Acme", "Title"), "Acme");
    ASSERT_TRUE(other->registry().deleteKeyTree(HKLM, "Software\\Acme"));
    EXPECT_FALSE(registry().openKey(HKLM, "Software\\Acme"));
}

TEST_F(RegistryTest, TheFileIsRegedit4TextThatReadsBackExactly) {
    ASSERT_TRUE(registry().createKey(HKLM, "Software\\Acme \"Q\"\\Z"));
    ASSERT_TRUE(registry().writeString(HKLM, "Software\\Acme \"Q\"", "Path", "C:\\Program Files\\\"Acme\""));
    ASSERT_TRUE(registry().writeString(HKLM, "Software\\Acme \"Q\"", "", "d\xE9j\xE0 vu"));
    ASSERT_TRUE(registry().writeDword(HKLM, "Software\\Acme \"Q\"", "Quo\"te", 0xDEADBEEF));
    ASSERT_TRUE(registry().writeString(HKLM, "Software\\Acme \"Q\"", "Lines", "one\r\ntwo"));
    const std::string text = readHostFile(registryFile());
    const std::string expected =
        "[HKEY_LOCAL_MACHINE\\Software\\Acme \"Q\"]\n"
        "\"Path\"=\"C:\\\\Program Files\\\\\\\"Acme\\\"\"\n"
        "@=\"d\u00E9j\u00E0 vu\"\n"
        "\"Quo\\\"te\"=dword:deadbeef\n"
        "\"Lines\"=hex(1):6f,6e,65,0d,0a,74,77,6f,00\n"
        "\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Acme \"Q\"\\Z]\n";
    EXPECT_EQ(text.rfind("REGEDIT4\n\n[HKEY_LOCAL_MACHINE]\n", 0), 0u);
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    EXPECT_EQ(writeRegedit4(readRegedit4(text)), text);

    auto other = openMachine();
    EXPECT_EQ(other->registry().readString(HKLM, "software\\acme \"q\"", "path"), "C:\\Program Files\\\"Acme\"");
    EXPECT_EQ(other->registry().readString(HKLM, "software\\acme \"q\"", ""), "d\xE9j\xE0 vu");
    EXPECT_EQ(other->registry().readString(HKLM, "software\\acme \"q\"", "Lines"), "one\r\ntwo");
}

TEST(Regedit4Test, ForeignValueKindsAndLongHexListsSurvive) {
    const std::string text =
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\X]\r\n\"Bin\"=hex:01,02,\\\r\n  03\r\n"
        "\"Multi\"=hex(7):61,00,00\r\n\"Expand\"=hex(2):25,54,25,00\r\n";
    RegistryTree tree = readRegedit4(text);
    RegistryKey* key = tree.currentUser.subkey("Software")->subkey("x");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->value("bin")->data, std::string("\x01\x02\x03"));
    EXPECT_EQ(key->value("Expand")->data, "%T%");
    const std::string written = writeRegedit4(tree);
    EXPECT_NE(written.find("\"Bin\"=hex:01,02,03\n\"Multi\"=hex(7):61,00,00\n\"Expand\"=hex(2):25,54,25,00\n"),
              std::string::npos)
        << written;
    EXPECT_EQ(writeRegedit4(readRegedit4(written)), written);
}

TEST(Regedit4Test, BrokenTextIsRefusedWithItsLine) {
    const struct {
        const char* text;
        const char* line;
    } cases[] = {
        {"", "line 1"},
        {"Windows Registry Editor Version 5.00\n", "line 1"},
        {"REGEDIT4\n\"v\"=\"orphan\"\n", "line 2"},
        {"REGEDIT4\n[HKEY_CLASSES_ROOT\\x]\n", "line 2"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"v\"=dword:xyz\n", "line 3"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"v\"=\"open\n", "line 3"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"v\"=hex:1,zz\n", "line 3"},
    };
    for (const auto& c : cases) {
        try {
            readRegedit4(c.text);
            ADD_FAILURE() << c.text;
        } catch (const Exception& error) {
            EXPECT_NE(std::string(error.what()).find(c.line), std::string::npos) << c.text << ": " << error.what();
        }
    }
}

TEST_F(RegistryTest, ARewriteReplacesTheFileInsteadOfOverwritingIt) {
    // A reader that opened the old file still sees all of it: the new text went to
    // another file that was then renamed over the old one.
    const std::string before = readHostFile(registryFile());
    std::ifstream oldFile(registryFile(), std::ios::binary);
    ASSERT_TRUE(registry().createKey(HKCU, "Software\\Changed"));
    const std::string seenByOldReader((std::istreambuf_iterator<char>(oldFile)), std::istreambuf_iterator<char>());
    EXPECT_EQ(seenByOldReader, before);
    EXPECT_NE(readHostFile(registryFile()).find("[HKEY_CURRENT_USER\\Software\\Changed]"), std::string::npos);
    for (const auto& entry : fs::directory_iterator(folder_ / "machine")) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
    }
}

}  // namespace
}  // namespace tavlin::hosted::testing
