// The record that /LOG asks for: one plain-text line per change the installation
// or uninstall run makes, written as it happens so that a run that stops still
// leaves what it did.
#pragma once

#include <memory>
#include <string>

#include "install/install_context.h"
#include "platform/stream.h"

namespace tavlin {

class Platform;

class ChangeLog {
public:
    // Creates the file (replacing an old one); raises ESetupStartError
    // "Unable to create the log file %s" when it cannot.
    ChangeLog(Platform& platform, const std::string& path);

    // Adds one line; a line that cannot be written is lost, the run goes on.
    void Record(const std::string& change);
    // A recorder for the engines that writes into this log.
    ChangeRecorder Recorder();

private:
    std::unique_ptr<FileStream> file_;
};

}  // namespace tavlin
