// The plain controls: panels, labels, buttons, check boxes, radio buttons, edits,
// memos, progress bars and the standard file-operation animations.
#pragma once

#include <string>
#include <vector>

#include "controls/control.h"

namespace tavlin {

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
    TBevelCut BevelInner = TBevelCut::bvNone;
    TBevelCut BevelOuter = TBevelCut::bvRaised;
    int BevelWidth = 1;
    int BorderWidth = 0;
};

class TLabel : public TControl {
public:
    explicit TLabel(std::string name) : TControl(std::move(name)) { Color = clWhite; }
    bool Transparent = true;
    bool AutoSize = true;
    bool WordWrap = false;
    enum class TAlignment { taLeftJustify, taCenter, taRightJustify } Alignment = TAlignment::taLeftJustify;

    // Sets the text; a label that sizes itself takes the size of its text.
    void SetCaption(std::string caption);
    // Takes the size of the text in the current font (when AutoSize is set).
    virtual void AdjustSize();
};

class TButton : public TControl {
public:
    using TControl::TControl;
    // The letter after "&" in the caption, upper-cased; 0 when there is none.
    char Accelerator() const;
};

// The accelerator letter of a caption ("&Next >>" gives 'N'); 0 when there is none.
char AcceleratorOf(const std::string& caption);
// The caption without its "&" marks ("&&" stands for one "&").
std::string StripAccelerator(const std::string& caption);

class TCheckBox : public TControl {
public:
    using TControl::TControl;
    bool Checked = false;
    // A click toggles the mark, then raises OnClick.
    void Click() override;
};

// A radio button; checking one unchecks the other radio buttons of its parent.
class TRadioButton : public TControl {
public:
    using TControl::TControl;
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    // A click checks the button, then raises OnClick.
    void Click() override;

private:
    bool checked_ = false;
};

class TEdit : public TControl {
public:
    using TControl::TControl;
    std::string Text;
    bool ReadOnly = false;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TControl {
public:
    using TControl::TControl;
    std::vector<std::string> Lines;
    bool WordWrap = true;
    bool ReadOnly = false;
    TScrollStyle ScrollBars = TScrollStyle::ssNone;
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
