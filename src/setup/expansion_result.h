// What the expansion must have produced before the wizard may open: every line
// of finstall.cfg sound under the path rule and its source present in the
// expansion folder, every launch application a sound path inside it, and the
// names of install.cfg sound before the installation acts on them.
#pragma once

#include <string>

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

// Raises EExpansionIncomplete on the first line that fails; also when a name of
// install.cfg that becomes a file, folder or link (INI file fields, shortcut
// names, folders and targets, launch locations, the default folders) fails the
// path rule, or the title could not name an uninstall entry.
void CheckExpansionResult(FileSystem& files, const SetupState& state, const std::string& title);

}  // namespace tavlin
