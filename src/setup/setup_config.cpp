#include "setup/setup_config.h"

#include "install/path_macros.h"
#include "platform/platform.h"
#include "setup/display_screen.h"
#include "setup/picture_size.h"
#include "support/fields.h"
#include "support/folders.h"
#include "support/font_styles.h"
#include "support/ini_file.h"
#include "support/paths.h"
#include "support/text.h"

namespace tavlin {

namespace {

constexpr const char* kScreen = "Setup Screen";

// More INI keys than this cannot fit into a profile section; a larger "Count" is
// taken as this many, so that a wrong count cannot stall the setup.
constexpr std::int32_t kMaxIniRegistryCount = 65536;

TColor ReadColour(IniFile& ini, const std::string& key, TColor defaultValue) {
    return static_cast<TColor>(ini.ReadInteger(kScreen, key, static_cast<std::int32_t>(defaultValue)));
}

void ReadTextLine(IniFile& ini, int n, TShadowLabel& label) {
    const std::string key = "Text Line " + std::to_string(n);
    label.Caption = ini.ReadString(kScreen, key, kDefaultTextLines[n - 1]);
    label.Font.Name = ini.ReadString(kScreen, key + " Font Name", label.Font.Name);
    label.Font.SetSize(ini.ReadInteger(kScreen, key + " Font Size", label.Font.Size));
    label.Font.PixelsPerInch = ini.ReadInteger(kScreen, key + " Font Pitch", label.Font.PixelsPerInch);
    label.Font.Color = ReadColour(ini, key + " Font Color", label.Font.Color);
    label.Font.Height = ini.ReadInteger(kScreen, key + " Font Height", label.Font.Height);
    label.Font.Style = ParseFontStyles(ini.ReadString(kScreen, key + " Font Style", ""));
    label.ShadowColor = ReadColour(ini, key + " Shadow Color", label.ShadowColor);
    label.AdjustSize();
}

void ReadEntries(IniFile& ini, const std::string& section, StringList& list) {
    list.Clear();
    for (std::string& entry : ini.ReadSectionEntries(section)) list.Add(std::move(entry));
}

std::string WithoutFirst(const std::string& text, std::size_t count) {
    return text.size() > count ? text.substr(count) : std::string();
}

// The destination folder from "Main Directory": below the Program Files folder or
// the root of the Windows drive, or read from the registry for a value that
// begins with "HKEY_".
void SetDestination(TDisplayScreen& screen) {
    Platform& platform = screen.platform();
    SetupState& state = screen.State;
    const std::string base =
        state.UnderProgramFiles ? SpecialFolder(platform, sfProgramFiles) : WindowsFolder(platform).substr(0, 3);
    screen.Main_Dir.Text = base + state.MainDirectory;
    if (!StartsWith(state.MainDirectory, "HKEY_")) return;

    std::string rest = state.MainDirectory;
    std::string rootName, keyPath, valueName;
    SplitFirstField(rest, ',', rootName);
    SplitFirstField(rest, ',', keyPath);
    SplitFirstField(rest, ',', valueName);
    const RegistryRoot root =
        rootName == "HKEY_LOCAL_MACHINE" ? RegistryRoot::LocalMachine : RegistryRoot::CurrentUser;
    if (!StartsWith(keyPath, "\\")) keyPath = "\\" + keyPath;
    const std::string fallback = base + rest;

    Registry& registry = platform.registry();
    state.MainDirectory.clear();
    if (registry.openKey(root, keyPath)) state.MainDirectory = registry.readString(root, keyPath, valueName).value_or("");
    if (state.MainDirectory.empty()) state.MainDirectory = fallback;
    screen.Main_Dir.Text = state.MainDirectory;
}

}  // namespace

void ReadSetupConfig(TDisplayScreen& screen, const std::string& folder) {
    Platform& platform = screen.platform();
    SetupState& state = screen.State;
    IniFile ini(platform, folder + "install.cfg");

    TShadowLabel* lines[] = {&screen.TextInfo1, &screen.TextInfo2, &screen.TextInfo3, &screen.TextInfo4};
    for (int n = 1; n <= 4; ++n) ReadTextLine(ini, n, *lines[n - 1]);

    state.UninstallOption = ini.ReadBool(kScreen, "Uninstall Option", false);
    state.UninstallString = ini.ReadString(kScreen, "Uninstall String", "");
    state.UninstallCopy = ini.ReadBool(kScreen, "Uninstall Copy", false);
    state.CenterTop = ini.ReadBool(kScreen, "Center Top", false);
    state.CenterTopStart = ini.ReadInteger(kScreen, "Center Top Start", 8);
    screen.SetupScreen.ColorStart = ReadColour(ini, "From Color", clBlue);
    screen.SetupScreen.ColorEnd = ReadColour(ini, "To Color", clBlack);

    state.DisplayStyle = ini.ReadString(kScreen, "Display Style", "Horiz In");
    state.LogoPos = ini.ReadString(kScreen, "Logo Pos", "Upper Right");
    state.LogoFile = ini.ReadString(kScreen, "Logo File", "");
    screen.ImageHolder1.Color = ReadColour(ini, "Image Border Color", clBtnFace);
    state.BitmapFile = ini.ReadString(kScreen, "BitMap", "");

    state.RebootOption = ini.ReadBool(kScreen, "ReBoot Option", false);
    state.RestartOption = ini.ReadBool(kScreen, "ReStart Option", false);
    state.LaunchApplication = ini.ReadString(kScreen, "Launch Application", "");
    state.MainDirectory = ini.ReadString(kScreen, "Main Directory", "TVL");
    state.App16Bit = ini.ReadBool(kScreen, "16Bit App", false);
    state.App32Bit = ini.ReadBool(kScreen, "32Bit App", true);
    state.UnderProgramFiles = ini.ReadBool(kScreen, "Under Program Files", true);
    state.DesktopFolder = ini.ReadString(kScreen, "Desktop Folder", "Applications");
    state.DisplayDesktopOptions = ini.ReadBool(kScreen, "Display Desktop Options", true);

    screen.reboot.Visible = state.RebootOption;

    // Picture names: below the expansion folder in install mode; beside the log,
    // by file name only, in uninstall mode.
    for (std::string* name : {&state.LogoFile, &state.BitmapFile}) {
        if (name->empty()) continue;
        *name = state.UninstallMode ? ExtractFileName(*name) : WithoutFirst(*name, 3);
    }

    screen.LaunchItOption.Hide();
    screen.LaunchIt.Hide();
    SetDestination(screen);
    screen.ReturnToWIndows.Show();
    if (!state.LaunchApplication.empty()) {
        screen.LaunchItOption.Show();
        screen.LaunchIt.Show();
        screen.LaunchItOption.SetChecked(true);
        screen.LaunchIt.Caption = state.LaunchApplication;
    } else {
        screen.ReturnToWIndows.SetChecked(true);
    }

    ReadEntries(ini, "AUTOEXEC.BAT", state.AutoexecLines);
    ReadEntries(ini, "CONFIG.SYS", state.ConfigSysLines);
    const std::int32_t count = std::min(ini.ReadInteger("INI\\Registry", "Count", -1), kMaxIniRegistryCount);
    for (std::int32_t i = 0; i < count; ++i) {
        state.IniRegistryEntries.Add(ini.ReadString("INI\\Registry", "INIREG " + std::to_string(i), ""));
    }

    ReadEntries(ini, "Launch Applications", state.LaunchApps);
    ReadEntries(ini, "Launch Applications Location", state.LaunchAppLocations);
    for (std::size_t i = 0; i < state.LaunchApps.Count(); ++i) {
        if (i >= state.LaunchAppLocations.Count()) {
            throw EListError("List index out of bounds (" + std::to_string(i) + ")");
        }
        state.LaunchApps[i] = state.ExpandDir + WithoutFirst(state.LaunchApps[i], 3);
        state.LaunchAppLocations[i] = WithoutFirst(state.LaunchAppLocations[i], 1);
    }

    ReadEntries(ini, "Desktop", state.DesktopItems);

    try {
        state.ArchiveFileList.LoadFromFile(platform.files(), folder + "finstall.cfg");
    } catch (const EStreamError&) {
        // Without a file list the installation lists are built from what is known.
    }
    std::string mainDir = screen.Main_Dir.Text;
    BuildInstallLists(platform, state, mainDir);
    screen.Main_Dir.Text = mainDir;

    screen.ImageHolder1.Hide();
    screen.LoadLogo1Click();
    if (!state.BitmapFile.empty()) {
        try {
            screen.SetupScreen.Bitmap =
                LoadPicture(platform.files(), state.ExpandDir + state.BitmapFile, PictureFormat::Bmp);
        } catch (const Exception&) {
            // The built-in picture stays.
        }
    }

    StringList welcome;
    try {
        welcome.LoadFromFile(platform.files(), folder + "warning.txt");
    } catch (const EStreamError&) {
        welcome = {"It is strongly recommended that you exit all windows programs before running this Setup "
                   "program. Click Cancel to quit Setup and then close any programs you have running ( Re-Boot "
                   "if Necessary ). Click Next to continue with Setup Program.",
                   "", "", "", ""};
    }
    screen.WelcomeMemo->Lines = welcome.Lines();

    screen.Application.ProcessMessages();
    screen.Application.Title = screen.TextInfo1.Caption;

    screen.AdjustFonts1Click();
    screen.LogoPosChanges1Click();
    screen.DisplayStyleChanges1Click();
    screen.Application.ProcessMessages();
    screen.Refresh();
}

}  // namespace tavlin
