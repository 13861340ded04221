// The expansion form: before the wizard opens it expands every file of the
// product from the segment set on the media into the expansion folder, copies the
// setup program and its configuration beside them, and reads install.cfg. It shows
// nothing of its own but a progress window and the floppy prompts.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "controls/form.h"
#include "platform/errors.h"
#include "segment/seg_comp_ez.h"
#include "controls/progress_dialog.h"

namespace tavlin {

class TDisplayScreen;
struct SetupState;

// A member whose path would put it outside the expansion folder.
class EUnsafeMemberPath : public Exception {
public:
    using Exception::Exception;
};

class TUNZIP : public TForm {
public:
    explicit TUNZIP(TDisplayScreen& screen);
    ~TUNZIP() override;

    TDisplayScreen& Screen;
    SetupState& State;
    TTimer Timer1;
    TSegCompEZ SegCompEZ1;
    // The progress window's dialog; the setup form's for the length of the expansion.
    std::unique_ptr<TProgressDialog> Progress;

    void FormCreate();
    void FormShow();
    void Timer1Timer();
    void FormClose(TCloseAction& action);

    // Expands the media into the expansion folder and reads the configuration;
    // ExpandFailed tells the outcome.
    void ExpandSetupFiles();

    // Before each attempt to open segment segNumber.
    void SegCompEZ1SegBefore(TSegMode segMode, const std::string& segName, std::uint16_t segNumber);
    // Before each member is written: moves it below the expansion folder. Raises
    // EUnsafeMemberPath for a stored path without a drive or one the path rule refuses.
    void SegCompEZ1CheckFile(std::string& filepath, TCProcessMode mode);

private:
    void ClearSegmentState();
};

// Creates the expansion form and shows it modally; when it returns, the state's
// ExpandFailed tells whether the files are there and the configuration was read.
void ShowUnzipForm(TDisplayScreen& screen);

}  // namespace tavlin
