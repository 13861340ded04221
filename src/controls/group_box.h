// A group box: a frame with its caption in the top edge around other controls.
#pragma once

#include "controls/std_controls.h"

namespace tavlin {

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(std::string name) : TWinControl(std::move(name)) {}
};

}  // namespace tavlin
