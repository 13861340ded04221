// The folder edit: an editable folder text with a browse button that opens the
// platform's folder chooser. A folder typed in the chooser that does not exist yet
// is created once the user confirms.
#pragma once

#include <string>

#include "controls/std_controls.h"

namespace tavlin {

class TApplication;

class TFolderEdit : public TEdit {
public:
    TFolderEdit(TApplication& application, std::string name);

    // The browse button: chooses a folder and puts it into Text. False when the user
    // cancelled, declined to create a missing folder, or it could not be created.
    bool Browse();

private:
    TApplication& application_;
};

}  // namespace tavlin
