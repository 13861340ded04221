// The setup screen's layout: the wizard centred, the text lines placed, the logo
// loaded and placed, the background style chosen, and the status panel sized.
#include "setup/screen_layout.h"

#include <utility>

#include "config/screen_names.h"
#include "platform/platform.h"
#include "setup/display_screen.h"
#include "setup/picture_size.h"
#include "support/text.h"

namespace tavlin {

std::optional<TPoint> LogoPosition(const std::string& name, int W, int H, int w, int h, int textLine3Bottom,
                                   int textLine4Top) {
    const auto place = LogoPlaceNamed(name);
    if (!place) return std::nullopt;
    switch (*place) {
        case LogoPlace::UpperRight: return TPoint{W - w - 5, 5};
        case LogoPlace::BottomRight: return TPoint{W - w - 5, H - h - 5};
        case LogoPlace::UpperLeftUnderText: return TPoint{5, textLine3Bottom + 10};
        case LogoPlace::BottomLeft: return TPoint{5, H - h - 5};
        case LogoPlace::UpperCenter: return TPoint{W / 2 - w / 2, textLine3Bottom + 10};
        case LogoPlace::LowerCenter: return TPoint{W / 2 - w / 2, textLine4Top - h - 5};
        case LogoPlace::Center: return TPoint{W / 2 - w / 2, H / 2 - h / 2};
    }
    return std::nullopt;
}

// The names' order is the styles' order.
static_assert(bdFlat == 0 && bdStretchImage == 1 && bdTileImage == 2 && bdUp == 3 && bdDown == 4 && bdLeft == 5 &&
              bdRight == 6 && bdHorzIn == 7 && bdHorzOut == 8 && bdVertIn == 9 && bdVertOut == 10);

std::optional<TDirection> BackgroundStyleNamed(const std::string& name) {
    const auto index = DisplayStyleIndex(name);
    if (!index) return std::nullopt;
    return static_cast<TDirection>(*index);
}

void TDisplayScreen::FormResize() {
    const TPoint at = CentredIn(Width, Height, Wizard.Width, Wizard.Height);
    Wizard.Left = at.x;
    Wizard.Top = at.y;
    AdjustFonts1Click();
    LogoPosChanges1Click();
    DisplayStyleChanges1Click();
}

void TDisplayScreen::AdjustFonts1Click() {
    const int margin = Application.Scaled(8);
    TextInfo1.Top = margin;
    TextInfo1.Left = margin;
    TextInfo2.Left = margin;
    TextInfo3.Left = margin;
    if (State.CenterTop) {
        TextInfo1.Top = State.CenterTopStart;
        for (TShadowLabel* line : {&TextInfo1, &TextInfo2, &TextInfo3}) {
            line->Left = SetupScreen.Width / 2 - line->Width / 2;
        }
    }
    TextInfo2.Top = TextInfo1.Bottom() + Application.Scaled(2);
    TextInfo3.Top = TextInfo2.Bottom() + Application.Scaled(2);
}

void TDisplayScreen::LoadLogo1Click() {
    ImageHolder1.Width = 1000;
    ImageHolder1.Height = 1000;
    LogoImage.Align = TAlign::alNone;
    LogoImage.AutoSize = true;
    LogoImage2.AutoSize = true;
    ImageHolder1.Hide();
    LogoImage2.Hide();

    if (!State.LogoFile.empty()) {
        FileSystem& files = platform().files();
        const std::string path = State.ExpandDir + State.LogoFile;
        if (Contains(UpperCaseAscii(State.LogoFile), ".BMP")) {
            try {
                LogoImage2.SetPicture(LoadPicture(files, path, PictureFormat::Bmp));
                LogoImage2.Transparent = true;
                ImageHolder1.Width = LogoImage2.Picture.Width;  // for placing only; the frame stays hidden
                ImageHolder1.Height = LogoImage2.Picture.Height;
                LogoImage2.Show();
            } catch (const Exception&) {
                // A logo that cannot be loaded is simply not shown.
            }
        } else {
            try {
                LogoImage.SetPicture(LoadPicture(files, path, PictureFormat::Gif));
                ImageHolder1.Width = LogoImage.Picture.Width + 8;
                ImageHolder1.Height = LogoImage.Picture.Height + 8;
                // Inside the frame's bevels and border, 4 pixels from each edge.
                LogoImage.SetBounds(4, 4, LogoImage.Picture.Width, LogoImage.Picture.Height);
                ImageHolder1.Show();
            } catch (const Exception&) {
                // A logo that cannot be loaded is simply not shown.
                ImageHolder1.Hide();
            }
        }
    }
    LogoPosChanges1Click();
}

void TDisplayScreen::LogoPosChanges1Click() {
    const auto at = LogoPosition(State.LogoPos, SetupScreen.Width, SetupScreen.Height, ImageHolder1.Width,
                                 ImageHolder1.Height, TextInfo3.Bottom(), TextInfo4.Top);
    if (!at) return;
    for (TControl* logo : {static_cast<TControl*>(&ImageHolder1), static_cast<TControl*>(&LogoImage2)}) {
        logo->Left = at->x;
        logo->Top = at->y;
    }
}

void TDisplayScreen::DisplayStyleChanges1Click() {
    if (const auto style = BackgroundStyleNamed(State.DisplayStyle)) SetupScreen.BackGroundEffect = *style;
}

void TDisplayScreen::SetStatusCaption(const std::string& caption) {
    InstallStatus.Caption = caption;
    InstallStatus.Width = Application.Scaled(10 * static_cast<int>(caption.size()) + 90);
    const TPoint at = CentredIn(Width, Height, InstallStatus.Width, InstallStatus.Height);
    InstallStatus.Left = at.x;
    InstallStatus.Top = at.y;
}

}  // namespace tavlin
