// install.cfg read into its value from the file's lines: the defaults, keys in
// any letter case, values that do not parse, the font keys a file leaves out,
// and the lists.
#include <gtest/gtest.h>

#include <sstream>

#include "config/install_config.h"

namespace tavlin {
namespace {

InstallConfig Read(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    const ConfigDocument document(lines);
    DocumentConfigSource source(document);
    return ReadInstallConfig(source);
}

TEST(InstallConfig, AnEmptyFileGivesEveryDefault) {
    const InstallConfig config = Read("");
    const SetupScreenConfig& s = config.Screen;
    EXPECT_EQ(s.TextLines[0].Text, "Tavlin Pro Setup");
    EXPECT_EQ(s.TextLines[3].Text, "Tavlin Pro");
    for (const TextLineConfig& line : s.TextLines) {
        EXPECT_FALSE(line.FontName || line.FontSize || line.FontPitch || line.FontColor || line.FontHeight ||
                     line.ShadowColor);
        EXPECT_EQ(line.FontStyle, 0);
    }
    EXPECT_EQ(s.CenterTopStart, 8);
    EXPECT_EQ(s.FromColor, 0xFF0000u);
    EXPECT_EQ(s.ToColor, 0u);
    EXPECT_EQ(s.DisplayStyle, "Horiz In");
    EXPECT_EQ(s.LogoPos, "Upper Right");
    EXPECT_EQ(s.ImageBorderColor, 0xFF00000Fu);
    EXPECT_EQ(s.MainDirectory, "TVL");
    EXPECT_TRUE(s.App32Bit && s.UnderProgramFiles && s.DisplayDesktopOptions);
    EXPECT_FALSE(s.UninstallOption || s.UninstallCopy || s.CenterTop || s.RebootOption || s.RestartOption ||
                 s.App16Bit);
    EXPECT_EQ(s.DesktopFolder, "Applications");
    EXPECT_TRUE(config.AutoexecLines.empty() && config.IniRegistryEntries.empty() && config.DesktopItems.empty());
}

TEST(InstallConfig, ValuesParseByTheirKindAndBadOnesTakeTheDefault) {
    const InstallConfig config = Read(
        "[setup screen]\n"
        "text line 2 font size=20\n"
        "Text Line 2 Font Height=x\n"
        "Text Line 2 Font Color=$FF\n"
        "Text Line 2 Font Name=\n"
        "Text Line 2 Font Style=fsBold,fsItalic\n"
        "Text Line 3 Font Style=fsUnderline,fsStrikeOut,\n"
        "Center Top Start=0x10\n"
        "From Color=blue\n"
        "Under Program Files=no\n"
        "ReBoot Option=2\n"
        "Image Border Color=-16777201\n");
    const SetupScreenConfig& s = config.Screen;
    const TextLineConfig& line = s.TextLines[1];
    EXPECT_EQ(line.FontSize, 20);
    EXPECT_FALSE(line.FontHeight);  // the label keeps the height the size gives
    EXPECT_EQ(line.FontColor, 0xFFu);
    EXPECT_EQ(line.FontName, "");   // present, though empty
    EXPECT_EQ(line.FontStyle, 1);   // a name without a comma after it is not applied
    EXPECT_EQ(s.TextLines[2].FontStyle, 4 | 8);
    EXPECT_EQ(s.CenterTopStart, 16);
    EXPECT_EQ(s.FromColor, 0xFF0000u);
    EXPECT_TRUE(s.UnderProgramFiles);
    EXPECT_TRUE(s.RebootOption);
    EXPECT_EQ(s.ImageBorderColor, 0xFF00000Fu);
}

TEST(InstallConfig, ListsKeepTheirLinesAndTheRegistryListFollowsItsCount) {
    const struct {
        const char* text;
        std::vector<std::string> iniRegistry;
    } cases[] = {
        {"[INI\\Registry]\nINIREG 0=a.ini,s,k,v\n", {}},
        {"[INI\\Registry]\nCount=2\nINIREG 0=a.ini,s,k,v\n", {"a.ini,s,k,v", ""}},
        {"[INI\\Registry]\nCount=0\nINIREG 0=a.ini,s,k,v\n", {}},
        {"[INI\\Registry]\nCount=many\nINIREG 0=a.ini,s,k,v\n", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(Read(c.text).IniRegistryEntries, c.iniRegistry) << c.text;

    const InstallConfig config = Read(
        "[AUTOEXEC.BAT]\nset acme=C:\\Acme\n; a note\nPATH %PATH%;C:\\Acme\n"
        "[Desktop]\nAcme,<InstallDir>\\acme.exe,X,,,C:\\Acme\\acme.exe,Acme,acme.exe,Normal,/a=1\n");
    EXPECT_EQ(config.AutoexecLines, (std::vector<std::string>{"set acme=C:\\Acme", "PATH %PATH%;C:\\Acme"}));
    EXPECT_EQ(config.DesktopItems,
              (std::vector<std::string>{"Acme,<InstallDir>\\acme.exe,X,,,C:\\Acme\\acme.exe,Acme,acme.exe,Normal,/a=1"}));
}

}  // namespace
}  // namespace tavlin
