// Reading a whole stream into memory, for the small text files the machine reads
// through its own file system (INI files, batch files, links).
#pragma once

#include <string>

#include "platform/stream.h"

namespace tavlin::hosted {

std::string readWholeStream(Stream& stream);

}  // namespace tavlin::hosted
