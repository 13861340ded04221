// Registry keys and values as the installation, the uninstall run and the special
// folders use them.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform_conformance/conformance_fixture.h"

namespace tavlin::conformance {
namespace {

constexpr auto user = RegistryRoot::CurrentUser;

class RegistryRules : public PlatformTest {};

TEST_F(RegistryRules, CreatingAKeyCreatesItsParents) {
    const std::string deep = registryBase() + "\\Acme\\Tools\\Settings";
    EXPECT_FALSE(registry().openKey(user, registryBase() + "\\Acme"));
    ASSERT_TRUE(registry().createKey(user, deep));
    EXPECT_TRUE(registry().openKey(user, registryBase() + "\\Acme"));
    EXPECT_TRUE(registry().openKey(user, registryBase() + "\\Acme\\Tools"));
    EXPECT_TRUE(registry().openKey(user, deep));
    // Creating an existing key opens it.
    EXPECT_TRUE(registry().createKey(user, deep));
}

TEST_F(RegistryRules, StringValuesReadBackAndNamesIgnoreCase) {
    const std::string key = registryBase() + "\\Acme";
    ASSERT_TRUE(registry().createKey(user, key));
    ASSERT_TRUE(registry().writeString(user, key, "DisplayName", "Acme 1.0"));
    ASSERT_TRUE(registry().writeString(user, key, "", "default text"));
    ASSERT_TRUE(registry().writeString(user, key, "Blank", ""));

    EXPECT_EQ(registry().readString(user, key, "DisplayName"), "Acme 1.0");
    EXPECT_EQ(registry().readString(user, key, "DISPLAYNAME"), "Acme 1.0");
    std::string upperKey = key;
    for (char& c : upperKey) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(registry().readString(user, upperKey, "displayname"), "Acme 1.0");
    EXPECT_EQ(registry().readString(user, key, ""), "default text");
    EXPECT_EQ(registry().readString(user, key, "Blank"), "");

    ASSERT_TRUE(registry().writeString(user, key, "DisplayName", "Acme 2.0"));
    EXPECT_EQ(registry().readString(user, key, "DisplayName"), "Acme 2.0");
}

TEST_F(RegistryRules, MissingValuesAndKeysReadAsNothing) {
    const std::string key = registryBase() + "\\Acme";
    ASSERT_TRUE(registry().createKey(user, key));
    EXPECT_EQ(registry().readString(user, key, "Missing"), std::nullopt);
    EXPECT_EQ(registry().readString(user, key, ""), std::nullopt);
    EXPECT_EQ(registry().readString(user, key + "\\Missing", "Value"), std::nullopt);
}

TEST_F(RegistryRules, ADwordValueIsNoString) {
    const std::string key = registryBase() + "\\Acme";
    ASSERT_TRUE(registry().createKey(user, key));
    ASSERT_TRUE(registry().writeDword(user, key, "NoModify", 1));
    EXPECT_EQ(registry().readString(user, key, "NoModify"), std::nullopt);
    // Rewriting the name as a string replaces the DWORD.
    ASSERT_TRUE(registry().writeString(user, key, "NoModify", "text"));
    EXPECT_EQ(registry().readString(user, key, "NoModify"), "text");
}

TEST_F(RegistryRules, ValuesAreOnlyWrittenIntoExistingKeys) {
    const std::string key = registryBase() + "\\Missing";
    EXPECT_FALSE(registry().writeString(user, key, "Name", "x"));
    EXPECT_FALSE(registry().writeDword(user, key, "Name", 1));
    EXPECT_FALSE(registry().openKey(user, key));
}

TEST_F(RegistryRules, DeletingATreeRemovesSubkeysAndValuesButNotTheParent) {
    const std::string top = registryBase() + "\\Acme";
    ASSERT_TRUE(registry().createKey(user, top + "\\A\\B\\C"));
    ASSERT_TRUE(registry().createKey(user, top + "\\D"));
    ASSERT_TRUE(registry().createKey(user, registryBase() + "\\Other"));
    ASSERT_TRUE(registry().writeString(user, top + "\\A\\B", "Value", "x"));
    ASSERT_TRUE(registry().writeString(user, top, "Value", "y"));

    EXPECT_TRUE(registry().deleteKeyTree(user, top));
    EXPECT_FALSE(registry().openKey(user, top));
    EXPECT_FALSE(registry().openKey(user, top + "\\A\\B"));
    EXPECT_TRUE(registry().openKey(user, registryBase()));
    EXPECT_TRUE(registry().openKey(user, registryBase() + "\\Other"));
    EXPECT_FALSE(registry().deleteKeyTree(user, top));
}

TEST_F(RegistryRules, SubkeysAreListedByTheirOwnNames) {
    const std::string top = registryBase() + "\\List";
    ASSERT_TRUE(registry().createKey(user, top + "\\Host App\\Deeper"));
    ASSERT_TRUE(registry().createKey(user, top + "\\acme"));
    ASSERT_TRUE(registry().writeString(user, top, "NotAKey", "x"));
    auto names = registry().subKeyNames(user, top + "\\");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Host App", "acme"}));
    EXPECT_TRUE(registry().subKeyNames(user, top + "\\acme").empty());
    EXPECT_TRUE(registry().subKeyNames(user, top + "\\Missing").empty());
}

TEST_F(RegistryRules, DeletingAValueLeavesTheOthers) {
    const std::string key = registryBase() + "\\Acme";
    ASSERT_TRUE(registry().createKey(user, key));
    ASSERT_TRUE(registry().writeString(user, key, "A", "1"));
    ASSERT_TRUE(registry().writeString(user, key, "B", "2"));
    EXPECT_TRUE(registry().deleteValue(user, key, "a"));
    EXPECT_EQ(registry().readString(user, key, "A"), std::nullopt);
    EXPECT_EQ(registry().readString(user, key, "B"), "2");
    EXPECT_FALSE(registry().deleteValue(user, key, "A"));
    EXPECT_FALSE(registry().deleteValue(user, key + "\\Missing", "B"));
}

TEST_F(RegistryRules, ALeadingOrTrailingBackslashNamesTheSameKey) {
    const std::string key = registryBase() + "\\Acme";
    ASSERT_TRUE(registry().createKey(user, "\\" + key));
    EXPECT_TRUE(registry().openKey(user, key));
    ASSERT_TRUE(registry().writeString(user, "\\" + key, "Name", "x"));
    EXPECT_EQ(registry().readString(user, key, "Name"), "x");
    EXPECT_EQ(registry().readString(user, key + "\\", "Name"), "x");
    EXPECT_EQ(registry().readString(user, "\\" + key + "\\", "Name"), "x");
    EXPECT_TRUE(registry().deleteKeyTree(user, "\\" + key));
    EXPECT_FALSE(registry().openKey(user, key));
}

TEST_F(RegistryRules, ATreeDeletionOfARootIsRefused) {
    for (const char* path : {"", "\\", "\\\\"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(registry().deleteKeyTree(user, path));
    }
    EXPECT_TRUE(registry().openKey(user, "Software"));
}

TEST_F(RegistryRules, LocalMachineKeysWorkTheSameWay) {
    constexpr auto machine = RegistryRoot::LocalMachine;
    const std::string key = registryBase() + "\\Acme";
    ASSERT_TRUE(registry().createKey(machine, key));
    ASSERT_TRUE(registry().writeString(machine, key, "UninstallString", "C:\\App\\setup.exe Acme"));
    EXPECT_EQ(registry().readString(machine, key, "UninstallString"), "C:\\App\\setup.exe Acme");
    EXPECT_EQ(registry().readString(user, key, "UninstallString"), std::nullopt);
    EXPECT_TRUE(registry().deleteKeyTree(machine, key));
    EXPECT_FALSE(registry().openKey(machine, key));
}

}  // namespace
}  // namespace tavlin::conformance
