// The registry tree as REGEDIT4 text, the format the registry editor exports:
// "[root\path]" lines for keys, "name"="text" with "\\" and "\"" escapes, "@" for
// the default value, dword:%08x, hex: and hex(n): for other data. The text is
// UTF-8 on the host; names and values are Windows-1252 in memory.
#pragma once

#include <string>

#include "platform/hosted/registry_tree.h"

namespace tavlin::hosted {

std::string writeRegedit4(const RegistryTree& tree);

// Raises Exception "Invalid registry file: line N" for text that is not REGEDIT4.
RegistryTree readRegedit4(const std::string& text);

}  // namespace tavlin::hosted
