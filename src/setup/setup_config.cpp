#include "setup/setup_config.h"

#include "config/config_source.h"
#include "install/path_macros.h"
#include "platform/platform.h"
#include "setup/display_screen.h"
#include "setup/picture_size.h"
#include "support/fields.h"
#include "support/folders.h"
#include "support/ini_file.h"
#include "support/paths.h"
#include "support/text.h"

namespace tavlin {

namespace {

// The label's font keys that install.cfg leaves out keep its current font.
void ApplyTextLine(const TextLineConfig& line, TShadowLabel& label) {
    label.Caption = line.Text;
    label.Font.Name = line.FontName.value_or(label.Font.Name);
    label.Font.SetSize(line.FontSize.value_or(label.Font.Size));
    label.Font.PixelsPerInch = line.FontPitch.value_or(label.Font.PixelsPerInch);
    label.Font.Color = line.FontColor.value_or(label.Font.Color);
    label.Font.Height = line.FontHeight.value_or(label.Font.Height);
    label.Font.Style = line.FontStyle;
    label.ShadowColor = line.ShadowColor.value_or(label.ShadowColor);
    label.AdjustSize();
}

void SetEntries(const std::vector<std::string>& entries, StringList& list) {
    list.Clear();
    // Each line is an entry as written; "set x=y" must keep its "=y".
    for (const std::string& entry : entries) list.Add(entry);
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
    IniFile ini(screen.platform(), folder + "install.cfg");
    IniConfigSource source(ini);
    ApplySetupConfig(screen, ReadInstallConfig(source), folder);
}

void ApplySetupConfig(TDisplayScreen& screen, const InstallConfig& config, const std::string& folder) {
    Platform& platform = screen.platform();
    SetupState& state = screen.State;
    const SetupScreenConfig& s = config.Screen;

    TShadowLabel* lines[] = {&screen.TextInfo1, &screen.TextInfo2, &screen.TextInfo3, &screen.TextInfo4};
    for (std::size_t n = 0; n < 4; ++n) ApplyTextLine(s.TextLines[n], *lines[n]);

    state.UninstallOption = s.UninstallOption;
    state.UninstallString = s.UninstallString;
    state.UninstallCopy = s.UninstallCopy;
    state.CenterTop = s.CenterTop;
    state.CenterTopStart = s.CenterTopStart;
    screen.SetupScreen.ColorStart = s.FromColor;
    screen.SetupScreen.ColorEnd = s.ToColor;

    state.DisplayStyle = s.DisplayStyle;
    state.LogoPos = s.LogoPos;
    state.LogoFile = s.LogoFile;
    screen.ImageHolder1.Color = s.ImageBorderColor;
    state.BitmapFile = s.BitMap;

    state.RebootOption = s.RebootOption;
    state.RestartOption = s.RestartOption;
    state.LaunchApplication = s.LaunchApplication;
    state.MainDirectory = s.MainDirectory;
    state.App16Bit = s.App16Bit;
    state.App32Bit = s.App32Bit;
    state.UnderProgramFiles = s.UnderProgramFiles;
    state.DesktopFolder = s.DesktopFolder;
    state.DisplayDesktopOptions = s.DisplayDesktopOptions;

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

    SetEntries(config.AutoexecLines, state.AutoexecLines);
    SetEntries(config.ConfigSysLines, state.ConfigSysLines);
    for (const std::string& entry : config.IniRegistryEntries) state.IniRegistryEntries.Add(entry);

    SetEntries(config.LaunchApps, state.LaunchApps);
    SetEntries(config.LaunchAppLocations, state.LaunchAppLocations);
    for (std::size_t i = 0; i < state.LaunchApps.Count(); ++i) {
        if (i >= state.LaunchAppLocations.Count()) {
            throw EListError("List index out of bounds (" + std::to_string(i) + ")");
        }
        state.LaunchApps[i] = state.ExpandDir + WithoutFirst(state.LaunchApps[i], 3);
        state.LaunchAppLocations[i] = WithoutFirst(state.LaunchAppLocations[i], 1);
    }

    SetEntries(config.DesktopItems, state.DesktopItems);

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
