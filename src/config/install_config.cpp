// Reading install.cfg into its value.
#include "config/install_config.h"

#include <algorithm>

#include "config/config_keys.h"
#include "support/font_styles.h"

namespace tavlin {

namespace {

// More INI keys than this cannot fit into a profile section; a larger "Count" is
// taken as this many, so that a wrong count cannot stall the setup.
constexpr std::int32_t kMaxIniRegistryCount = 65536;

std::optional<std::int32_t> IntegerIn(ConfigSource& source, const std::string& section, const std::string& key) {
    const auto text = source.Value(section, key);
    return text ? ParseIniInteger(*text) : std::nullopt;
}

class ScreenReader {
public:
    explicit ScreenReader(ConfigSource& source) : source_(source) {}

    std::optional<std::string> Text(const std::string& key) { return source_.Value(kSetupScreenSection, key); }
    std::string Text(const std::string& key, const std::string& defaultValue) {
        return Text(key).value_or(defaultValue);
    }
    std::optional<std::int32_t> Integer(const std::string& key) { return IntegerIn(source_, kSetupScreenSection, key); }
    std::int32_t Integer(const std::string& key, std::int32_t defaultValue) {
        return Integer(key).value_or(defaultValue);
    }
    bool Bool(const std::string& key, bool defaultValue) { return Integer(key, defaultValue ? 1 : 0) != 0; }
    std::optional<ConfigColour> Colour(const std::string& key) {
        const auto number = Integer(key);
        if (!number) return std::nullopt;
        return static_cast<ConfigColour>(*number);
    }
    ConfigColour Colour(const std::string& key, ConfigColour defaultValue) {
        return Colour(key).value_or(defaultValue);
    }

private:
    ConfigSource& source_;
};

TextLineConfig ReadTextLine(ScreenReader& read, int n) {
    const std::string key = "Text Line " + std::to_string(n);
    TextLineConfig line;
    line.Text = read.Text(key, kDefaultTextLines[n - 1]);
    line.FontName = read.Text(key + " Font Name");
    line.FontSize = read.Integer(key + " Font Size");
    line.FontPitch = read.Integer(key + " Font Pitch");
    line.FontColor = read.Colour(key + " Font Color");
    line.FontHeight = read.Integer(key + " Font Height");
    line.FontStyle = ParseFontStyles(read.Text(key + " Font Style", ""));
    line.ShadowColor = read.Colour(key + " Shadow Color");
    return line;
}

}  // namespace

InstallConfig ReadInstallConfig(ConfigSource& source) {
    ScreenReader read(source);
    InstallConfig config;
    SetupScreenConfig& s = config.Screen;
    for (int n = 1; n <= 4; ++n) s.TextLines[static_cast<std::size_t>(n - 1)] = ReadTextLine(read, n);

    s.UninstallOption = read.Bool("Uninstall Option", s.UninstallOption);
    s.UninstallString = read.Text("Uninstall String", s.UninstallString);
    s.UninstallCopy = read.Bool("Uninstall Copy", s.UninstallCopy);
    s.CenterTop = read.Bool("Center Top", s.CenterTop);
    s.CenterTopStart = read.Integer("Center Top Start", s.CenterTopStart);
    s.FromColor = read.Colour("From Color", s.FromColor);
    s.ToColor = read.Colour("To Color", s.ToColor);
    s.DisplayStyle = read.Text("Display Style", s.DisplayStyle);
    s.LogoPos = read.Text("Logo Pos", s.LogoPos);
    s.LogoFile = read.Text("Logo File", s.LogoFile);
    s.ImageBorderColor = read.Colour("Image Border Color", s.ImageBorderColor);
    s.BitMap = read.Text("BitMap", s.BitMap);
    s.RebootOption = read.Bool("ReBoot Option", s.RebootOption);
    s.RestartOption = read.Bool("ReStart Option", s.RestartOption);
    s.LaunchApplication = read.Text("Launch Application", s.LaunchApplication);
    s.MainDirectory = read.Text("Main Directory", s.MainDirectory);
    s.App16Bit = read.Bool("16Bit App", s.App16Bit);
    s.App32Bit = read.Bool("32Bit App", s.App32Bit);
    s.UnderProgramFiles = read.Bool("Under Program Files", s.UnderProgramFiles);
    s.DesktopFolder = read.Text("Desktop Folder", s.DesktopFolder);
    s.DisplayDesktopOptions = read.Bool("Display Desktop Options", s.DisplayDesktopOptions);

    config.AutoexecLines = source.SectionLines("AUTOEXEC.BAT");
    config.ConfigSysLines = source.SectionLines("CONFIG.SYS");
    const auto count = std::min(IntegerIn(source, kIniRegistrySection, "Count").value_or(-1), kMaxIniRegistryCount);
    for (std::int32_t i = 0; i < count; ++i) {
        config.IniRegistryEntries.push_back(
            source.Value(kIniRegistrySection, "INIREG " + std::to_string(i)).value_or(""));
    }
    config.LaunchApps = source.SectionLines("Launch Applications");
    config.LaunchAppLocations = source.SectionLines("Launch Applications Location");
    config.DesktopItems = source.SectionLines("Desktop");
    return config;
}

}  // namespace tavlin
