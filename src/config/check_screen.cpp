// Rules for the sections and keys themselves, for the title and for the
// [Setup Screen] values: names the setup compares, numbers it parses, pictures
// it loads.
#include <algorithm>

#include "config/check_context.h"
#include "config/config_keys.h"
#include "config/nearest_name.h"
#include "config/screen_names.h"
#include "support/fields.h"
#include "support/font_styles.h"
#include "support/ini_file.h"
#include "support/text.h"

namespace tavlin {

namespace {

// A registry key name holds at most this many characters.
constexpr std::size_t kMaxKeyNameLength = 255;

const ConfigKeyInfo* ScreenKeyNamed(const std::string& name) {
    for (const auto& info : SetupScreenKeys()) {
        if (SameTextAscii(info.Name, name)) return &info;
    }
    return nullptr;
}

template <std::size_t N>
std::vector<std::string> NameList(const std::array<const char*, N>& names) {
    return {names.begin(), names.end()};
}

std::string Suggestion(const std::string& name, const std::vector<std::string>& candidates) {
    const auto nearest = NearestName(name, candidates);
    return nearest ? "; did you mean " + Quoted(*nearest) + "?" : std::string();
}

void CheckNumber(CheckContext& context, const ConfigKey& key) {
    if (ParseIniInteger(key.Value)) return;
    context.Warning(key.Line, Quoted(key.Name),
                    Quoted(key.Value) + " is not a whole number (decimal, $hex or 0xhex), so the setup uses the default");
}

void CheckFontStyles(CheckContext& context, const ConfigKey& key) {
    std::string rest = key.Value;
    const std::vector<std::string> names = NameList(FontStyleNames);
    for (std::size_t comma = rest.find(','); comma != std::string::npos; comma = rest.find(',')) {
        const std::string token = rest.substr(0, comma);
        rest.erase(0, comma + 1);
        if (token.empty() || std::find(names.begin(), names.end(), token) != names.end()) continue;
        context.Warning(key.Line, Quoted(key.Name),
                        Quoted(token) + " is no font style, so the setup ignores it" + Suggestion(token, names));
    }
    if (!Trim(rest).empty()) {
        context.Warning(key.Line, Quoted(key.Name),
                        Quoted(rest) + " has no comma after it, so the setup does not apply it; write " +
                            Quoted(key.Value + ","));
    }
}

}  // namespace

void CheckSectionsAndKeys(CheckContext& context) {
    const ConfigDocument& config = context.Config();
    const auto& known = ConfigSectionNames();
    for (const auto& section : config.Sections()) {
        const std::string shown = "[" + section.Name + "]";
        const ConfigSection* first = config.Section(section.Name);
        const bool isKnown = std::any_of(known.begin(), known.end(),
                                         [&](const std::string& name) { return SameTextAscii(name, section.Name); });
        if (!isKnown) {
            context.Warning(section.Line, shown, "the setup reads no such section" + Suggestion(section.Name, known));
            continue;
        }
        if (first != &section) {
            context.Warning(section.Line, shown,
                            "repeats the section of line " + std::to_string(first->Line) +
                                "; the setup reads only that one");
            continue;
        }
        const auto& lists = EntryListSections();
        const bool isList = std::any_of(lists.begin(), lists.end(),
                                        [&](const std::string& name) { return SameTextAscii(name, section.Name); });
        if (isList) continue;
        const bool isScreen = SameTextAscii(section.Name, kSetupScreenSection);
        for (const auto& line : section.Lines) {
            if (!line.HasEquals) {
                context.Warning(line.Line, shown, Quoted(line.Name) + " is no key=value line; the setup ignores it");
                continue;
            }
            const ConfigKey* firstKey = config.Key(section.Name, line.Name);
            if (firstKey != &line) {
                context.Warning(line.Line, Quoted(line.Name),
                                "repeats the key of line " + std::to_string(firstKey->Line) +
                                    "; the setup reads only that one");
                continue;
            }
            if (isScreen && ScreenKeyNamed(line.Name) == nullptr) {
                std::vector<std::string> names;
                for (const auto& info : SetupScreenKeys()) names.push_back(info.Name);
                std::string suggestion = Suggestion(line.Name, names);
                // A key written out in full ("Logo Position" for "Logo Pos") is no typo but still a likely one.
                for (const auto& keyName : names) {
                    if (!suggestion.empty()) break;
                    if (keyName.size() >= 4 && line.Name.size() > keyName.size() &&
                        SameTextAscii(line.Name.substr(0, keyName.size()), keyName)) {
                        suggestion = "; did you mean " + Quoted(keyName) + "?";
                    }
                }
                context.Warning(line.Line, Quoted(line.Name), "the setup reads no such key in " + shown + suggestion);
            }
        }
    }
}

void CheckTitle(CheckContext& context) {
    const ConfigKey* key = context.Config().Key(kSetupScreenSection, "Text Line 1");
    const std::string name = Quoted("Text Line 1");
    if (key == nullptr) {
        context.Warning(0, name,
                        "no title: the uninstall entry and the start-up file markers take the setup's built-in "
                        "title " + Quoted(kDefaultTextLines[0]) + ", as every other product without one does");
        return;
    }
    const std::string& title = key->Value;
    const int line = key->Line;
    if (title.empty()) {
        context.Error(line, name,
                      "the title is empty, so the uninstall entry would be the list of installed programs itself");
        return;
    }
    if (title.find('\\') != std::string::npos) {
        context.Error(line, name,
                      "the title names the uninstall entry, a registry key, whose name cannot hold \"\\\"");
    }
    if (title.size() > kMaxKeyNameLength) {
        context.Error(line, name,
                      "the title names the uninstall entry, a registry key, whose name holds at most 255 characters");
    }
    if (std::any_of(title.begin(), title.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
        context.Error(line, name, "the title holds a control character, which its uninstall entry cannot carry");
    }
    if (title.find('"') != std::string::npos) {
        context.Error(line, name,
                      "the title holds a double quote, which the uninstall entry's command line cannot carry");
    }
    if (title.find("  ") != std::string::npos) {
        context.Error(line, name,
                      "the title holds two blanks in a row; the uninstall entry's command line comes back with "
                      "single blanks between its words, so it would name no entry");
    }
    if (title.front() == '/') {
        context.Error(line, name,
                      "the title starts with \"/\", so the uninstall entry's command line would read it as a switch");
    }
}

void CheckScreenSection(CheckContext& context) {
    const ConfigDocument& config = context.Config();
    const ConfigSection* section = config.Section(kSetupScreenSection);
    if (section == nullptr) return;
    for (const auto& line : section->Lines) {
        if (!line.HasEquals || config.Key(kSetupScreenSection, line.Name) != &line) continue;
        const ConfigKeyInfo* info = ScreenKeyNamed(line.Name);
        if (info == nullptr) continue;
        switch (info->Kind) {
            case ConfigValueKind::Integer:
            case ConfigValueKind::Boolean:
            case ConfigValueKind::Colour: CheckNumber(context, line); break;
            case ConfigValueKind::FontStyleList: CheckFontStyles(context, line); break;
            case ConfigValueKind::Text: break;
        }
    }

    if (const ConfigKey* style = config.Key(kSetupScreenSection, "Display Style")) {
        if (!DisplayStyleIndex(style->Value) && style->Value != kDefaultDisplayStyle) {
            context.Warning(style->Line, Quoted(style->Name),
                            Quoted(style->Value) +
                                " names no background style (names compare in exact case), so the background "
                                "keeps its built-in look" +
                                Suggestion(style->Value, NameList(DisplayStyleNames)));
        }
    }
    if (const ConfigKey* place = config.Key(kSetupScreenSection, "Logo Pos")) {
        if (!LogoPlaceNamed(place->Value)) {
            context.Warning(place->Line, Quoted(place->Name),
                            Quoted(place->Value) +
                                " names no logo position (names compare in exact case), so the logo stays where "
                                "it was" +
                                Suggestion(place->Value, NameList(LogoPositionNames)));
        }
    }
    if (const ConfigKey* logo = config.Key(kSetupScreenSection, "Logo File"); logo && !logo->Value.empty()) {
        context.CheckSetupFile(logo->Line, Quoted(logo->Name), logo->Value, "the setup shows no logo", false);
    }
    if (const ConfigKey* picture = config.Key(kSetupScreenSection, "BitMap"); picture && !picture->Value.empty()) {
        context.CheckSetupFile(picture->Line, Quoted(picture->Name), picture->Value,
                               "the background keeps its built-in picture", false);
    }
    if (const ConfigKey* launch = config.Key(kSetupScreenSection, "Launch Application");
        launch && !launch->Value.empty()) {
        context.CheckMacros(launch->Line, Quoted(launch->Name), launch->Value, true);
        context.CheckProgramPath(launch->Line, Quoted(launch->Name), launch->Value, "the Finished page's program");
    }
    if (const ConfigKey* folder = config.Key(kSetupScreenSection, "Desktop Folder"); folder && !folder->Value.empty()) {
        context.CheckPathRule(folder->Line, Quoted(folder->Name), "the folder", folder->Value, false);
    }
    if (const ConfigKey* folder = config.Key(kSetupScreenSection, "Main Directory")) {
        const std::string& value = folder->Value;
        if (!value.empty() && !StartsWith(value, "HKEY_")) {
            context.CheckPathRule(folder->Line, Quoted(folder->Name), "the folder", value, false);
        }
        if (StartsWith(value, "HKEY_")) {
            std::string rest = value;
            std::string root;
            SplitFirstField(rest, ',', root);
            if (root != "HKEY_LOCAL_MACHINE" && root != "HKEY_CURRENT_USER") {
                context.Warning(folder->Line, Quoted(folder->Name),
                                Quoted(root) + " is read as HKEY_CURRENT_USER; the setup knows only "
                                               "HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER");
            }
        } else if (SameTextAscii(value.substr(0, std::min<std::size_t>(5, value.size())), "HKEY_")) {
            context.Warning(folder->Line, Quoted(folder->Name),
                            Quoted(value) + " is taken as a folder name: a registry reference starts with HKEY_ in "
                                            "capitals");
        }
    }
}

}  // namespace tavlin
