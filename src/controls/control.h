// The portable model of the GUI controls: what a control shows and where, and the
// events it raises. The setup's forms are written against this model; a front end
// (a terminal, a test driver or real windows) shows it and feeds it clicks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

struct TFont {
    std::string Name = "MS Sans Serif";
    int Size = 8;            // points
    int Height = -11;        // pixels; negative: character height without leading
    int PixelsPerInch = 96;
    TColor Color = clBlack;
    std::uint8_t Style = 0;  // FontStyles bits: bold 1, italic 2, underline 4, strike-out 8

    // Sets the size in points and the pixel height that goes with it.
    void SetSize(int points);
};

enum class TAlign { alNone, alClient, alBottom, alTop };

class TWinControl;

class TControl {
public:
    explicit TControl(std::string name) : Name(std::move(name)) {}
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    std::string Name;
    std::string Caption;
    std::string Hint;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    bool Enabled = true;
    TAlign Align = TAlign::alNone;
    TColor Color = clBtnFace;
    TFont Font;
    std::function<void()> OnClick;

    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);
    void SetBounds(int left, int top, int width, int height);
    void Show() { Visible = true; }
    void Hide() { Visible = false; }
    // Raises OnClick when the control is enabled and an OnClick is assigned.
    void Click();
    // True when the control and all its parents are visible.
    bool Showing() const;

private:
    TWinControl* parent_ = nullptr;
};

// A control that holds other controls.
class TWinControl : public TControl {
public:
    using TControl::TControl;
    ~TWinControl() override;
    const std::vector<TControl*>& Controls() const { return controls_; }
    // Lays out the children whose Align fills this control.
    void Realign();

private:
    friend class TControl;
    std::vector<TControl*> controls_;
};

}  // namespace tavlin
