// The system colours a colour value can name (top byte 0xFF, the index below),
// as the classic Windows Standard scheme gives them, so that the hosted pictures
// look like a Windows screen of that era.
#pragma once

#include "controls/control.h"

namespace tavlin {

// The plain 0x00BBGGRR colour of a colour value: a system colour is looked up
// (an unknown index gives black), any other value loses its top byte.
TColor PlainColour(TColor colour);

// System colours the paint code uses besides those of the model.
inline constexpr TColor clWindow = 0xFF000005;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clActiveCaption = 0xFF000002;
inline constexpr TColor clCaptionText = 0xFF000009;
inline constexpr TColor clGrayText = 0xFF000011;
inline constexpr TColor clBtnText = 0xFF000012;
inline constexpr TColor clBtnHighlight = 0xFF000014;
inline constexpr TColor cl3DDkShadow = 0xFF000015;
inline constexpr TColor cl3DLight = 0xFF000016;
inline constexpr TColor clGradientActiveCaption = 0xFF00001B;

}  // namespace tavlin
