// install.cfg as a plain value: the [Setup Screen] keys with their parsed types
// and the lists of the other sections, read once with the setup's rules (the
// defaults, keys and sections in any letter case, a value that does not parse
// taking the default). The setup applies it to its screen in a step of its own;
// the builder reads the same value.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/config_source.h"

namespace tavlin {

// A colour number 0x00BBGGRR, or 0xFF000000 + the index of a system colour.
using ConfigColour = std::uint32_t;

// The eight keys of one text line. The font keys that are missing (or do not
// parse) leave the label's current font as it is, so they are kept as nothing.
struct TextLineConfig {
    std::string Text;
    std::optional<std::string> FontName;
    std::optional<std::int32_t> FontSize;
    std::optional<std::int32_t> FontPitch;
    std::optional<ConfigColour> FontColor;
    std::optional<std::int32_t> FontHeight;  // overrides the height that FontSize gives
    std::uint8_t FontStyle = 0;              // FontStyles bits; the default is no style
    std::optional<ConfigColour> ShadowColor;
};

struct SetupScreenConfig {
    std::array<TextLineConfig, 4> TextLines;
    bool UninstallOption = false;
    std::string UninstallString;
    bool UninstallCopy = false;
    bool CenterTop = false;
    std::int32_t CenterTopStart = 8;
    ConfigColour FromColor = 0xFF0000;  // blue
    ConfigColour ToColor = 0;           // black
    std::string DisplayStyle = "Horiz In";
    std::string LogoPos = "Upper Right";
    std::string LogoFile;                        // as written, the builder's path
    ConfigColour ImageBorderColor = 0xFF00000F;  // the system colour of button faces
    std::string BitMap;                          // as written, the builder's path
    bool RebootOption = false;
    bool RestartOption = false;
    std::string LaunchApplication;
    std::string MainDirectory = "TVL";
    bool App16Bit = false;
    bool App32Bit = true;
    bool UnderProgramFiles = true;
    std::string DesktopFolder = "Applications";
    bool DisplayDesktopOptions = true;
};

struct InstallConfig {
    SetupScreenConfig Screen;
    std::vector<std::string> AutoexecLines;       // [AUTOEXEC.BAT], lines kept whole
    std::vector<std::string> ConfigSysLines;      // [CONFIG.SYS]
    std::vector<std::string> IniRegistryEntries;  // [INI\Registry] "INIREG 0" ... by "Count"
    std::vector<std::string> LaunchApps;          // [Launch Applications], as written
    std::vector<std::string> LaunchAppLocations;  // [Launch Applications Location], as written
    std::vector<std::string> DesktopItems;        // [Desktop]
};

// The value of an install.cfg; a missing file gives every default and empty lists.
InstallConfig ReadInstallConfig(ConfigSource& source);

}  // namespace tavlin
