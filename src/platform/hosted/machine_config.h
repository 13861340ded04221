// machine.ini, the settings of one machine folder: [Drives] letter = host folder
// (relative to the machine folder unless absolute), [Windows] Dir and Family (NT
// or 95), [Locale] LongDate and ShortTime patterns, [Clock] Fixed (a moment as
// YYYY-MM-DD HH:MM:SS that the clock then always shows), [Screen] Width, Height
// (pixels, default 1024 x 768) and Dpi (default 96).
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/system.h"

namespace tavlin::hosted {

struct MachineConfig {
    std::map<char, std::string> drives{{'C', "drives/c"}};  // host folders, UTF-8
    std::string windowsDirectory = "C:\\WINDOWS";           // program text
    WindowsFamily family = WindowsFamily::NT;
    std::string longDatePattern = "dddd, MMMM d, yyyy";
    std::string shortTimePattern = "h:mm AM/PM";
    std::optional<LocalTime> fixedClock;
    int screenWidth = 1024;
    int screenHeight = 768;
    int screenDpi = 96;
};

// The text of a new machine.ini holding the defaults.
std::string defaultMachineIni();

// Raises Exception naming the setting that is not understood.
MachineConfig readMachineConfig(const std::string& iniText);

}  // namespace tavlin::hosted
