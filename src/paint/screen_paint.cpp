#include "paint/screen_paint.h"

#include <algorithm>
#include <cmath>

#include "controls/group_box.h"
#include "controls/notebook.h"
#include "paint/background_paint.h"
#include "paint/builtin_pictures.h"
#include "paint/control_paint.h"
#include "paint/frames.h"
#include "paint/picture_player.h"
#include "paint/system_colours.h"
#include "paint/text_paint.h"

namespace tavlin {

const PixelImage* PaintContext::Pixels(const TPicture& picture, std::size_t frame) const {
    if (picture.FileName.rfind("res:", 0) == 0) return BuiltInPicture(picture.FileName);
    if (!pictures || picture.FileName.empty()) return nullptr;
    const DecodedPicture* decoded = pictures->Find(picture);
    if (!decoded || decoded->Frames.empty()) return nullptr;
    return frame < decoded->Frames.size() ? &decoded->Frames[frame].Image : &decoded->First();
}

const PixelImage* PaintContext::Pixels(const TImage& image) const {
    return Pixels(image.Picture, player ? player->FrameOf(image) : 0);
}

namespace {

TPoint Offset(TPoint origin, const TControl& child) { return {origin.x + child.Left, origin.y + child.Top}; }

// A page of a page book has no face of its own: it shows what is behind it.
bool IsPage(const TControl& control) { return dynamic_cast<const TNotebook*>(control.Parent()) != nullptr; }

// The bevels and border of a panel again, over children that reach its edges.
void PaintPanelFrames(PaintContext& context, const TPanel& panel, TPoint origin) {
    Canvas& canvas = context.canvas;
    TRect rect{origin.x, origin.y, origin.x + panel.Width, origin.y + panel.Height};
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone) return;
        const bool raised = cut == TBevelCut::bvRaised;
        Frame3D(canvas, rect, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
                panel.BevelWidth);
    };
    bevel(panel.BevelOuter);
    Frame3D(canvas, rect, panel.Color, panel.Color, panel.BorderWidth);
    bevel(panel.BevelInner);
}

bool HasAlignedChildren(const TWinControl& control) {
    return std::any_of(control.Controls().begin(), control.Controls().end(),
                       [](const TControl* c) { return c->Visible && c->Align != TAlign::alNone; });
}

void PaintChildren(PaintContext& context, const TWinControl& parent, TPoint origin) {
    context.canvas.PushClip({origin.x, origin.y, origin.x + parent.Width, origin.y + parent.Height});
    for (const TControl* child : parent.Controls()) PaintControl(context, *child, Offset(origin, *child));
    context.canvas.PopClip();
}

}  // namespace

void PaintControl(PaintContext& context, const TControl& control, TPoint origin) {
    if (!control.Visible) return;
    if (const auto* grad = dynamic_cast<const TGradPan*>(&control)) {
        PaintGradPan(context, *grad, origin);
    } else if (const auto* panel = dynamic_cast<const TPanel*>(&control)) {
        if (!IsPage(*panel)) PaintPanelCaption(context, *panel, PaintPanelFace(context, *panel, origin));
    } else if (const auto* group = dynamic_cast<const TGroupBox*>(&control)) {
        PaintGroupBox(context, *group, origin);
    } else if (const auto* shadow = dynamic_cast<const TShadowLabel*>(&control)) {
        PaintShadowLabel(context, *shadow, origin);
    } else if (const auto* label = dynamic_cast<const TLabel*>(&control)) {
        PaintLabel(context, *label, origin);
    } else if (const auto* button = dynamic_cast<const TButton*>(&control)) {
        PaintButton(context, *button, origin);
    } else if (const auto* check = dynamic_cast<const TCheckBox*>(&control)) {
        PaintCheckBox(context, *check, origin);
    } else if (const auto* radio = dynamic_cast<const TRadioButton*>(&control)) {
        PaintRadioButton(context, *radio, origin);
    } else if (const auto* folder = dynamic_cast<const TFolderEdit*>(&control)) {
        PaintFolderEdit(context, *folder, origin);
    } else if (const auto* edit = dynamic_cast<const TEdit*>(&control)) {
        PaintEdit(context, *edit, origin);
    } else if (const auto* memo = dynamic_cast<const TMemo*>(&control)) {
        PaintMemo(context, *memo, origin);
    } else if (const auto* list = dynamic_cast<const TListView*>(&control)) {
        PaintListView(context, *list, origin);
    } else if (const auto* bar = dynamic_cast<const TProgressBar*>(&control)) {
        PaintProgressBar(context, *bar, origin);
    } else if (const auto* animate = dynamic_cast<const TAnimate*>(&control)) {
        PaintAnimate(context, *animate, origin);
    } else if (const auto* image = dynamic_cast<const TImage*>(&control)) {
        PaintImage(context, *image, origin);
    }
    if (const auto* holder = dynamic_cast<const TWinControl*>(&control)) {
        PaintChildren(context, *holder, origin);
        const auto* panel = dynamic_cast<const TPanel*>(&control);
        if (panel && !IsPage(*panel) && !dynamic_cast<const TGradPan*>(panel) && HasAlignedChildren(*panel)) {
            PaintPanelFrames(context, *panel, origin);
        }
    }
}

void PaintScreenForm(PaintContext& context, const TForm& form) {
    context.canvas.FillRect({form.Left, form.Top, form.Left + form.Width, form.Top + form.Height},
                            PlainColour(form.Color));
    PaintChildren(context, form, {form.Left, form.Top});
}

namespace {

TFont CaptionFont() {
    TFont font;
    font.Height = -11;
    font.Style = 1;  // bold
    font.Color = clCaptionText;
    return font;
}

// The window's frame and caption bar; returns the client area.
TRect PaintFrame(PaintContext& context, const TRect& window, const std::string& caption) {
    Canvas& canvas = context.canvas;
    TRect rect = window;
    DrawEdge(canvas, rect, Edge::Raised);
    canvas.FillRect(rect, PlainColour(clBtnFace));
    const TRect bar{window.left + kWindowBorder, window.top + kWindowBorder, window.right - kWindowBorder,
                    window.top + kWindowCaption};
    // The caption bar runs from the active caption colour to its gradient colour.
    const TColor from = PlainColour(clActiveCaption);
    const TColor to = PlainColour(clGradientActiveCaption);
    const int width = std::max(1, bar.Width());
    for (int x = 0; x < bar.Width(); x += 4) {
        auto mix = [&](int a, int b) { return a + (b - a) * x / width; };
        canvas.FillRect({bar.left + x, bar.top, std::min(bar.right, bar.left + x + 4), bar.bottom},
                        Rgb(mix(RedOf(from), RedOf(to)), mix(GreenOf(from), GreenOf(to)),
                            mix(BlueOf(from), BlueOf(to))));
    }
    const TFont font = CaptionFont();
    canvas.PushClip({bar.left, bar.top, bar.right - 20, bar.bottom});
    canvas.DrawText({bar.left + 4, bar.top + (bar.Height() - LineHeight(canvas, font)) / 2}, caption, font,
                    PlainColour(clCaptionText));
    canvas.PopClip();
    // The close box.
    TRect close{bar.right - 18, bar.top + 2, bar.right - 2, bar.top + 16};
    DrawEdge(canvas, close, Edge::Button);
    canvas.FillRect(close, PlainColour(clBtnFace));
    const TColor ink = PlainColour(clBtnText);
    const int cx = close.left + close.Width() / 2 - 4;
    const int cy = close.top + close.Height() / 2 - 4;
    for (int i = 0; i < 8; ++i) {
        canvas.FillRect({cx + i, cy + i, cx + i + 2, cy + i + 1}, ink);
        canvas.FillRect({cx + 7 - i, cy + i, cx + 9 - i, cy + i + 1}, ink);
    }
    return {window.left + kWindowBorder, window.top + kWindowCaption + kWindowBorder, window.right - kWindowBorder,
            window.bottom - kWindowBorder};
}

// A filled disc of diameter 32 at origin.
void FillDisc(Canvas& canvas, TPoint origin, int diameter, TColor colour) {
    const double r = diameter / 2.0;
    for (int y = 0; y < diameter; ++y) {
        const double dy = y + 0.5 - r;
        const int half = static_cast<int>(std::lround(std::sqrt(std::max(0.0, r * r - dy * dy))));
        canvas.FillRect({origin.x + static_cast<int>(r) - half, origin.y + y, origin.x + static_cast<int>(r) + half,
                         origin.y + y + 1},
                        colour);
    }
}

void PaintMessageIcon(Canvas& canvas, TPoint at, MessageKind kind) {
    TFont glyph;
    glyph.Name = "Times New Roman";
    glyph.Height = -24;
    glyph.Style = 1;
    auto centred = [&](const char* text, TColor colour, int dy) {
        const TPoint extent = canvas.TextExtent(text, glyph);
        canvas.DrawText({at.x + (32 - extent.x) / 2, at.y + (32 - extent.y) / 2 + dy}, text, glyph, colour);
    };
    switch (kind) {
        case MessageKind::Information:
            FillDisc(canvas, {at.x + 2, at.y + 2}, 30, Rgb(0x80, 0x80, 0x80));
            FillDisc(canvas, at, 30, Rgb(0xFF, 0xFF, 0xFF));
            FillDisc(canvas, {at.x + 1, at.y + 1}, 28, Rgb(0x00, 0x00, 0xFF));
            centred("i", Rgb(0xFF, 0xFF, 0xFF), -1);
            break;
        case MessageKind::Confirmation:
            FillDisc(canvas, {at.x + 2, at.y + 2}, 30, Rgb(0x80, 0x80, 0x80));
            FillDisc(canvas, at, 30, Rgb(0xFF, 0xFF, 0xFF));
            FillDisc(canvas, {at.x + 1, at.y + 1}, 28, Rgb(0x00, 0x00, 0xFF));
            centred("?", Rgb(0xFF, 0xFF, 0xFF), -1);
            break;
        case MessageKind::Warning:
            for (int y = 0; y < 28; ++y) {
                const int half = y / 2 + 1;
                canvas.FillRect({at.x + 16 - half, at.y + 2 + y, at.x + 16 + half, at.y + 3 + y}, Rgb(0, 0, 0));
                if (y > 1 && y < 27) {
                    canvas.FillRect({at.x + 17 - half, at.y + 2 + y, at.x + 15 + half, at.y + 3 + y},
                                    Rgb(0xFF, 0xFF, 0x00));
                }
            }
            centred("!", Rgb(0, 0, 0), 3);
            break;
        case MessageKind::Error:
            FillDisc(canvas, {at.x + 2, at.y + 2}, 30, Rgb(0x80, 0x80, 0x80));
            FillDisc(canvas, at, 30, Rgb(0xFF, 0x00, 0x00));
            for (int i = 0; i < 14; ++i) {
                canvas.FillRect({at.x + 8 + i, at.y + 8 + i, at.x + 11 + i, at.y + 9 + i}, Rgb(0xFF, 0xFF, 0xFF));
                canvas.FillRect({at.x + 19 - i, at.y + 8 + i, at.x + 22 - i, at.y + 9 + i}, Rgb(0xFF, 0xFF, 0xFF));
            }
            break;
    }
}

std::vector<std::string> ButtonCaptions(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok: return {"OK"};
        case MessageButtons::YesNo: return {"&Yes", "&No"};
        case MessageButtons::YesNoAll: return {"&Yes", "&No", "&All"};
        case MessageButtons::OkCancel: return {"OK", "Cancel"};
        case MessageButtons::AbortRetryIgnore: return {"&Abort", "&Retry", "&Ignore"};
    }
    return {"OK"};
}

}  // namespace

void PaintWindow(PaintContext& context, const TForm& form) {
    const TRect client =
        PaintFrame(context, {form.Left, form.Top, form.Left + form.Width, form.Top + form.Height}, form.Caption);
    context.canvas.PushClip(client);
    for (const TControl* child : form.Controls()) {
        PaintControl(context, *child, {client.left + child->Left, client.top + child->Top});
    }
    context.canvas.PopClip();
}

TRect PaintMessageBox(PaintContext& context, const MessageBoxLook& box, int screenWidth, int screenHeight) {
    Canvas& canvas = context.canvas;
    TFont font;
    font.Height = -11;
    const auto lines = TextLines(canvas, box.text, font, screenWidth * 5 / 8);
    int textWidth = 0;
    for (const std::string& line : lines) textWidth = std::max(textWidth, canvas.TextExtent(line, font).x);
    const int lineHeight = LineHeight(canvas, font);
    const int textHeight = static_cast<int>(lines.size()) * lineHeight;
    const auto captions = ButtonCaptions(box.buttons);
    const int buttonsWidth = static_cast<int>(captions.size()) * 81 - 6;
    const int textLeft = 11 + 32 + 16;
    const int clientWidth = std::max({textLeft + textWidth + 16, buttonsWidth + 24, 160});
    const int bodyHeight = std::max(32, textHeight);
    const int clientHeight = 11 + bodyHeight + 18 + 23 + 11;
    const int width = clientWidth + 2 * kWindowBorder;
    const int height = clientHeight + kWindowCaption + 2 * kWindowBorder;
    const TRect window{screenWidth / 2 - width / 2, screenHeight / 2 - height / 2, 0, 0};
    const TRect frame{window.left, window.top, window.left + width, window.top + height};
    const TRect client = PaintFrame(context, frame, box.caption);

    PaintMessageIcon(canvas, {client.left + 11, client.top + 11}, box.kind);
    DrawLines(canvas, lines, client.left + textLeft, client.right, client.top + 11 + (bodyHeight - textHeight) / 2,
              font, clWindowText, TextAlign::Left, false);
    int x = client.left + (clientWidth - buttonsWidth) / 2;
    const int y = client.top + 11 + bodyHeight + 18;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        TButton button("");
        button.Width = 75;
        button.Height = 23;
        button.Caption = captions[i];
        button.Font = font;
        const TControl* before = context.defaultButton;
        if (i == 0) context.defaultButton = &button;
        PaintButton(context, button, {x, y});
        context.defaultButton = before;
        x += 81;
    }
    return frame;
}

}  // namespace tavlin
