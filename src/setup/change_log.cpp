#include "setup/change_log.h"

#include "platform/platform.h"
#include "setup/start_up.h"

namespace tavlin {

ChangeLog::ChangeLog(Platform& platform, const std::string& path) {
    try {
        file_ = platform.files().create(path);
    } catch (const EStreamError&) {
        throw ESetupStartError("Unable to create the log file " + path);
    }
}

void ChangeLog::Record(const std::string& change) {
    const std::string line = change + "\r\n";
    try {
        file_->writeBuffer(line.data(), line.size());
    } catch (const EStreamError&) {
        // A full disk loses the record, not the installation.
    }
}

ChangeRecorder ChangeLog::Recorder() {
    return [this](const std::string& change) { Record(change); };
}

}  // namespace tavlin
