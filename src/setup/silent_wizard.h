// The front end of silent runs: it answers the wizard as a user who takes every
// default would (accepts the licence, keeps the configured folder or the one
// given with /DIR, keeps the preselected shortcuts, finishes), uninstalls on the
// uninstaller page, and closes the setup when it cannot go on. /SILENT reports
// progress as text lines; /VERYSILENT shows nothing.
#pragma once

#include <optional>
#include <ostream>

#include "setup/progress_report.h"
#include "setup/setup_program.h"

namespace tavlin {

class SilentWizard : public SetupFrontEnd {
public:
    // progress: where /SILENT writes its lines and the messages it did not show
    // (nothing for /VERYSILENT).
    explicit SilentWizard(std::ostream* progress) : progress_(progress) {
        if (progress_) report_.emplace(*progress_);
    }

    bool NextAction(TDisplayScreen& screen) override;
    void Update(TDisplayScreen& screen) override;
    void SuppressedMessage(const std::string& text) override;

private:
    std::ostream* progress_;
    std::optional<ProgressReport> report_;
    int lastPage_ = -1;
    int samePageActions_ = 0;
};

}  // namespace tavlin
