// Shell links as the shortcuts are made: the saved .lnk file holds the target,
// working folder, icon, arguments and show command it was given.
#include <cctype>

#include "platform_conformance/conformance_fixture.h"
#include "platform_conformance/shell_link_reader.h"

namespace tavlin::conformance {
namespace {

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

class ShellLinks : public PlatformTest {
protected:
    ShellLinkContents savedLink(const std::string& path) {
        const std::string content = readFile(path);
        auto link = readShellLink(std::vector<std::uint8_t>(content.begin(), content.end()));
        if (isWine()) {
            // Wine counts each string's terminating zero and stores it; Windows stores
            // the characters alone.
            for (auto* text : {&link.name, &link.relativePath, &link.workingDirectory, &link.arguments,
                               &link.iconLocation}) {
                if (*text && !(*text)->empty() && (*text)->back() == '\0') (*text)->pop_back();
            }
        }
        return link;
    }
};

TEST_F(ShellLinks, ASavedLinkHoldsWhatItWasGiven) {
    const std::string program = scratch() + "App Folder\\acme.exe";
    ASSERT_TRUE(files().forceDirectories(scratch() + "App Folder"));
    writeFile(program, "MZ");
    writeFile(scratch() + "App Folder\\acme.ico", "icon");

    auto link = platform().shell().createShellLink();
    link->setPath(program);
    link->setWorkingDirectory(scratch() + "App Folder\\");
    link->setIconLocation(scratch() + "App Folder\\acme.ico", 0);
    link->setArguments("/s \"two words\"");
    link->setShowCommand(swShowMaximized);
    const std::string lnk = scratch() + "Acme.lnk";
    ASSERT_TRUE(link->save(lnk));

    const auto saved = savedLink(lnk);
    EXPECT_EQ(saved.showCommand, static_cast<std::uint32_t>(swShowMaximized));
    EXPECT_EQ(saved.iconIndex, 0);
    ASSERT_TRUE(saved.localBasePath.has_value()) << "the link names its target by a local path";
    EXPECT_EQ(upper(*saved.localBasePath), upper(program));
    EXPECT_EQ(saved.workingDirectory, scratch() + "App Folder\\");
    EXPECT_EQ(saved.arguments, "/s \"two words\"");
    EXPECT_EQ(saved.iconLocation, scratch() + "App Folder\\acme.ico");
}

TEST_F(ShellLinks, TheShowCommandIsNormalUnlessSet) {
    writeFile(scratch() + "acme.exe", "MZ");
    struct Case {
        int set;  // -1: not set
        std::uint32_t expected;
    };
    const Case cases[] = {{-1, swShowNormal}, {swShowMinimized, swShowMinimized}, {swShowNormal, swShowNormal}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        auto link = platform().shell().createShellLink();
        link->setPath(scratch() + "acme.exe");
        if (c.set >= 0) link->setShowCommand(c.set);
        ASSERT_TRUE(link->save(scratch() + "show.lnk"));
        EXPECT_EQ(savedLink(scratch() + "show.lnk").showCommand, c.expected);
    }
}

TEST_F(ShellLinks, SavingAgainReplacesTheLink) {
    writeFile(scratch() + "one.exe", "MZ");
    writeFile(scratch() + "two.exe", "MZ");
    auto link = platform().shell().createShellLink();
    link->setPath(scratch() + "one.exe");
    link->setArguments("first");
    ASSERT_TRUE(link->save(scratch() + "again.lnk"));

    auto second = platform().shell().createShellLink();
    second->setPath(scratch() + "two.exe");
    ASSERT_TRUE(second->save(scratch() + "again.lnk"));
    const auto saved = savedLink(scratch() + "again.lnk");
    ASSERT_TRUE(saved.localBasePath.has_value());
    EXPECT_EQ(upper(*saved.localBasePath), upper(scratch() + "two.exe"));
    EXPECT_FALSE(saved.arguments.has_value());
}

TEST_F(ShellLinks, ALinkCannotBeSavedIntoAMissingFolder) {
    writeFile(scratch() + "acme.exe", "MZ");
    auto link = platform().shell().createShellLink();
    link->setPath(scratch() + "acme.exe");
    EXPECT_FALSE(link->save(scratch() + "missing\\Acme.lnk"));
    EXPECT_FALSE(files().fileExists(scratch() + "missing\\Acme.lnk"));
}

}  // namespace
}  // namespace tavlin::conformance
