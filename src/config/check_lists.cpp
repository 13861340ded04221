// Rules for the sections that list settings: start-up file lines, [Desktop]
// shortcuts, launch applications and their locations, and [INI\Registry].
#include <algorithm>
#include <map>

#include "config/check_context.h"
#include "config/config_keys.h"
#include "config/folder_table.h"
#include "config/nearest_name.h"
#include "config/screen_names.h"
#include "support/fields.h"
#include "support/ini_file.h"
#include "support/paths.h"
#include "support/text.h"

namespace tavlin {

namespace {

// More INIREG numbers than this are not looked at one by one.
constexpr std::int32_t kMaxCountChecked = 65536;
// A finding lists at most this many missing numbers.
constexpr std::size_t kMissingShown = 3;

constexpr std::size_t kDesktopFields = 10;

std::vector<std::string> CutFields(std::string text, std::size_t count) {
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < count; ++i) {
        std::string field;
        SplitFirstField(text, ',', field);
        fields.push_back(field);
    }
    return fields;
}

const std::vector<ConfigKey>* LinesOf(const ConfigDocument& config, const std::string& section) {
    const ConfigSection* found = config.Section(section);
    return found ? &found->Lines : nullptr;
}

std::string SectionKey(const std::string& name) {
    return "[" + name + "]";
}

void CheckMark(CheckContext& context, const ConfigKey& line, const std::string& mark, const char* where) {
    if (mark.empty() || mark == "X") return;
    context.Warning(line.Line, SectionKey("Desktop"),
                    Quoted(mark) + " does not preselect the shortcut " + where + "; only \"X\" (in capitals) does");
}

}  // namespace

void CheckEntryLists(CheckContext& context) {
    for (const auto& section : EntryListSections()) {
        const auto* lines = LinesOf(context.Config(), section);
        if (lines == nullptr) continue;
        for (const auto& line : *lines) {
            if (line.HasEquals) {
                context.Error(line.Line, SectionKey(section),
                              "the setup reads this line only up to its first \"=\", as " + Quoted(line.Name) +
                                  "; the rest is lost");
            }
        }
    }
    for (const char* section : {"AUTOEXEC.BAT", "CONFIG.SYS"}) {
        const auto* lines = LinesOf(context.Config(), section);
        if (lines == nullptr) continue;
        for (const auto& line : *lines) context.CheckMacros(line.Line, SectionKey(section), line.Name, false);
    }
}

void CheckDesktop(CheckContext& context) {
    const auto* lines = LinesOf(context.Config(), "Desktop");
    if (lines == nullptr) return;
    const std::string key = SectionKey("Desktop");
    for (const auto& line : *lines) {
        const std::vector<std::string> fields = CutFields(line.Name, kDesktopFields);
        const std::string& name = fields[0];
        if (name.empty()) {
            context.Error(line.Line, key, "the shortcut has no name (field 1), so its file would be \".lnk\"");
        } else if (name.find_first_of("\\/") != std::string::npos) {
            context.Error(line.Line, key, "the shortcut's name " + Quoted(name) + " holds \"\\\" or \"/\", so the setup refuses the medium");
        } else {
            context.CheckPathRule(line.Line, key, "the shortcut's name", name, true);
        }
        if (!fields[6].empty()) context.CheckPathRule(line.Line, key, "the shortcut's folder (field 7)", fields[6], true);
        const std::string& program = fields[1];
        if (!program.empty()) context.CheckPathRule(line.Line, key, "the shortcut's program", program, false);
        context.CheckMacros(line.Line, key, program, true);
        context.CheckProgramPath(line.Line, key, program, "the shortcut " + Quoted(name));
        CheckMark(context, line, fields[2], "in the Start menu (field 3)");
        CheckMark(context, line, fields[3], "on the desktop (field 4)");
        CheckMark(context, line, fields[4], "in Quick Launch (field 5)");
        if (!fields[5].empty()) {
            context.CheckSetupFile(line.Line, key, fields[5],
                                   "the shortcut " + Quoted(name) + " has no program to show an icon from (field 6)",
                                   true);
        }
        const std::string& state = fields[8];
        if (!state.empty() && std::find(WindowStateNames.begin(), WindowStateNames.end(), state) ==
                                  WindowStateNames.end()) {
            const auto nearest = NearestName(state, {WindowStateNames.begin(), WindowStateNames.end()});
            context.Warning(line.Line, key,
                            Quoted(state) +
                                " is no window state (field 9), so the shortcut opens its program's default window" +
                                (nearest ? "; did you mean " + Quoted(*nearest) + "?" : std::string()));
        }
    }
}

void CheckLaunchApplications(CheckContext& context) {
    static const std::vector<ConfigKey> none;
    const auto* appsFound = LinesOf(context.Config(), "Launch Applications");
    const auto* placesFound = LinesOf(context.Config(), "Launch Applications Location");
    const auto& apps = appsFound ? *appsFound : none;
    const auto& places = placesFound ? *placesFound : none;
    const std::string appsKey = SectionKey("Launch Applications");
    const std::string placesKey = SectionKey("Launch Applications Location");
    for (std::size_t i = 0; i < apps.size(); ++i) {
        const ConfigKey& app = apps[i];
        const bool onMedium = context.IsSetupFile(app.Name);
        context.CheckSetupFile(app.Line, appsKey, app.Name, "the setup has nothing to open or register", true);
        if (i >= places.size()) {
            context.Error(app.Line, appsKey,
                          "no [Launch Applications Location] line pairs with it, so the setup stops with "
                          "\"Error Expanding Files!!\"");
            continue;
        }
        const ConfigKey& place = places[i];
        if (StartsWith(place.Name, "<")) {
            context.Error(place.Line, placesKey,
                          "the setup drops the first character of a location, so " + Quoted(place.Name) +
                              " loses its \"<\"; start the line with one more character, such as 1");
            continue;
        }
        const std::string folder = place.Name.substr(std::min<std::size_t>(1, place.Name.size()));
        if (!folder.empty()) context.CheckPathRule(place.Line, placesKey, "the location", folder, false);
        context.CheckMacros(place.Line, placesKey, folder, false);
        const std::string target = IncludeTrailingBackslash(folder) + ExtractFileName(app.Name);
        if (onMedium && StartsWith(UpperCaseAscii(folder), UpperCaseAscii(FolderMacros[0])) &&
            !context.IsInstalled(target)) {
            context.Error(place.Line, placesKey,
                          "this medium installs no " + Quoted(ExtractFileName(app.Name)) + " into " + Quoted(folder) +
                              ", so the setup opens a file that is not there" + context.InstalledSuggestion(target));
        }
    }
    for (std::size_t i = apps.size(); i < places.size(); ++i) {
        context.Warning(places[i].Line, placesKey,
                        "no [Launch Applications] line pairs with it, so the setup ignores it");
    }
}

void CheckIniRegistry(CheckContext& context) {
    const ConfigSection* section = context.Config().Section(kIniRegistrySection);
    if (section == nullptr) return;
    const std::string sectionKey = SectionKey(kIniRegistrySection);
    // The INIREG keys by number (the first of each).
    std::map<std::int32_t, const ConfigKey*> entries;
    for (const auto& line : section->Lines) {
        if (!line.HasEquals || !StartsWith(UpperCaseAscii(line.Name), "INIREG ")) continue;
        const auto number = ParseIniInteger(line.Name.substr(7));
        if (number && std::to_string(*number) == line.Name.substr(7)) entries.emplace(*number, &line);
    }
    const ConfigKey* countKey = context.Config().Key(kIniRegistrySection, "Count");
    std::int32_t count = -1;
    if (countKey != nullptr) {
        if (const auto parsed = ParseIniInteger(countKey->Value)) count = *parsed;
    }
    if (count <= 0) {
        if (!entries.empty()) {
            const ConfigKey& first = *entries.begin()->second;
            context.Warning(first.Line, Quoted(first.Name),
                            countKey == nullptr ? "there is no \"Count\", so the setup applies none of the entries"
                                                : "\"Count\" is " + Quoted(countKey->Value) +
                                                      ", so the setup applies none of the entries");
        }
        return;
    }
    std::vector<std::int32_t> missing;
    std::size_t missingCount = 0;
    for (std::int32_t i = 0; i < std::min(count, kMaxCountChecked); ++i) {
        if (entries.count(i)) continue;
        ++missingCount;
        if (missing.size() < kMissingShown) missing.push_back(i);
    }
    if (count > kMaxCountChecked) missingCount += static_cast<std::size_t>(count - kMaxCountChecked);
    if (missingCount > 0) {
        std::string names;
        for (const auto number : missing) names += (names.empty() ? "" : ", ") + Quoted("INIREG " + std::to_string(number));
        if (missingCount > missing.size()) names += " and " + std::to_string(missingCount - missing.size()) + " more";
        context.Error(countKey->Line, Quoted(countKey->Name),
                      "Count is " + std::to_string(count) + " but there is no " + names +
                          ", so the setup writes an empty setting for each");
    }
    for (const auto& [number, line] : entries) {
        if (number < 0 || number >= count) {
            context.Warning(line->Line, Quoted(line->Name),
                            "lies beyond Count=" + std::to_string(count) + ", so the setup does not apply it");
            continue;
        }
        // The setup upper-cases the whole entry before it cuts the fields; the
        // macro findings quote the author's own text.
        const std::vector<std::string> fields = CutFields(UpperCaseAscii(line->Value), 4);
        const std::vector<std::string> written = CutFields(line->Value, 4);
        const std::string& file = fields[0];
        const std::string key = Quoted(line->Name);
        if (file.empty()) {
            context.Error(line->Line, key, "names no INI file and no registry root (field 1)");
            continue;
        }
        context.CheckMacros(line->Line, key, written[0], false);
        context.CheckMacros(line->Line, key, written[3], false);
        const bool isRoot = StartsWith(file, "HKEY_LOCAL_MACHINE\\") || StartsWith(file, "HKEY_CURRENT_USER\\");
        if (file.find('.') != std::string::npos) {
            context.CheckPathRule(line->Line, key, "the INI file", written[0], false);
            if (StartsWith(file, "HKEY_")) {
                context.Error(line->Line, key,
                              "field 1 holds a \".\", so the setup writes it as an INI file, not a registry key");
            }
        } else if (!isRoot) {
            context.Error(line->Line, key,
                          Quoted(file) + " is neither an INI file nor HKEY_LOCAL_MACHINE\\ or HKEY_CURRENT_USER\\, "
                                         "so the setup cuts 18 characters off it and writes below HKEY_CURRENT_USER");
        }
    }
}

}  // namespace tavlin
