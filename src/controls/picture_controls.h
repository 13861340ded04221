// Pictures and the controls that show them: the still or animated image and the
// gradient background panel. The model keeps a picture's file and size, not its
// pixels; a window backend loads the pixels from the file.
#pragma once

#include <string>

#include "controls/layout.h"
#include "controls/std_controls.h"

namespace tavlin {

struct TPicture {
    std::string FileName;
    int Width = 0;
    int Height = 0;
    bool Animated = false;  // a GIF picture that can play

    bool Empty() const { return Width <= 0 || Height <= 0; }
    void Clear() { *this = TPicture{}; }
};

class TImage : public TControl {
public:
    using TControl::TControl;
    TPicture Picture;
    bool AutoSize = false;  // the control takes its picture's size
    bool Stretch = false;
    bool Transparent = false;
    bool Animate = false;   // an animated picture plays

    // Shows a picture; a control that sizes itself takes the picture's size.
    void SetPicture(TPicture picture);
};

// The background panel: a plain panel painted over with a gradient between two
// colours, or with its picture stretched or tiled.
class TGradPan : public TPanel {
public:
    using TPanel::TPanel;
    TColor ColorStart = clBlue;
    TColor ColorEnd = clBlack;
    TDirection BackGroundEffect = bdHorzIn;
    TPicture Bitmap;

    // What painting the panel at its present size draws.
    std::vector<PaintStep> PaintPlan() const;
};

}  // namespace tavlin
