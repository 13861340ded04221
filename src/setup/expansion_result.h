// What the expansion must have produced before the wizard may open: every line
// of finstall.cfg sound under the path rule and its source present in the
// expansion folder, and every launch application a sound path inside it.
#pragma once

#include "platform/errors.h"

namespace tavlin {

class FileSystem;
struct SetupState;

// A file-list line or launch application that fails the path rule, or a source
// that the expansion did not produce.
class EExpansionIncomplete : public Exception {
public:
    using Exception::Exception;
};

// Raises EExpansionIncomplete on the first line that fails.
void CheckExpansionResult(FileSystem& files, const SetupState& state);

}  // namespace tavlin
