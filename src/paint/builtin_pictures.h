// The pictures that ship inside the program: the background panel's 50 x 50
// picture for the picture styles, the setup icon of the header bar and the status
// panel, and the small program icon of the shortcut list. The model names them
// with "res:" file names, as resources of the program.
#pragma once

#include <string_view>

#include "platform/pictures.h"

namespace tavlin {

inline constexpr std::string_view kBackgroundResource = "res:BACKGROUND";
inline constexpr std::string_view kSetupIconResource = "res:SETUPICON";
inline constexpr std::string_view kProgramIconResource = "res:PROGRAMICON";

// The picture of a "res:" name; nullptr for any other name.
const PixelImage* BuiltInPicture(std::string_view name);

}  // namespace tavlin
