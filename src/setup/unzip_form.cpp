#include "setup/unzip_form.h"

#include "setup/display_screen.h"

namespace tavlin {

// The segment reader has not landed yet: every expansion fails as a damaged
// segment set would.
void ShowUnzipForm(TDisplayScreen& screen) {
    screen.Application.MessageBox("Error Expanding Files!!");
    screen.State.ExpandFailed = true;
}

}  // namespace tavlin
