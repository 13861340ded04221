// The plain controls: panels, labels, buttons, progress bars and the standard
// file-operation animations.
#pragma once

#include <string>

#include "controls/control.h"

namespace tavlin {

class TPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
};

class TLabel : public TControl {
public:
    using TControl::TControl;
    bool Transparent = true;
    bool AutoSize = true;
};

class TButton : public TControl {
public:
    using TControl::TControl;
};

class TProgressBar : public TControl {
public:
    using TControl::TControl;
    int Min = 0;
    int Max = 100;
    // Sets the range; the position stays inside it.
    void SetRange(int min, int max);
    // Sets the position, held within the range.
    void SetPosition(int position);
    int Position() const { return position_; }

private:
    int position_ = 0;
};

// The platform's standard file-operation animations.
enum TCommonAVI {
    aviNone = 0,
    aviFindFolder = 1,
    aviFindFile = 2,
    aviFindComputer = 3,
    aviCopyFiles = 4,
    aviCopyFile = 5,
    aviRecycleFile = 6,
    aviEmptyRecycle = 7,
    aviDeleteFile = 8,
};

class TAnimate : public TControl {
public:
    using TControl::TControl;
    TCommonAVI CommonAVI = aviNone;
    int StopFrame = 0;
    bool Active = false;
};

}  // namespace tavlin
