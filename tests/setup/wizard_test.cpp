// The wizard's pages and buttons: where each button leads from each page under
// each kind of configuration, and the shortcut list with its summary.
#include "setup/setup_fixture.h"

namespace tavlin::test {
namespace {

enum class Media { Licence, NoLicence, WelcomeFirst, NoShortcutPage };

struct NavigationCase {
    const char* name;
    Media media;
    std::vector<std::string> clicks;
    int page;
    std::vector<std::string> buttons;
    std::string nextCaption;  // checked when Next is on screen
    std::string header;
};

class WizardNavigation : public SetupFixture, public ::testing::WithParamInterface<NavigationCase> {};

TEST_P(WizardNavigation, PageAndButtonsAfterTheClicks) {
    const NavigationCase& c = GetParam();
    product = {{"Installation Directory,", "C:\\Work\\acme.exe", "program"}};
    if (c.media != Media::NoLicence && c.media != Media::NoShortcutPage) {
        product.push_back({"Installation Directory,", "C:\\Work\\Docs\\License.txt", "Terms\r\nMore terms\r\n"});
    }
    std::string lines;
    if (c.media == Media::WelcomeFirst) lines += "ReStart Option=1\r\n";
    if (c.media == Media::NoShortcutPage) lines += "Display Desktop Options=0\r\n";
    installCfg = Config(lines);
    StartWizard();
    for (const std::string& name : c.clicks) driver->Click(name);
    EXPECT_EQ(Page(), c.page);
    EXPECT_EQ(Buttons(), c.buttons);
    if (screen->Next1.Visible) {
        EXPECT_EQ(screen->Next1.Caption, c.nextCaption);
    }
    EXPECT_EQ(screen->Header1.Caption, c.header);
    EXPECT_TRUE(asked.empty());
}

const std::vector<std::string> kLicenceButtons = {"Cancel1", "decline", "Accept"};
const std::vector<std::string> kMiddleButtons = {"Cancel1", "Back1", "Next1"};

INSTANTIATE_TEST_SUITE_P(
    Table, WizardNavigation,
    ::testing::Values(
        NavigationCase{"OpensOnTheLicence", Media::Licence, {}, 1, kLicenceButtons, "", "License Agreement"},
        NavigationCase{"AcceptLeadsToTheFolder", Media::Licence, {"Accept"}, 2, kMiddleButtons, "&Next >>",
                       "Installation Directory"},
        NavigationCase{"BackReturnsToTheLicenceWithoutBack", Media::Licence, {"Accept", "Back1"}, 1,
                       kLicenceButtons, "", "License Agreement"},
        NavigationCase{"FolderLeadsToShortcuts", Media::Licence, {"Accept", "Next1"}, 3, kMiddleButtons,
                       "&Next >>", "Folder:Applications"},
        NavigationCase{"ShortcutsLeadToReady", Media::Licence, {"Accept", "Next1", "Next1"}, 4, kMiddleButtons,
                       "&Install", "Ready to Install"},
        NavigationCase{"BackFromReadyToShortcuts", Media::Licence, {"Accept", "Next1", "Next1", "Back1"}, 3,
                       kMiddleButtons, "&Next >>", "Folder:Applications"},
        NavigationCase{"NoLicenceOpensOnTheFolderWithBack", Media::NoLicence, {}, 2, kMiddleButtons, "&Next >>",
                       "Installation Directory"},
        NavigationCase{"BackWithoutLicencePassesStraightOn", Media::NoLicence, {"Back1"}, 2, kMiddleButtons,
                       "&Next >>", "Installation Directory"},
        NavigationCase{"WelcomeFirstHasNoBack", Media::WelcomeFirst, {}, 0, (std::vector<std::string>{"Cancel1", "Next1"}),
                       "&Next >>", "Install Application"},
        NavigationCase{"LicenceAfterWelcomeOffersBack", Media::WelcomeFirst, {"Next1"}, 1,
                       (std::vector<std::string>{"Cancel1", "decline", "Accept", "Back1"}), "", "License Agreement"},
        NavigationCase{"BackToWelcome", Media::WelcomeFirst, {"Next1", "Back1"}, 0,
                       (std::vector<std::string>{"Cancel1", "Next1"}), "&Next >>", "Install Application"},
        NavigationCase{"WithoutShortcutPageFolderLeadsToReady", Media::NoShortcutPage, {"Next1"}, 4,
                       kMiddleButtons, "&Install", "Ready to Install"},
        NavigationCase{"WithoutShortcutPageBackFromReadyToFolder", Media::NoShortcutPage, {"Next1", "Back1"}, 2,
                       kMiddleButtons, "&Next >>", "Installation Directory"}),
    [](const ::testing::TestParamInfo<NavigationCase>& param) { return std::string(param.param.name); });

TEST_F(SetupFixture, TheLaterOfTwoLicencesIsShown) {
    product = {{"Installation Directory,", "C:\\Work\\A\\LICENSE.TXT", "first"},
               {"Installation Directory,", "C:\\Work\\B\\license.txt", "second"}};
    StartWizard();
    ASSERT_EQ(Page(), 1);
    EXPECT_EQ(screen->LicenseMemo->Lines, (std::vector<std::string>{"second"}));
}

// Two program shortcuts: Acme with a Start-menu mark, Tool with a desktop mark.
const char* const kDesktop =
    "[Desktop]\r\n"
    "Acme,<InstallDir>\\acme.exe,X,,,C:\\Work\\acme.exe,Acme Tools,C:\\Work\\acme.ico,Normal,/fast\r\n"
    "Tool,<InstallDir>\\tool.exe,,X,,C:\\Work\\tool.exe,Acme Tools\r\n";

TEST_F(SetupFixture, ShortcutListHasThreeRowsPerProgramMarkedAsConfigured) {
    installCfg = Config("", kDesktop);
    product = {{"Installation Directory,", "C:\\Work\\acme.exe", "a"}, {"Installation Directory,", "C:\\Work\\tool.exe", "t"}};
    StartWizard();
    driver->Click("Next1");
    ASSERT_EQ(Page(), 3);
    const auto& rows = screen->ListView1.Items;
    ASSERT_EQ(rows.size(), 6u);
    const char* where[] = {"StartMenu", "Desktop", "Quick Launch", "StartMenu", "Desktop", "Quick Launch"};
    const bool checked[] = {true, false, false, false, true, false};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].Caption, i < 3 ? "Acme" : "Tool");
        EXPECT_EQ(rows[i].SubItems, (std::vector<std::string>{where[i]}));
        EXPECT_EQ(rows[i].Checked, checked[i]) << i;
    }
    EXPECT_EQ(screen->DesktopProp.CommandLine, "");  // the last entry has no arguments
    EXPECT_EQ(screen->DesktopProp.RunProgram, "C:\\Program Files\\TVL\\tool.exe");
}

TEST_F(SetupFixture, SummaryTakesTheFolderBoxesAsTheyWereWhenTheListWasBuilt) {
    installCfg = Config("", kDesktop);
    StartWizard();
    driver->Click("Next1");
    driver->Tick("CheckBox1", true);  // after the list was built: not in the summary
    driver->Click("Next1");
    EXPECT_EQ(screen->ReadyMemo->Lines,
              (std::vector<std::string>{"Install To: C:\\Program Files\\TVL\\", "", "Folders:", "Acme Tools: Acme",
                                        "Acme Tools: Tool"}));
    driver->Click("Back1");
    driver->Click("Next1");
    EXPECT_EQ(screen->ReadyMemo->Lines,
              (std::vector<std::string>{"Install To: C:\\Program Files\\TVL\\", "", "Folders:", "Acme Tools: Acme",
                                        "Acme Tools StartMenu : Acme", "Acme Tools: Tool",
                                        "Acme Tools StartMenu : Tool"}));
}

TEST_F(SetupFixture, ReturningToTheShortcutPageRestoresTheConfiguredMarks) {
    installCfg = Config("", kDesktop);
    StartWizard();
    driver->Click("Next1");
    driver->MarkRow("ListView1", 0, false);
    driver->MarkRow("ListView1", 2, true);
    driver->Click("Next1");
    driver->Click("Back1");
    EXPECT_TRUE(screen->ListView1.Items[0].Checked);
    EXPECT_FALSE(screen->ListView1.Items[2].Checked);
}

TEST_F(SetupFixture, CancelAndDeclineCloseAtOnce) {
    for (const char* button : {"Cancel1", "decline"}) {
        product = {{"Installation Directory,", "C:\\Work\\License.txt", "terms"}};
        StartWizard();
        driver->Click(button);
        EXPECT_TRUE(screen->Released()) << button;
        EXPECT_EQ(screen->Cancelled, std::string(button) == "Cancel1");
        EXPECT_EQ(ExitCodeOf(screen->Outcome), 2);
        // Closing detached the wizard's handlers: nothing can start any more.
        EXPECT_FALSE(screen->Next1.OnClick);
        EXPECT_FALSE(screen->Notebook1.OnPageChanged);
        EndScreen();
    }
}

}  // namespace
}  // namespace tavlin::test
