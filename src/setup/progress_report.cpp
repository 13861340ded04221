#include "setup/progress_report.h"

#include "setup/display_screen.h"


namespace tavlin {

void ProgressReport::Dialog(TProgressDialog* dialog) {
    if (!dialog) return;
    TForm_Progress* window = dialog->Window();
    if (!window) return;
    if (window->Label_ProcessStatus1.Caption.empty()) return;  // not started yet
    const TProgressBar& bar = window->ProgressBar_StatusIndicator;
    std::string line = "  [" + std::to_string(bar.Position()) + "/" + std::to_string(bar.Max) + "] " +
                       window->Label_ProcessStatus1.Caption;
    if (!window->Label_ProcessStatus2.Caption.empty()) line += " " + window->Label_ProcessStatus2.Caption;
    if (line == progress_) return;
    progress_ = line;
    out_ << line << '\n' << std::flush;
}

void ProgressReport::Update(TDisplayScreen& screen) {
    if (screen.InstallStatus.Visible && screen.InstallStatus.Caption != status_) {
        status_ = screen.InstallStatus.Caption;
        out_ << status_ << '\n' << std::flush;
    }
    // The uninstall run reports its end in the screen's second line; what the line
    // showed before the run is not news.
    if (screen.State.UninstallMode) {
        if (screen.RunStarted && screen.TextInfo2.Caption != secondLine_) {
            out_ << screen.TextInfo2.Caption << '\n' << std::flush;
        }
        secondLine_ = screen.TextInfo2.Caption;
    }
    Dialog(screen.ExpansionProgress);
    Dialog(&screen.RunProgress);
}

}  // namespace tavlin
