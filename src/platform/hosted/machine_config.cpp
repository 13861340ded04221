// machine.ini is read with the same INI rules as the machine's own INI files.
#include "platform/hosted/machine_config.h"

#include <cctype>

#include "platform/errors.h"
#include "platform/hosted/date_format.h"
#include "platform/hosted/ini_document.h"
#include "platform/hosted/windows_path.h"
#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

namespace {

// A [Screen] size: a whole number of pixels from 1 to 65535.
int screenValue(const IniDocument& ini, const char* key, int fallback) {
    const auto text = ini.value("Screen", key);
    if (!text || text->empty()) return fallback;
    int value = 0;
    for (const char c : *text) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || value > 65535) value = -1;
        if (value < 0) break;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535) {
        throw Exception(std::string("machine.ini: [Screen] ") + key + " must be a number of pixels from 1 to 65535");
    }
    return value;
}

}  // namespace

std::string defaultMachineIni() {
    return "; One Windows PC kept by the Tavlin hosted machine.\n"
           "[Drives]\n"
           "C=drives/c\n"
           "[Windows]\n"
           "Dir=C:\\WINDOWS\n"
           "Family=NT\n"
           "[Locale]\n"
           "LongDate=dddd, MMMM d, yyyy\n"
           "ShortTime=h:mm AM/PM\n"
           "[Clock]\n"
           "; Fixed=2024-01-31 09:30:15\n"
           "[Screen]\n"
           "Width=1024\n"
           "Height=768\n"
           "Dpi=96\n";
}

MachineConfig readMachineConfig(const std::string& iniText) {
    const IniDocument ini(iniText);
    MachineConfig config;
    if (const auto names = ini.keyNames("Drives"); !names.empty()) {
        config.drives.clear();
        for (const auto& name : names) {
            if (name.size() != 1 || !std::isalpha(static_cast<unsigned char>(name[0]))) {
                throw Exception("machine.ini: [Drives] " + name + " is not a drive letter");
            }
            config.drives[upperWindowsChar(name[0])] = *ini.value("Drives", name);
        }
    }
    if (const auto dir = ini.value("Windows", "Dir")) {
        config.windowsDirectory = windowsFromUtf8(*dir);
        const auto parsed = parseAbsolutePath(config.windowsDirectory);
        if (!parsed || parsed->isRoot()) throw Exception("machine.ini: [Windows] Dir must be a folder such as C:\\WINDOWS");
        config.windowsDirectory = parsed->text();
    }
    if (const auto family = ini.value("Windows", "Family")) {
        if (equalsIgnoringCase(*family, "NT")) {
            config.family = WindowsFamily::NT;
        } else if (*family == "95") {
            config.family = WindowsFamily::Windows95;
        } else {
            throw Exception("machine.ini: [Windows] Family must be NT or 95");
        }
    }
    if (const auto pattern = ini.value("Locale", "LongDate")) config.longDatePattern = windowsFromUtf8(*pattern);
    if (const auto pattern = ini.value("Locale", "ShortTime")) config.shortTimePattern = windowsFromUtf8(*pattern);
    if (const auto fixed = ini.value("Clock", "Fixed"); fixed && !fixed->empty()) {
        config.fixedClock = parseLocalTime(*fixed);
        if (!config.fixedClock) throw Exception("machine.ini: [Clock] Fixed must be YYYY-MM-DD HH:MM:SS");
    }
    config.screenWidth = screenValue(ini, "Width", config.screenWidth);
    config.screenHeight = screenValue(ini, "Height", config.screenHeight);
    config.screenDpi = screenValue(ini, "Dpi", config.screenDpi);
    return config;
}

}  // namespace tavlin::hosted
