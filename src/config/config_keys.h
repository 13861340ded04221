// Every section and every [Setup Screen] key that the setup reads from
// install.cfg, with the kind of value it takes and the default it falls back to.
#pragma once

#include <string>
#include <vector>

namespace tavlin {

enum class ConfigValueKind { Text, Integer, Boolean, Colour, FontStyleList };

struct ConfigKeyInfo {
    std::string Name;
    ConfigValueKind Kind;
};

inline constexpr const char* kSetupScreenSection = "Setup Screen";
inline constexpr const char* kIniRegistrySection = "INI\\Registry";

// What the four text lines show when install.cfg has no text for them; line 1
// is also the title, which names the uninstall entry.
inline constexpr const char* kDefaultTextLines[4] = {"Tavlin Pro Setup", "", "", "Tavlin Pro"};

// The [Setup Screen] keys, in the order the setup reads them.
const std::vector<ConfigKeyInfo>& SetupScreenKeys();

// The sections the setup reads, [Setup Screen] first.
const std::vector<std::string>& ConfigSectionNames();

// The sections read as entry lists: each line counts up to its first "=".
const std::vector<std::string>& EntryListSections();

}  // namespace tavlin
