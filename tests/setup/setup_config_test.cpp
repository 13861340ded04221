// Reading install.cfg into the screen and the state: defaults, fonts, the
// destination folder rules, the lists, the Finished page's choices, pictures.
#include "setup/setup_fixture.h"
#include "setup/setup_config.h"
#include "support/font_styles.h"

namespace tavlin::test {
namespace {

std::string Gif(int width, int height) {
    std::string bytes = "GIF89a";
    for (int v : {width, height}) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8);
    }
    return bytes + std::string(3, '\0');
}

std::string Bmp(int width, int height) {
    std::string bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    bytes[14] = 40;
    bytes[18] = static_cast<char>(width);
    bytes[22] = static_cast<char>(height);
    return bytes;
}

TEST_F(SetupFixture, AnEmptyConfigurationGivesTheDefaults) {
    installCfg = "";
    StartWizard();
    EXPECT_EQ(screen->TextInfo1.Caption, kDefaultTextLines[0]);
    EXPECT_EQ(application->Title, kDefaultTextLines[0]);
    EXPECT_EQ(screen->SetupScreen.BackGroundEffect, bdHorzIn);
    EXPECT_EQ(screen->SetupScreen.ColorStart, clBlue);
    EXPECT_EQ(screen->SetupScreen.ColorEnd, clBlack);
    EXPECT_EQ(state.LogoPos, "Upper Right");
    EXPECT_FALSE(screen->ImageHolder1.Visible);
    EXPECT_FALSE(screen->LogoImage2.Visible);
    EXPECT_EQ(screen->Main_Dir.Text, "C:\\Program Files\\TVL\\");
    EXPECT_TRUE(state.DisplayDesktopOptions);
    EXPECT_EQ(screen->WelcomeMemo->Lines.size(), 5u);
    EXPECT_EQ(screen->WelcomeMemo->Lines[0].substr(0, 37), "It is strongly recommended that you e");
    EXPECT_TRUE(screen->ReturnToWIndows.Checked());
    EXPECT_FALSE(screen->reboot.Visible);
    EXPECT_FALSE(screen->LaunchItOption.Visible);
    EXPECT_EQ(screen->ImageHolder1.Color, clBtnFace);
}

TEST_F(SetupFixture, FontsAndTextLines) {
    installCfg = Config(
        "Text Line 1 Font Style=fsBold,fsItalic\r\n"
        "Text Line 1 Font Size=20\r\n"
        "Text Line 1 Font Height=-40\r\n"
        "Text Line 2=Second\r\n"
        "Text Line 2 Font Style=fsBold,fsItalic,\r\n"
        "Text Line 2 Font Name=Times New Roman\r\n"
        "Text Line 2 Font Color=$0000FF\r\n"
        "Text Line 2 Shadow Color=0x00FF00\r\n"
        "Text Line 3 Font Size=20\r\n");
    StartWizard();
    EXPECT_EQ(screen->TextInfo1.Caption, "Acme Widgets");
    EXPECT_EQ(screen->TextInfo1.Font.Style, fsBold);  // a last name without a comma is not applied
    EXPECT_EQ(screen->TextInfo1.Font.Height, -40);      // the height wins over the size
    EXPECT_EQ(screen->TextInfo2.Caption, "Second");
    EXPECT_EQ(screen->TextInfo2.Font.Style, fsBold | fsItalic);
    EXPECT_EQ(screen->TextInfo2.Font.Name, "Times New Roman");
    EXPECT_EQ(screen->TextInfo2.Font.Color, clRed);
    EXPECT_EQ(screen->TextInfo2.ShadowColor, 0x00FF00u);
    EXPECT_EQ(screen->TextInfo3.Font.Style, 0);  // an absent style removes the designed italic
    EXPECT_EQ(screen->TextInfo3.Font.Height, -27);
    EXPECT_EQ(screen->TextInfo4.Font.Name, "Verdana");
}

TEST_F(SetupFixture, TheDestinationFolder) {
    const char* const vendorKey = "Software\\Vendor\\Product";
    machine->registry().createKey(RegistryRoot::LocalMachine, vendorKey);
    machine->registry().writeString(RegistryRoot::LocalMachine, vendorKey, "InstallPath", "E:\\Vendor\\Product");
    machine->registry().writeString(RegistryRoot::LocalMachine, vendorKey, "Empty", "");
    struct Case {
        std::string lines;
        std::string folder;
    };
    const Case cases[] = {
        {"Main Directory=Acme\r\n", "C:\\Program Files\\Acme\\"},
        {"Under Program Files=0\r\nMain Directory=Apps\\Tool\r\n", "C:\\Apps\\Tool\\"},
        {"Main Directory=hkey_local_machine,x,y,z\r\n", "C:\\Program Files\\hkey_local_machine,x,y,z\\"},
        {"Main Directory=HKEY_CURRENT_USER,Software\\X,Dir\r\n", "C:\\Program Files\\"},
        {"Main Directory=HKEY_LOCAL_MACHINE,SOFTWARE\\Vendor\\Product,InstallPath,Product\r\n",
         "E:\\Vendor\\Product\\"},
        {"Main Directory=HKEY_LOCAL_MACHINE,\\SOFTWARE\\Vendor\\Product,Empty,Product\r\n",
         "C:\\Program Files\\Product\\"},
        {"Under Program Files=0\r\nMain Directory=HKEY_LOCAL_MACHINE,Software\\None,Dir,\"Old, New\"\r\n",
         "C:\\\"Old, New\"\\"},
    };
    for (const Case& c : cases) {
        NewRun();
        installCfg = Config(c.lines);
        StartWizard();
        EXPECT_EQ(screen->Main_Dir.Text, c.folder) << c.lines;
        EndScreen();
    }
}

TEST_F(SetupFixture, TheListsAndTheFinishedPage) {
    installCfg = Config("Launch Application=<InstallDir>\\acme.exe\r\nReBoot Option=1\r\n",
                        "[AUTOEXEC.BAT]\r\nSET ACME=<InstallDir>\r\n\r\n[CONFIG.SYS]\r\nFILES=60\r\n"
                        "[INI\\Registry]\r\nCount=3\r\nINIREG 0=first\r\nINIREG 2=third\r\n"
                        "[Launch Applications]\r\nC:\\Work\\readme.txt\r\n"
                        "[Launch Applications Location]\r\n#<InstallDir>\\Docs\\\r\n");
    StartWizard();
    EXPECT_EQ(state.AutoexecLines.Count(), 1u);
    EXPECT_EQ(state.AutoexecLines[0], "SET ACME=<InstallDir>");  // a line is kept whole, "=" and all
    EXPECT_EQ(state.ConfigSysLines.Lines(), (std::vector<std::string>{"FILES=60"}));
    EXPECT_EQ(state.IniRegistryEntries.Lines(), (std::vector<std::string>{"first", "", "third"}));
    EXPECT_EQ(state.LaunchApps.Lines(), (std::vector<std::string>{state.ExpandDir + "Work\\readme.txt"}));
    EXPECT_EQ(state.LaunchAppLocations.Lines(), (std::vector<std::string>{"<InstallDir>\\Docs\\"}));
    EXPECT_TRUE(screen->reboot.Visible);
    EXPECT_TRUE(screen->ReturnToWIndows.Visible);
    EXPECT_TRUE(screen->LaunchItOption.Visible);
    EXPECT_TRUE(screen->LaunchItOption.Checked());
    EXPECT_FALSE(screen->reboot.Checked());
    EXPECT_EQ(screen->LaunchIt.Caption, "<InstallDir>\\acme.exe");  // resolved on the Finished page
}

TEST_F(SetupFixture, IniRegistryEntriesNeedACount) {
    installCfg = Config("", "[INI\\Registry]\r\nINIREG 0=first\r\n");
    StartWizard();
    EXPECT_TRUE(state.IniRegistryEntries.Empty());
}

TEST_F(SetupFixture, FewerLaunchLocationsThanApplicationsFailTheExpansion) {
    installCfg = Config("", "[Launch Applications]\r\nC:\\Work\\a.txt\r\nC:\\Work\\b.txt\r\n"
                            "[Launch Applications Location]\r\n#<InstallDir>\\\r\n");
    StartWizard();
    EXPECT_EQ(asked, (std::vector<std::string>{"Error Expanding Files!!"}));
    EXPECT_TRUE(state.ExpandFailed);
    EXPECT_TRUE(screen->Released());
    EndScreen();
    EXPECT_EQ(ExitCodeOf(screen->Outcome), 1);
}

TEST_F(SetupFixture, LogoPicturesAndTheirPlaces) {
    struct Case {
        const char* what;
        std::string lines;
        ProductFile picture;
        bool frame, still;
        TPoint at;
    };
    const Case cases[] = {
        {"a GIF logo in a frame 4 pixels around it", "Logo File=C:\\Art\\logo.gif\r\n",
         {"", "C:\\Art\\logo.gif", Gif(161, 73)}, true, false, {1024 - 169 - 5, 5}},
        {"a bitmap logo without a frame", "Logo File=C:\\Art\\logo.BMP\r\nLogo Pos=Bottom Left\r\n",
         {"", "C:\\Art\\logo.BMP", Bmp(40, 30)}, false, true, {5, 768 - 30 - 5}},
        {"a logo that cannot be loaded", "Logo File=C:\\Art\\logo.gif\r\n",
         {"", "C:\\Art\\other.gif", Gif(10, 10)}, false, false, {}},
        {"a damaged GIF", "Logo File=C:\\Art\\logo.gif\r\n", {"", "C:\\Art\\logo.gif", "GIF"}, false, false, {}},
    };
    for (const Case& c : cases) {
        NewRun();
        installCfg = Config(c.lines);
        product = {c.picture};
        StartWizard();
        EXPECT_EQ(screen->ImageHolder1.Visible, c.frame) << c.what;
        EXPECT_EQ(screen->LogoImage2.Visible, c.still) << c.what;
        if (c.frame || c.still) {
            EXPECT_EQ((TPoint{screen->ImageHolder1.Left, screen->ImageHolder1.Top}), c.at) << c.what;
            EXPECT_EQ((TPoint{screen->LogoImage2.Left, screen->LogoImage2.Top}), c.at) << c.what;
        }
        if (c.frame) {
            EXPECT_EQ(screen->ImageHolder1.Width, 169);
            EXPECT_EQ(screen->ImageHolder1.Height, 81);
            EXPECT_EQ((TRect{screen->LogoImage.Left, screen->LogoImage.Top, screen->LogoImage.Right(),
                             screen->LogoImage.Bottom()}),
                      (TRect{4, 4, 165, 77}));
            EXPECT_TRUE(screen->LogoImage.Animate);  // started once the expansion is over
        }
        EndScreen();
    }
}

TEST_F(SetupFixture, BackgroundPictureAndStyle) {
    installCfg = Config("Display Style=Tile Bitmap Image\r\nBitMap=C:\\Art\\tile.bmp\r\nFrom Color=255\r\n");
    product = {{"", "C:\\Art\\tile.bmp", Bmp(64, 32)}};
    StartWizard();
    EXPECT_EQ(screen->SetupScreen.BackGroundEffect, bdTileImage);
    EXPECT_EQ(screen->SetupScreen.Bitmap.Width, 64);
    EXPECT_EQ(screen->SetupScreen.ColorStart, clRed);
    EXPECT_EQ(screen->SetupScreen.PaintPlan().size(), 17u * 25u);
}

TEST_F(SetupFixture, ScreenLayoutRules) {
    installCfg = Config("Center Top=1\r\nCenter Top Start=100\r\n");
    StartWizard();
    EXPECT_EQ(screen->Wizard.Left, 292);
    EXPECT_EQ(screen->Wizard.Top, 240);
    EXPECT_EQ(screen->TextInfo1.Top, 100);
    EXPECT_EQ(screen->TextInfo2.Top, screen->TextInfo1.Bottom() + 2);
    EXPECT_EQ(screen->TextInfo3.Top, screen->TextInfo2.Bottom() + 2);
    for (const TShadowLabel* line : {&screen->TextInfo1, &screen->TextInfo2, &screen->TextInfo3}) {
        EXPECT_EQ(line->Left, 512 - line->Width / 2) << line->Name;
    }
    EXPECT_EQ(screen->TextInfo4.Bottom(), 768);
    EXPECT_EQ(screen->TextInfo4.Width, 1024);
    screen->SetStatusCaption("Installing Files");
    EXPECT_EQ(screen->InstallStatus.Width, 250);
    EXPECT_EQ(screen->InstallStatus.Left, 512 - 125);
    EXPECT_EQ(screen->InstallStatus.Top, 384 - 32);
    // A smaller screen re-centres the wizard.
    screen->Resize(800, 600);
    EXPECT_EQ(screen->Wizard.Left, 180);
    EXPECT_EQ(screen->Wizard.Top, 156);
}

}  // namespace
}  // namespace tavlin::test
