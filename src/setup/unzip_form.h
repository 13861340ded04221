// The expansion form: before the wizard opens it expands every file of the
// product from the segment set on the media into the expansion folder, copies the
// setup program and its configuration beside them, and reads install.cfg. It shows
// nothing of its own but a progress window and the floppy prompts.
#pragma once

namespace tavlin {

class TDisplayScreen;

// Creates the expansion form and shows it modally; when it returns, the state's
// ExpandFailed tells whether the files are there and the configuration was read.
void ShowUnzipForm(TDisplayScreen& screen);

}  // namespace tavlin
