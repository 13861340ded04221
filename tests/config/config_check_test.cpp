// The install.cfg check, one small install.cfg per rule: each gives exactly the
// one finding it is about, with its line, severity and text, against a small
// medium; configurations the setup reads as meant give none.
#include <gtest/gtest.h>

#include <sstream>

#include "config/config_check.h"

namespace tavlin {
namespace {

// A medium of the product Acme: bin\acme.exe and readme.txt go to the
// installation folder, logo.bmp to art\, acme.dll to the System folder.
MediaContents AcmeMedium() {
    MediaContents media;
    media.ExpandedFiles = {"Acme\\bin\\acme.exe", "Acme\\readme.txt", "Acme\\art\\logo.bmp",
                           "Acme\\system\\acme.dll", "setup.exe", "install.cfg", "finstall.cfg"};
    media.FileListLines = {"Installation Directory\tbin\\\tC:\\Acme\\bin\\acme.exe",
                           "Installation Directory\tC:\\Acme\\readme.txt",
                           "Installation Directory\tart\\\tC:\\Acme\\art\\logo.bmp",
                           "System\tC:\\Acme\\system\\acme.dll"};
    return media;
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Findings(const std::string& text) {
    std::vector<std::string> shown;
    for (const auto& finding : CheckConfig(ConfigDocument(LinesOf(text)), AcmeMedium())) {
        shown.push_back(FormatFinding("install.cfg", finding));
    }
    return shown;
}

// Every case starts with this title on line 2, so that its own lines are 3, 4 ...
const std::string kHead = "[Setup Screen]\nText Line 1=Acme Suite\n";

struct RuleCase {
    const char* rule;
    std::string config;
    std::string finding;
};

TEST(ConfigCheck, EachRuleGivesItsFinding) {
    const RuleCase cases[] = {
        // Names the setup compares in exact case.
        {"display style", kHead + "Display Style=Horizontal in\n",
         "install.cfg:3: warning: \"Display Style\": \"Horizontal in\" names no background style (names compare in "
         "exact case), so the background keeps its built-in look; did you mean \"Horizontal In\"?"},
        {"logo position", kHead + "Logo Pos=Upper Rigth\n",
         "install.cfg:3: warning: \"Logo Pos\": \"Upper Rigth\" names no logo position (names compare in exact "
         "case), so the logo stays where it was; did you mean \"Upper Right\"?"},
        {"logo file", kHead + "Logo File=C:\\Acme\\art\\logo.gif\n",
         "install.cfg:3: warning: \"Logo File\": \"C:\\Acme\\art\\logo.gif\" names no file of the medium, so the "
         "setup shows no logo; did you mean \"C:\\Acme\\art\\logo.bmp\"?"},
        {"background picture", kHead + "BitMap=C:\\Acme\\back.bmp\n",
         "install.cfg:3: warning: \"BitMap\": \"C:\\Acme\\back.bmp\" names no file of the medium, so the "
         "background keeps its built-in picture"},
        {"unknown key", kHead + "Logo Fil=C:\\Acme\\art\\logo.bmp\n",
         "install.cfg:3: warning: \"Logo Fil\": the setup reads no such key in [Setup Screen]; did you mean "
         "\"Logo File\"?"},
        {"key written out", kHead + "Logo Position=Center\n",
         "install.cfg:3: warning: \"Logo Position\": the setup reads no such key in [Setup Screen]; did you mean "
         "\"Logo Pos\"?"},
        {"repeated key", kHead + "Logo Pos=Center\nlogo pos=Bottom Left\n",
         "install.cfg:4: warning: \"logo pos\": repeats the key of line 3; the setup reads only that one"},
        {"unknown section", kHead + "[Deskop]\nA,<InstallDir>\\bin\\acme.exe\n",
         "install.cfg:3: warning: [Deskop]: the setup reads no such section; did you mean \"Desktop\"?"},
        {"repeated section", kHead + "[setup screen]\nCenter Top=1\n",
         "install.cfg:3: warning: [setup screen]: repeats the section of line 1; the setup reads only that one"},
        {"line without =", kHead + "Center Top\n",
         "install.cfg:3: warning: [Setup Screen]: \"Center Top\" is no key=value line; the setup ignores it"},
        {"number", kHead + "Center Top=yes\n",
         "install.cfg:3: warning: \"Center Top\": \"yes\" is not a whole number (decimal, $hex or 0xhex), so the "
         "setup uses the default"},
        {"font style without comma", kHead + "Text Line 1 Font Style=fsBold,fsItalic\n",
         "install.cfg:3: warning: \"Text Line 1 Font Style\": \"fsItalic\" has no comma after it, so the setup "
         "does not apply it; write \"fsBold,fsItalic,\""},
        {"font style name", kHead + "Text Line 2 Font Style=fsBold,fsItalc,\n",
         "install.cfg:3: warning: \"Text Line 2 Font Style\": \"fsItalc\" is no font style, so the setup ignores "
         "it; did you mean \"fsItalic\"?"},
        {"registry reference in lower case", kHead + "Main Directory=hkey_local_machine,Software\\Acme,Dir,Acme\n",
         "install.cfg:3: warning: \"Main Directory\": \"hkey_local_machine,Software\\Acme,Dir,Acme\" is taken as a "
         "folder name: a registry reference starts with HKEY_ in capitals"},
        {"registry reference root", kHead + "Main Directory=HKEY_USERS,Software\\Acme,Dir,Acme\n",
         "install.cfg:3: warning: \"Main Directory\": \"HKEY_USERS\" is read as HKEY_CURRENT_USER; the setup "
         "knows only HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER"},

        // The title names the uninstall entry and the start-up file markers.
        {"no title", "[Setup Screen]\nCenter Top=1\n",
         "install.cfg: warning: \"Text Line 1\": no title: the uninstall entry and the start-up file markers take "
         "the setup's built-in title \"Tavlin Pro Setup\", as every other product without one does"},
        {"empty title", "[Setup Screen]\nText Line 1=\n",
         "install.cfg:2: error: \"Text Line 1\": the title is empty, so the uninstall entry would be the list of "
         "installed programs itself"},
        {"backslash in the title", "[Setup Screen]\nText Line 1=Acme\\Suite\n",
         "install.cfg:2: error: \"Text Line 1\": the title names the uninstall entry, a registry key, whose name "
         "cannot hold \"\\\""},
        {"two blanks in the title", "[Setup Screen]\nText Line 1=Acme  Suite\n",
         "install.cfg:2: error: \"Text Line 1\": the title holds two blanks in a row; the uninstall entry's "
         "command line comes back with single blanks between its words, so it would name no entry"},
        {"quote in the title", "[Setup Screen]\nText Line 1=Acme \"Pro\" Suite\n",
         "install.cfg:2: error: \"Text Line 1\": the title holds a double quote, which the uninstall entry's "
         "command line cannot carry"},
        {"title like a switch", "[Setup Screen]\nText Line 1=/Acme\n",
         "install.cfg:2: error: \"Text Line 1\": the title starts with \"/\", so the uninstall entry's command line "
         "would read it as a switch"},

        // Macros and the programs they lead to.
        {"misspelt macro", kHead + "Launch Application=<InstalDir>\\bin\\acme.exe\n",
         "install.cfg:3: error: \"Launch Application\": unknown macro <InstalDir>: the setup leaves it in the text "
         "as it is; did you mean <InstallDir>\\?"},
        {"macro in the wrong case", kHead + "Launch Application=<installdir>\\bin\\acme.exe\n",
         "install.cfg:3: error: \"Launch Application\": <installdir> is not replaced: here the setup compares "
         "macros in exact case; write <InstallDir>\\"},
        {"program without macro", kHead + "Launch Application=bin\\acme.exe\n",
         "install.cfg:3: error: \"Launch Application\": \"bin\\acme.exe\" starts with no folder macro, so the "
         "Finished page's program points at the installation folder itself; write <InstallDir>\\acme.exe or "
         "another folder macro"},
        {"program not installed", kHead + "Launch Application=<InstallDir>\\acme.exe\n",
         "install.cfg:3: error: \"Launch Application\": \"<InstallDir>\\acme.exe\" is no file this medium "
         "installs, so the Finished page's program points nowhere; did you mean \"<InstallDir>\\bin\\acme.exe\"?"},
        {"macro without backslash", kHead + "[AUTOEXEC.BAT]\nPATH %PATH%;<InstallDir>bin\n",
         "install.cfg:4: error: [AUTOEXEC.BAT]: <InstallDir> is not replaced without the backslash after it; "
         "write <InstallDir>\\"},
        {"entry list line with =", kHead + "[CONFIG.SYS]\nDEVICE=<InstallDir>\\acme.sys\n",
         "install.cfg:4: error: [CONFIG.SYS]: the setup reads this line only up to its first \"=\", as "
         "\"DEVICE\"; the rest is lost"},

        // [Desktop] shortcuts.
        {"shortcut program not installed",
         kHead + "[Desktop]\nAcme,<InstallDir>\\bin\\acme.ex,X,,,C:\\Acme\\bin\\acme.exe,Acme,,Normal,\n",
         "install.cfg:4: error: [Desktop]: \"<InstallDir>\\bin\\acme.ex\" is no file this medium installs, so the "
         "shortcut \"Acme\" points nowhere; did you mean \"<InstallDir>\\bin\\acme.exe\"?"},
        {"shortcut source not on the medium",
         kHead + "[Desktop]\nAcme,<InstallDir>\\bin\\acme.exe,X,,,C:\\Acme\\acme.exe,Acme,,Normal,\n",
         "install.cfg:4: error: [Desktop]: \"C:\\Acme\\acme.exe\" names no file of the medium, so the shortcut "
         "\"Acme\" has no program to show an icon from (field 6); did you mean \"C:\\Acme\\bin\\acme.exe\"?"},
        {"shortcut mark in lower case",
         kHead + "[Desktop]\nAcme,<InstallDir>\\bin\\acme.exe,X,x,,C:\\Acme\\bin\\acme.exe,Acme,,Normal,\n",
         "install.cfg:4: warning: [Desktop]: \"x\" does not preselect the shortcut on the desktop (field 4); only "
         "\"X\" (in capitals) does"},
        {"shortcut window state",
         kHead + "[Desktop]\nAcme,<InstallDir>\\bin\\acme.exe,X,,,C:\\Acme\\bin\\acme.exe,Acme,,maximized,\n",
         "install.cfg:4: warning: [Desktop]: \"maximized\" is no window state (field 9), so the shortcut opens its "
         "program's default window; did you mean \"Maximized\"?"},
        {"shortcut without name",
         kHead + "[Desktop]\n,<InstallDir>\\bin\\acme.exe,X,,,C:\\Acme\\bin\\acme.exe,Acme,,Normal,\n",
         "install.cfg:4: error: [Desktop]: the shortcut has no name (field 1), so its file would be \".lnk\""},

        {"shortcut name with a backslash",
         kHead + "[Desktop]\nTools\\Acme,<InstallDir>\\bin\\acme.exe,X,,,C:\\Acme\\bin\\acme.exe,Acme,,Normal,\n",
         "install.cfg:4: error: [Desktop]: the shortcut's name \"Tools\\Acme\" holds \"\\\" or \"/\", so the setup "
         "refuses the medium"},
        {"shortcut folder climbing out",
         kHead + "[Desktop]\nAcme,<InstallDir>\\bin\\acme.exe,X,,,C:\\Acme\\bin\\acme.exe,..\\..\\StartUp,,Normal,\n",
         "install.cfg:4: error: [Desktop]: the shortcut's folder (field 7) \"..\\..\\StartUp\" climbs out with "
         "\"..\", so the setup refuses the medium"},
        {"folder with a device name", kHead + "Main Directory=Acme\\CON\n",
         "install.cfg:3: error: \"Main Directory\": the folder \"Acme\\CON\" is a device name, so the setup "
         "refuses the medium"},

        // Files opened at the end.
        {"launch file not on the medium",
         kHead + "[Launch Applications]\nC:\\Acme\\readme.doc\n[Launch Applications Location]\n1<InstallDir>\\\n",
         "install.cfg:4: error: [Launch Applications]: \"C:\\Acme\\readme.doc\" names no file of the medium, so "
         "the setup has nothing to open or register; did you mean \"C:\\Acme\\readme.txt\"?"},
        {"launch file without location", kHead + "[Launch Applications]\nC:\\Acme\\readme.txt\n",
         "install.cfg:4: error: [Launch Applications]: no [Launch Applications Location] line pairs with it, so "
         "the setup stops with \"Error Expanding Files!!\""},
        {"location without its first character",
         kHead + "[Launch Applications]\nC:\\Acme\\readme.txt\n[Launch Applications Location]\n<InstallDir>\\\n",
         "install.cfg:6: error: [Launch Applications Location]: the setup drops the first character of a "
         "location, so \"<InstallDir>\\\" loses its \"<\"; start the line with one more character, such as 1"},
        {"launch file not installed there",
         kHead + "[Launch Applications]\nC:\\Acme\\readme.txt\n[Launch Applications Location]\n1<InstallDir>\\bin\\\n",
         "install.cfg:6: error: [Launch Applications Location]: this medium installs no \"readme.txt\" into "
         "\"<InstallDir>\\bin\\\", so the setup opens a file that is not there; did you mean "
         "\"<InstallDir>\\readme.txt\"?"},
        {"location without launch file",
         kHead + "[Launch Applications]\n[Launch Applications Location]\n1<InstallDir>\\\n",
         "install.cfg:5: warning: [Launch Applications Location]: no [Launch Applications] line pairs with it, so "
         "the setup ignores it"},

        // [INI\Registry].
        {"count larger than the entries",
         kHead + "[INI\\Registry]\nCount=3\nINIREG 0=acme.ini,Options,Data,1\nINIREG 2=acme.ini,Options,More,2\n",
         "install.cfg:4: error: \"Count\": Count is 3 but there is no \"INIREG 1\", so the setup writes an empty "
         "setting for each"},
        {"entries without count", kHead + "[INI\\Registry]\nINIREG 0=acme.ini,Options,Data,1\n",
         "install.cfg:4: warning: \"INIREG 0\": there is no \"Count\", so the setup applies none of the entries"},
        {"entry beyond count",
         kHead + "[INI\\Registry]\nCount=1\nINIREG 0=acme.ini,Options,Data,1\nINIREG 1=acme.ini,Options,More,2\n",
         "install.cfg:6: warning: \"INIREG 1\": lies beyond Count=1, so the setup does not apply it"},
        {"unknown registry root", kHead + "[INI\\Registry]\nCount=1\nINIREG 0=HKEY_CLASSES_ROOT\\,Acme,Path,1\n",
         "install.cfg:5: error: \"INIREG 0\": \"HKEY_CLASSES_ROOT\\\" is neither an INI file nor "
         "HKEY_LOCAL_MACHINE\\ or HKEY_CURRENT_USER\\, so the setup cuts 18 characters off it and writes below "
         "HKEY_CURRENT_USER"},
        {"registry key with a dot",
         kHead + "[INI\\Registry]\nCount=1\nINIREG 0=HKEY_LOCAL_MACHINE\\Software\\Acme 2.0\\,Options,Path,1\n",
         "install.cfg:5: error: \"INIREG 0\": field 1 holds a \".\", so the setup writes it as an INI file, not a "
         "registry key"},
        {"INI file outside the Windows folder",
         kHead + "[INI\\Registry]\nCount=1\nINIREG 0=..\\system.ini,boot,shell,acme.exe\n",
         "install.cfg:5: error: \"INIREG 0\": the INI file \"..\\system.ini\" climbs out with \"..\", so the setup "
         "refuses the medium"},
        {"misspelt macro in a value",
         kHead + "[INI\\Registry]\nCount=1\nINIREG 0=acme.ini,Options,Data,<ProgamFiles>\\Acme\n",
         "install.cfg:5: error: \"INIREG 0\": unknown macro <ProgamFiles>: the setup leaves it in the text as it "
         "is; did you mean <ProgramFiles>\\?"},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(Findings(c.config), std::vector<std::string>{c.finding});
    }
}

TEST(ConfigCheck, ConfigurationsReadAsMeantGiveNoFindings) {
    const std::string cases[] = {
        // The documented default style names no style and keeps the built-in look on purpose.
        kHead + "Display Style=Horiz In\nLogo Pos=Upper Left (Under Text)\nLogo File=c:\\acme\\ART\\Logo.bmp\n"
                "Text Line 1 Font Style=fsBold,fsItalic,\nImage Border Color=$FF00000F\nCenter Top Start=0x10\n",
        // Start-up lines, locations and INI values expand macros in any letter case.
        kHead + "[AUTOEXEC.BAT]\nPATH %PATH%;<installdir>\\bin\ncopy a <WINDOWS>\\Fonts\\a.ttf\n",
        kHead + "[Launch Applications]\nC:\\Acme\\readme.txt\nC:\\Acme\\system\\acme.dll\n"
                "[Launch Applications Location]\n1<InstallDir>\\\n1<Windows>\\System\\\n",
        kHead + "[INI\\Registry]\nCount=2\nINIREG 0=acme.ini,Options,Data,<installdir>\\docs\n"
                "INIREG 1=HKEY_CURRENT_USER\\,Software\\Acme,,x\n",
        // A shortcut to a program of Windows itself is not the medium's business.
        kHead + "[Desktop]\nNotes,<Windows>\\notepad.exe,X,,,C:\\Acme\\readme.txt,Acme,,Minimized,readme.txt\n"
                "Acme,<InstallDir>\\BIN\\ACME.EXE,X,X,X,C:\\Acme\\bin\\acme.exe,Acme\\Tools,acme.exe,,\n",
        kHead + "Main Directory=HKEY_LOCAL_MACHINE,SOFTWARE\\Acme,InstallPath,Acme\n"
                "Launch Application=<InstallDir>\\bin\\acme.exe\n; a comment=with an equals sign\n",
    };
    for (const std::string& config : cases) {
        SCOPED_TRACE(config);
        EXPECT_EQ(Findings(config), std::vector<std::string>{});
    }
}

TEST(ConfigCheck, FindingsComeInLineOrderWithTheirSeverity) {
    const auto findings = CheckConfig(
        ConfigDocument(LinesOf("[Desktop]\nA,<InstallDir>\\none.exe\n[Setup Screen]\nText Line 1=Acme\nLogo Pos=Top\n")),
        AcmeMedium());
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].Line, 2);
    EXPECT_EQ(findings[0].Level, FindingLevel::Error);
    EXPECT_EQ(findings[1].Line, 5);
    EXPECT_EQ(findings[1].Level, FindingLevel::Warning);
}

TEST(InstalledTargets, FoldersAsMacrosKeywordsReplaceAndFolderLinesNameNothing) {
    const std::vector<std::string> lines = {
        "Installation Directory\tdocs\\\tguide\tC:\\Acme\\docs\\guide\\faq.txt",
        "Windows,Installation Directory,C:\\Acme\\a.exe",
        "Fonts\tC:\\Acme\\f.ttf",
        "Root,Tools,C:\\Acme\\t.exe",
        "Installation Directory\tdata\\\tC:\\Acme\\data\\",
        "bare.txt",
        "",
    };
    EXPECT_EQ(InstalledTargets(lines),
              (std::vector<std::string>{"<InstallDir>\\docs\\guide\\faq.txt", "<InstallDir>\\a.exe",
                                        "<Windows>\\Fonts\\f.ttf", "<Root>\\Tools\\t.exe", "bare.txt"}));
}

}  // namespace
}  // namespace tavlin
