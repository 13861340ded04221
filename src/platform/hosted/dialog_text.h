// Names of dialog kinds, buttons and answers as the journal and error messages
// write them.
#pragma once

#include <string>

#include "platform/dialogs.h"
#include "platform/hosted/hosted_machine.h"

namespace tavlin::hosted {

std::string nameOf(MessageButtons buttons);
std::string nameOf(MessageKind kind);
std::string nameOf(MessageResult result);
std::string nameOf(DialogRequest::Kind kind);

// One line that identifies a dialog: its kind, caption and text.
std::string describe(const DialogRequest& request);

}  // namespace tavlin::hosted
