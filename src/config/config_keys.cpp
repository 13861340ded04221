// The table of install.cfg's sections and [Setup Screen] keys.
#include "config/config_keys.h"

namespace tavlin {

const std::vector<ConfigKeyInfo>& SetupScreenKeys() {
    static const std::vector<ConfigKeyInfo> keys = [] {
        using K = ConfigValueKind;
        std::vector<ConfigKeyInfo> list;
        for (int n = 1; n <= 4; ++n) {
            const std::string line = "Text Line " + std::to_string(n);
            list.push_back({line, K::Text});
            list.push_back({line + " Font Name", K::Text});
            list.push_back({line + " Font Size", K::Integer});
            list.push_back({line + " Font Pitch", K::Integer});
            list.push_back({line + " Font Color", K::Colour});
            list.push_back({line + " Font Height", K::Integer});
            list.push_back({line + " Font Style", K::FontStyleList});
            list.push_back({line + " Shadow Color", K::Colour});
        }
        const ConfigKeyInfo rest[] = {
            {"Uninstall Option", K::Boolean},   {"Uninstall String", K::Text},
            {"Uninstall Copy", K::Boolean},     {"Center Top", K::Boolean},
            {"Center Top Start", K::Integer},   {"From Color", K::Colour},
            {"To Color", K::Colour},            {"Display Style", K::Text},
            {"Logo Pos", K::Text},              {"Logo File", K::Text},
            {"Image Border Color", K::Colour},  {"BitMap", K::Text},
            {"ReBoot Option", K::Boolean},      {"ReStart Option", K::Boolean},
            {"Launch Application", K::Text},    {"Main Directory", K::Text},
            {"16Bit App", K::Boolean},          {"32Bit App", K::Boolean},
            {"Under Program Files", K::Boolean}, {"Desktop Folder", K::Text},
            {"Display Desktop Options", K::Boolean},
        };
        list.insert(list.end(), std::begin(rest), std::end(rest));
        return list;
    }();
    return keys;
}

const std::vector<std::string>& ConfigSectionNames() {
    static const std::vector<std::string> names = {
        kSetupScreenSection, "AUTOEXEC.BAT", "CONFIG.SYS", kIniRegistrySection, "Launch Applications",
        "Launch Applications Location", "Desktop"};
    return names;
}

const std::vector<std::string>& EntryListSections() {
    static const std::vector<std::string> names = {"AUTOEXEC.BAT", "CONFIG.SYS", "Launch Applications",
                                                   "Launch Applications Location", "Desktop"};
    return names;
}

}  // namespace tavlin
