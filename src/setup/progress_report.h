// Progress as lines of text: each change of the status panel, of an open progress
// window or of the screen's second text line becomes one line, so that a terminal
// shows the expansion, installation and uninstall runs as they go.
#pragma once

#include <ostream>
#include <string>

namespace tavlin {

class TDisplayScreen;
class TProgressDialog;

class ProgressReport {
public:
    explicit ProgressReport(std::ostream& out) : out_(out) {}
    // Writes what changed since the last call.
    void Update(TDisplayScreen& screen);

private:
    void Dialog(TProgressDialog* dialog);

    std::ostream& out_;
    std::string status_;
    std::string progress_;
    std::string secondLine_;
};

}  // namespace tavlin
