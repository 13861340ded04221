// The plain controls: panels, labels, buttons, check boxes, radio buttons, edits,
// memos, progress bars and the standard file-operation animations.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/control.h"

namespace tavlin {

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
    TProperty<TBevelCut> BevelInner{this, TBevelCut::bvNone};
    TProperty<TBevelCut> BevelOuter{this, TBevelCut::bvRaised};
    TProperty<int> BevelWidth{this, 1};
    TProperty<int> BorderWidth{this, 0};
};

class TLabel : public TControl {
public:
    explicit TLabel(std::string name) : TControl(std::move(name)) { Color = clWhite; }
    enum class TAlignment { taLeftJustify, taCenter, taRightJustify };
    TProperty<bool> Transparent{this, true};
    TProperty<bool> AutoSize{this, true};
    TProperty<bool> WordWrap{this, false};
    TProperty<TAlignment> Alignment{this, TAlignment::taLeftJustify};

    // Sets the text; a label that sizes itself takes the size of its text.
    void SetCaption(std::string caption);
    // Takes the size of the text in the current font (when AutoSize is set).
    virtual void AdjustSize();
    // A label that sizes itself takes the size of its text in the larger font.
    void ChangeScale(int multiplier, int divisor) override;
};

class TButton : public TControl {
public:
    explicit TButton(std::string name) : TControl(std::move(name)) { TabStop = true; }
    // Enter clicks the default button, Esc the cancel button, when they are on
    // screen and enabled.
    bool Default = false;
    bool Cancel = false;
    // The letter after "&" in the caption, upper-cased; 0 when there is none.
    char Accelerator() const;
};

// The accelerator letter of a caption ("&Next >>" gives 'N'); 0 when there is none.
char AcceleratorOf(const std::string& caption);
// The caption without its "&" marks ("&&" stands for one "&").
std::string StripAccelerator(const std::string& caption);

class TCheckBox : public TControl {
public:
    explicit TCheckBox(std::string name) : TControl(std::move(name)) { TabStop = true; }
    TProperty<bool> Checked{this, false};
    // A click toggles the mark, then raises OnClick.
    void Click() override;
};

// A radio button; checking one unchecks the other radio buttons of its parent.
class TRadioButton : public TControl {
public:
    explicit TRadioButton(std::string name) : TControl(std::move(name)) { TabStop = true; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    // A click checks the button, then raises OnClick.
    void Click() override;

private:
    bool checked_ = false;
};

class TEdit : public TControl {
public:
    explicit TEdit(std::string name) : TControl(std::move(name)) { TabStop = true; }
    TProperty<std::string> Text{this};
    TProperty<bool> ReadOnly{this, false};
    // Raised when the user changed the text (typing, not assignments by code).
    std::function<void()> OnChange;

    // What the user's typing does: the text becomes text, then OnChange is
    // raised when it differs. A read-only edit takes nothing.
    void UserType(const std::string& text);
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TControl {
public:
    explicit TMemo(std::string name) : TControl(std::move(name)) { TabStop = true; }
    TProperty<std::vector<std::string>> Lines{this};
    TProperty<bool> WordWrap{this, true};
    TProperty<bool> ReadOnly{this, false};
    TProperty<TScrollStyle> ScrollBars{this, TScrollStyle::ssNone};
};

class TProgressBar : public TControl {
public:
    using TControl::TControl;
    TProperty<int> Min{this, 0};
    TProperty<int> Max{this, 100};
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
    TProperty<TCommonAVI> CommonAVI{this, aviNone};
    TProperty<int> StopFrame{this, 0};
    TProperty<bool> Active{this, false};
};

}  // namespace tavlin
