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

// A control's picture: reads as the picture it holds; assigning a new one (or
// clearing it) tells the control.
class TPictureProperty : public TPicture {
public:
    explicit TPictureProperty(TChangeSink* owner) : owner_(owner) {}
    TPictureProperty(const TPictureProperty&) = delete;
    TPictureProperty& operator=(const TPictureProperty& other) { return *this = static_cast<const TPicture&>(other); }
    TPictureProperty& operator=(const TPicture& picture) {
        TPicture::operator=(picture);
        if (owner_) owner_->PropertyChanged();
        return *this;
    }
    void Clear() { *this = TPicture{}; }

private:
    TChangeSink* owner_;
};

class TImage : public TControl {
public:
    using TControl::TControl;
    TPictureProperty Picture{this};
    TProperty<bool> AutoSize{this, false};  // the control takes its picture's size
    TProperty<bool> Stretch{this, false};
    TProperty<bool> Transparent{this, false};
    TProperty<bool> Animate{this, false};   // an animated picture plays

    // Shows a picture; a control that sizes itself takes the picture's size.
    void SetPicture(TPicture picture);
};

// The background panel: a plain panel painted over with a gradient between two
// colours, or with its picture stretched or tiled.
class TGradPan : public TPanel {
public:
    using TPanel::TPanel;
    TProperty<TColor> ColorStart{this, clBlue};
    TProperty<TColor> ColorEnd{this, clBlack};
    TProperty<TDirection> BackGroundEffect{this, bdHorzIn};
    TPictureProperty Bitmap{this};

    // What painting the panel at its present size draws.
    std::vector<PaintStep> PaintPlan() const;
};

}  // namespace tavlin
