// The portable model of the GUI controls: what a control shows and where, and the
// events it raises. The setup's forms are written against this model; a front end
// (a terminal, a test driver or real windows) shows it and feeds it input.
//
// The contract with a front end: every property that changes what is shown is a
// TProperty, and assigning it a new value invalidates the control and tells the
// application's observer which control changed (the observer repaints when
// messages run). A front end keeps its own window for a control in Peer and hears
// when a control or form goes away.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/property.h"

namespace tavlin {

// 0x00BBGGRR; a value whose top byte is 0xFF names a system colour by its index.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clBtnFace = 0xFF00000F;
inline constexpr TColor clBtnShadow = 0xFF000010;
inline constexpr TColor clHighlight = 0xFF00000D;
inline constexpr TColor clHighlightText = 0xFF00000E;

// A control's font. Its fields notify the control that owns it; a copy is a
// plain value that belongs to no control.
class TFont : private TChangeSink {
public:
    explicit TFont(TChangeSink* owner = nullptr) : owner_(owner) {}
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);

    TProperty<std::string> Name{this, "MS Sans Serif"};
    TProperty<int> Size{this, 8};            // points
    TProperty<int> Height{this, -11};        // pixels; negative: character height without leading
    TProperty<int> PixelsPerInch{this, 96};
    TProperty<TColor> Color{this, clBlack};
    TProperty<std::uint8_t> Style{this, 0};  // FontStyles bits: bold 1, italic 2, underline 4, strike-out 8

    // Sets the size in points and the pixel height that goes with it.
    void SetSize(int points);
    // For a screen of another density: the pixel height, and the pixels per inch
    // that later sizes in points go through, times multiplier / divisor.
    void ChangeScale(int multiplier, int divisor);

private:
    void PropertyChanged() override {
        if (owner_) owner_->PropertyChanged();
    }
    TChangeSink* owner_;
};

enum class TAlign { alNone, alClient, alBottom, alTop };

// value * multiplier / divisor, rounded half away from zero (as MulDiv rounds).
int ScaledBy(int value, int multiplier, int divisor);

struct TPoint {
    int x = 0, y = 0;
    bool operator==(const TPoint&) const = default;
};

// A rectangle whose right and bottom edges lie outside it.
struct TRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const TRect&) const = default;
};

class TApplication;
class TWinControl;

// What a front end keeps for a control (its window); owned by the control and
// destroyed after the front end has heard that the control goes.
class TControlPeer {
public:
    virtual ~TControlPeer() = default;
};

class TControl : protected TChangeSink {
public:
    explicit TControl(std::string name) : Name(std::move(name)) {}
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    std::string Name;
    TProperty<std::string> Caption{this};
    std::string Hint;
    TProperty<int> Left{this}, Top{this}, Width{this}, Height{this};
    TProperty<bool> Visible{this, true};
    TProperty<bool> Enabled{this, true};
    TProperty<TAlign> Align{this, TAlign::alNone};
    TProperty<TColor> Color{this, clBtnFace};
    TFont Font{this};
    std::function<void()> OnClick;

    // Keyboard focus: controls with TabStop take it in TabOrder among their
    // siblings (the order they were added when equal), depth first.
    bool TabStop = false;
    int TabOrder = 0;

    // The front end's window for this control.
    std::unique_ptr<TControlPeer> Peer;

    // Marks the control as needing a repaint and tells the observer.
    void Invalidate();
    bool Invalidated() const { return invalidated_; }
    // The front end has drawn the control as it is now.
    void Validate() { invalidated_ = false; }
    // The application of the form this control is on; none while it is on no form.
    virtual TApplication* HostApplication() const;

    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);
    void SetBounds(int left, int top, int width, int height);
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    void Show() { Visible = true; }
    void Hide() { Visible = false; }
    // What a click of the user does: raises OnClick when the control is enabled and
    // an OnClick is assigned; check boxes and radio buttons change their mark first.
    virtual void Click();
    // True when the control and all its parents are visible.
    bool Showing() const;
    // Makes the control as much larger as a screen of another density needs:
    // position, size and font times multiplier / divisor (the screen's pixels per
    // inch over those it was designed at), with what it holds.
    virtual void ChangeScale(int multiplier, int divisor);

protected:
    void PropertyChanged() override { Invalidate(); }

private:
    TWinControl* parent_ = nullptr;
    bool invalidated_ = true;
};

// A control that holds other controls.
class TWinControl : public TControl {
public:
    using TControl::TControl;
    ~TWinControl() override;
    const std::vector<TControl*>& Controls() const { return controls_; }
    // Lays out the children whose Align fills this control.
    void Realign();
    // The control of that name among this control's children at any depth.
    TControl* FindChild(const std::string& name) const;
    // This control's children and theirs, in tab order, depth first.
    std::vector<TControl*> TabSequence() const;
    void ChangeScale(int multiplier, int divisor) override;

private:
    friend class TControl;
    std::vector<TControl*> controls_;
};

}  // namespace tavlin
