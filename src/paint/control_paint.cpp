#include "paint/control_paint.h"

#include <algorithm>
#include <array>

#include "controls/group_box.h"
#include "paint/builtin_pictures.h"
#include "paint/frames.h"
#include "paint/system_colours.h"
#include "paint/text_paint.h"

namespace tavlin {

namespace {

TRect Bounds(const TControl& control, TPoint origin) {
    return {origin.x, origin.y, origin.x + control.Width, origin.y + control.Height};
}

TextAlign AlignOf(TLabel::TAlignment alignment) {
    switch (alignment) {
        case TLabel::TAlignment::taCenter: return TextAlign::Centre;
        case TLabel::TAlignment::taRightJustify: return TextAlign::Right;
        default: return TextAlign::Left;
    }
}

// Text of a disabled control: engraved, white under grey.
void DrawDisabledCaption(Canvas& canvas, TPoint at, const std::string& caption, const TFont& font) {
    DrawCaption(canvas, {at.x + 1, at.y + 1}, caption, font, clBtnHighlight);
    DrawCaption(canvas, at, caption, font, clBtnShadow);
}

// Pixel art of a radio button, 12 x 12: S grey, D black, H white, L light, W the
// field.
constexpr std::array<const char*, 12> kRadio = {
    "....SSSS....", "..SSDDDDSS..", ".SDDWWWWDDH.", ".SDWWWWWWLH.", "SDWWWWWWWWLH", "SDWWWWWWWWLH",
    "SDWWWWWWWWLH", "SDWWWWWWWWLH", ".SDWWWWWWLH.", ".SLLWWWWLLH.", "..HHLLLLHH..", "....HHHH....",
};

TColor RadioColour(char c, bool enabled) {
    switch (c) {
        case 'S': return PlainColour(clBtnShadow);
        case 'D': return PlainColour(cl3DDkShadow);
        case 'H': return PlainColour(clBtnHighlight);
        case 'L': return PlainColour(cl3DLight);
        default: return PlainColour(enabled ? clWindow : clBtnFace);
    }
}

// A small arrow pointing up or down, centred in rect.
void DrawArrow(Canvas& canvas, const TRect& rect, bool up, TColor colour) {
    const int cx = rect.left + rect.Width() / 2;
    const int cy = rect.top + rect.Height() / 2 - 2;
    for (int i = 0; i < 4; ++i) {
        const int row = up ? cy + i : cy + 3 - i;
        canvas.FillRect({cx - i, row, cx + i + 1, row + 1}, PlainColour(colour));
    }
}

// A vertical scroll bar with its two arrow buttons; a thumb when the content is
// taller than the view.
void DrawVerticalScrollBar(Canvas& canvas, const TRect& bar, bool scrolls) {
    canvas.FillRect(bar, Rgb(0xE0, 0xE0, 0xE0));
    const int size = std::min(16, bar.Height() / 2);
    TRect up{bar.left, bar.top, bar.right, bar.top + size};
    TRect down{bar.left, bar.bottom - size, bar.right, bar.bottom};
    for (TRect* button : {&up, &down}) {
        TRect face = *button;
        DrawEdge(canvas, face, Edge::Button);
        canvas.FillRect(face, PlainColour(clBtnFace));
    }
    DrawArrow(canvas, up, true, scrolls ? clBtnText : clBtnShadow);
    DrawArrow(canvas, down, false, scrolls ? clBtnText : clBtnShadow);
    if (scrolls && bar.Height() > 3 * size) {
        TRect thumb{bar.left, up.bottom, bar.right, up.bottom + std::max(8, (bar.Height() - 2 * size) / 3)};
        DrawEdge(canvas, thumb, Edge::Button);
        canvas.FillRect(thumb, PlainColour(clBtnFace));
    }
}

}  // namespace

TRect PaintPanelFace(PaintContext& context, const TPanel& panel, TPoint origin) {
    Canvas& canvas = context.canvas;
    TRect rect = Bounds(panel, origin);
    canvas.FillRect(rect, PlainColour(panel.Color));
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone) return;
        const bool raised = cut == TBevelCut::bvRaised;
        Frame3D(canvas, rect, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
                panel.BevelWidth);
    };
    bevel(panel.BevelOuter);
    Frame3D(canvas, rect, panel.Color, panel.Color, panel.BorderWidth);
    bevel(panel.BevelInner);
    return rect;
}

void PaintPanelCaption(PaintContext& context, const TPanel& panel, const TRect& inside) {
    if (panel.Caption.empty()) return;
    Canvas& canvas = context.canvas;
    const TPoint extent = canvas.TextExtent(StripAccelerator(panel.Caption), panel.Font);
    DrawCaption(canvas, {inside.left + (inside.Width() - extent.x) / 2, inside.top + (inside.Height() - extent.y) / 2},
                panel.Caption, panel.Font, panel.Font.Color);
}

void PaintGroupBox(PaintContext& context, const TGroupBox& box, TPoint origin) {
    Canvas& canvas = context.canvas;
    const int half = LineHeight(canvas, box.Font) / 2;
    TRect frame{origin.x, origin.y + half, origin.x + box.Width, origin.y + box.Height};
    DrawEdge(canvas, frame, Edge::Etched);
    if (box.Caption.empty()) return;
    const TPoint extent = canvas.TextExtent(StripAccelerator(box.Caption), box.Font);
    const TColor behind = box.Parent() ? box.Parent()->Color : clBtnFace;
    canvas.FillRect({origin.x + 8, origin.y, origin.x + 8 + extent.x, origin.y + extent.y}, PlainColour(behind));
    DrawCaption(canvas, {origin.x + 8, origin.y}, box.Caption, box.Font, box.Font.Color);
}

void PaintLabel(PaintContext& context, const TLabel& label, TPoint origin) {
    Canvas& canvas = context.canvas;
    const TRect rect = Bounds(label, origin);
    if (!label.Transparent) canvas.FillRect(rect, PlainColour(label.Color));
    const auto lines = TextLines(canvas, label.Caption, label.Font, label.WordWrap ? label.Width : 0);
    // A label that sizes itself shows all of its text; a fixed one clips it.
    if (!label.AutoSize) canvas.PushClip(rect);
    DrawLines(canvas, lines, rect.left, rect.right, rect.top, label.Font,
              label.Enabled ? label.Font.Color : clGrayText, AlignOf(label.Alignment), true);
    if (!label.AutoSize) canvas.PopClip();
}

void PaintShadowLabel(PaintContext& context, const TShadowLabel& label, TPoint origin) {
    Canvas& canvas = context.canvas;
    const TRect rect = Bounds(label, origin);
    const int textWidth = label.Width - label.ShadowOffset;
    const auto lines = TextLines(canvas, label.Caption, label.Font, label.WordWrap ? textWidth : 0);
    if (!label.AutoSize) canvas.PushClip(rect);
    // The shadow first, then the text over it; both without a background.
    for (const auto& [at, colour] : {std::pair<TPoint, TColor>{label.ShadowOrigin(), label.ShadowColor},
                                     std::pair<TPoint, TColor>{label.TextOrigin(), label.Font.Color}}) {
        DrawLines(canvas, lines, rect.left + at.x, rect.left + at.x + textWidth, rect.top + at.y, label.Font, colour,
                  AlignOf(label.Alignment), true);
    }
    if (!label.AutoSize) canvas.PopClip();
}

void PaintButton(PaintContext& context, const TButton& button, TPoint origin) {
    Canvas& canvas = context.canvas;
    TRect rect = Bounds(button, origin);
    if (context.defaultButton == &button) {
        FrameRect(canvas, rect, cl3DDkShadow);
        rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
    DrawEdge(canvas, rect, Edge::Button);
    canvas.FillRect(rect, PlainColour(clBtnFace));
    const TPoint extent = canvas.TextExtent(StripAccelerator(button.Caption), button.Font);
    const TPoint at{rect.left + (rect.Width() - extent.x) / 2, rect.top + (rect.Height() - extent.y) / 2};
    if (button.Enabled) {
        DrawCaption(canvas, at, button.Caption, button.Font, clBtnText);
    } else {
        DrawDisabledCaption(canvas, at, button.Caption, button.Font);
    }
}

void PaintCheckMarkBox(Canvas& canvas, TPoint origin, bool checked, bool enabled) {
    TRect box{origin.x, origin.y, origin.x + 13, origin.y + 13};
    DrawEdge(canvas, box, Edge::Sunken);
    canvas.FillRect(box, PlainColour(enabled ? clWindow : clBtnFace));
    if (!checked) return;
    // The classic tick: seven columns, three pixels high each.
    const TColor ink = PlainColour(enabled ? clWindowText : clBtnShadow);
    const int drops[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i) {
        const int x = box.left + 1 + i;
        const int y = box.top + 1 + drops[i];
        canvas.FillRect({x, y, x + 1, y + 3}, ink);
    }
}

void PaintCheckBox(PaintContext& context, const TCheckBox& box, TPoint origin) {
    Canvas& canvas = context.canvas;
    PaintCheckMarkBox(canvas, {origin.x, origin.y + (box.Height - 13) / 2}, box.Checked, box.Enabled);
    const int height = LineHeight(canvas, box.Font);
    const TPoint at{origin.x + 17, origin.y + (box.Height - height) / 2};
    if (box.Enabled) {
        DrawCaption(canvas, at, box.Caption, box.Font, box.Font.Color);
    } else {
        DrawDisabledCaption(canvas, at, box.Caption, box.Font);
    }
}

void PaintRadioButton(PaintContext& context, const TRadioButton& button, TPoint origin) {
    Canvas& canvas = context.canvas;
    const int top = origin.y + (button.Height - 12) / 2;
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const char c = kRadio[y][x];
            if (c == '.') continue;
            canvas.FillRect({origin.x + x, top + y, origin.x + x + 1, top + y + 1}, RadioColour(c, button.Enabled));
        }
    }
    if (button.Checked()) {
        const TColor ink = PlainColour(button.Enabled ? clWindowText : clBtnShadow);
        canvas.FillRect({origin.x + 5, top + 4, origin.x + 7, top + 8}, ink);
        canvas.FillRect({origin.x + 4, top + 5, origin.x + 8, top + 7}, ink);
    }
    const int height = LineHeight(canvas, button.Font);
    const TPoint at{origin.x + 17, origin.y + (button.Height - height) / 2};
    if (button.Enabled) {
        DrawCaption(canvas, at, button.Caption, button.Font, button.Font.Color);
    } else {
        DrawDisabledCaption(canvas, at, button.Caption, button.Font);
    }
}

void PaintEdit(PaintContext& context, const TEdit& edit, TPoint origin) {
    Canvas& canvas = context.canvas;
    TRect rect = Bounds(edit, origin);
    DrawEdge(canvas, rect, Edge::Sunken);
    canvas.FillRect(rect, PlainColour(edit.Enabled ? clWindow : clBtnFace));
    const int height = LineHeight(canvas, edit.Font);
    canvas.PushClip(rect);
    canvas.DrawText({rect.left + 2, rect.top + (rect.Height() - height) / 2}, edit.Text, edit.Font,
                    PlainColour(edit.Enabled ? clWindowText : clGrayText));
    canvas.PopClip();
}

void PaintFolderEdit(PaintContext& context, const TFolderEdit& edit, TPoint origin) {
    const int buttonWidth = std::min<int>(edit.Width, edit.Height + 2);
    TEdit field("");
    field.Width = edit.Width - buttonWidth - 2;
    field.Height = edit.Height;
    field.Text = edit.Text;
    field.Font = edit.Font;
    field.Enabled = edit.Enabled;
    PaintEdit(context, field, origin);
    TButton browse("");
    browse.Width = buttonWidth;
    browse.Height = edit.Height;
    browse.Caption = "...";
    browse.Font = edit.Font;
    browse.Enabled = edit.Enabled;
    PaintButton(context, browse, {origin.x + edit.Width - buttonWidth, origin.y});
}

void PaintMemo(PaintContext& context, const TMemo& memo, TPoint origin) {
    Canvas& canvas = context.canvas;
    TRect rect = Bounds(memo, origin);
    DrawEdge(canvas, rect, Edge::Sunken);
    canvas.FillRect(rect, PlainColour(memo.Enabled ? clWindow : clBtnFace));
    const bool bar = memo.ScrollBars == TScrollStyle::ssVertical || memo.ScrollBars == TScrollStyle::ssBoth;
    TRect text = rect;
    if (bar) text.right -= 16;
    const int width = text.Width() - 4;
    std::vector<std::string> lines;
    for (const std::string& line : memo.Lines) {
        for (std::string& part : TextLines(canvas, line, memo.Font, memo.WordWrap ? width : 0)) {
            lines.push_back(std::move(part));
        }
    }
    const int height = LineHeight(canvas, memo.Font);
    canvas.PushClip(text);
    DrawLines(canvas, lines, text.left + 2, text.right - 2, text.top + 1, memo.Font, clWindowText, TextAlign::Left,
              false);
    canvas.PopClip();
    if (bar) {
        DrawVerticalScrollBar(canvas, {text.right, rect.top, rect.right, rect.bottom},
                              static_cast<int>(lines.size()) * height > text.Height());
    }
}

void PaintListView(PaintContext& context, const TListView& list, TPoint origin) {
    Canvas& canvas = context.canvas;
    TRect rect = Bounds(list, origin);
    DrawEdge(canvas, rect, Edge::Sunken);
    canvas.FillRect(rect, PlainColour(clWindow));
    canvas.PushClip(rect);
    const int lineHeight = LineHeight(canvas, list.Font);
    int top = rect.top;
    if (list.ViewStyle == TViewStyle::vsReport && list.ShowColumnHeaders) {
        const int headerHeight = lineHeight + 6;
        int left = rect.left;
        for (const TListColumn& column : list.Columns) {
            TRect header{left, top, left + column.Width, top + headerHeight};
            TRect face = header;
            Frame3D(canvas, face, clBtnHighlight, cl3DDkShadow, 1);
            Frame3D(canvas, face, clBtnFace, clBtnShadow, 1);
            canvas.FillRect(face, PlainColour(clBtnFace));
            canvas.PushClip(face);
            canvas.DrawText({face.left + 4, face.top + 1}, column.Caption, list.Font, PlainColour(clBtnText));
            canvas.PopClip();
            left += column.Width;
        }
        if (left < rect.right) {
            TRect rest{left, top, rect.right, top + headerHeight};
            Frame3D(canvas, rest, clBtnHighlight, cl3DDkShadow, 1);
            canvas.FillRect(rest, PlainColour(clBtnFace));
        }
        top += headerHeight;
    }
    const int rowHeight = std::max(17, lineHeight + 1);
    const PixelImage* icon = BuiltInPicture(kProgramIconResource);
    for (const TListItem& item : list.Items) {
        int x = rect.left + 2;
        if (list.Checkboxes) {
            PaintCheckMarkBox(canvas, {x, top + (rowHeight - 13) / 2}, item.Checked, list.Enabled);
            x += 16;
        }
        if (item.ImageIndex >= 0 && icon) {
            canvas.DrawPicture(*icon, {x, top, x + 16, top + 16}, PictureDrawing::Plain);
        }
        x += 18;
        const int firstWidth = list.Columns.empty() ? rect.Width() : list.Columns[0].Width;
        canvas.PushClip({x, top, rect.left + firstWidth, top + rowHeight});
        canvas.DrawText({x, top + (rowHeight - lineHeight) / 2}, item.Caption, list.Font, PlainColour(clWindowText));
        canvas.PopClip();
        int left = rect.left + firstWidth;
        for (std::size_t i = 0; i < item.SubItems.size() && i + 1 < list.Columns.size(); ++i) {
            const int width = list.Columns[i + 1].Width;
            canvas.PushClip({left, top, left + width, top + rowHeight});
            canvas.DrawText({left + 6, top + (rowHeight - lineHeight) / 2}, item.SubItems[i], list.Font,
                            PlainColour(clWindowText));
            canvas.PopClip();
            left += width;
        }
        top += rowHeight;
        if (top >= rect.bottom) break;
    }
    canvas.PopClip();
}

void PaintProgressBar(PaintContext& context, const TProgressBar& bar, TPoint origin) {
    Canvas& canvas = context.canvas;
    TRect rect = Bounds(bar, origin);
    DrawEdge(canvas, rect, Edge::SunkenThin);
    canvas.FillRect(rect, PlainColour(clBtnFace));
    const int range = bar.Max - bar.Min;
    if (range <= 0) return;
    const int inner = rect.Width() - 2;
    const int filled = static_cast<int>(static_cast<long long>(bar.Position() - bar.Min) * inner / range);
    const int block = std::max(2, (rect.Height() - 2) * 2 / 3);
    canvas.PushClip({rect.left + 1, rect.top + 1, rect.left + 1 + filled, rect.bottom - 1});
    for (int x = rect.left + 1; x < rect.left + 1 + filled; x += block + 2) {
        canvas.FillRect({x, rect.top + 1, x + block, rect.bottom - 1}, PlainColour(clHighlight));
    }
    canvas.PopClip();
}

namespace {

// A closed folder, 32 x 24, at origin.
void DrawFolder(Canvas& canvas, TPoint at) {
    const TColor outline = PlainColour(cl3DDkShadow);
    const TColor face = Rgb(0xFF, 0xFF, 0x80);
    const TColor side = Rgb(0xC0, 0xC0, 0x00);
    canvas.FillRect({at.x + 1, at.y, at.x + 13, at.y + 5}, outline);
    canvas.FillRect({at.x + 2, at.y + 1, at.x + 12, at.y + 5}, face);
    canvas.FillRect({at.x, at.y + 4, at.x + 32, at.y + 24}, outline);
    canvas.FillRect({at.x + 1, at.y + 5, at.x + 31, at.y + 23}, face);
    canvas.FillRect({at.x + 1, at.y + 19, at.x + 31, at.y + 23}, side);
}

// A sheet of paper with text lines, 18 x 22.
void DrawSheet(Canvas& canvas, TPoint at) {
    canvas.FillRect({at.x, at.y, at.x + 18, at.y + 22}, PlainColour(cl3DDkShadow));
    canvas.FillRect({at.x + 1, at.y + 1, at.x + 17, at.y + 21}, PlainColour(clWindow));
    for (int y = at.y + 5; y < at.y + 19; y += 3) canvas.FillRect({at.x + 3, y, at.x + 15, y + 1}, PlainColour(clBtnShadow));
}

// A waste-paper bin, 24 x 28.
void DrawBin(Canvas& canvas, TPoint at) {
    canvas.FillRect({at.x, at.y, at.x + 24, at.y + 4}, PlainColour(cl3DDkShadow));
    canvas.FillRect({at.x + 2, at.y + 4, at.x + 22, at.y + 28}, PlainColour(cl3DDkShadow));
    canvas.FillRect({at.x + 3, at.y + 4, at.x + 21, at.y + 27}, PlainColour(clBtnShadow));
    for (int x = at.x + 6; x < at.x + 20; x += 4) canvas.FillRect({x, at.y + 7, x + 1, at.y + 25}, PlainColour(cl3DDkShadow));
}

}  // namespace

void PaintAnimate(PaintContext& context, const TAnimate& animate, TPoint origin) {
    // The first frame of the standard clip: a sheet on its way from one folder to
    // another, or into the bin.
    Canvas& canvas = context.canvas;
    if (animate.CommonAVI == aviNone) return;
    canvas.PushClip(Bounds(animate, origin));
    const int middle = origin.y + animate.Height / 2;
    DrawFolder(canvas, {origin.x + 16, middle - 8});
    DrawSheet(canvas, {origin.x + animate.Width / 2 - 9, middle - 22});
    const bool deletes = animate.CommonAVI == aviDeleteFile || animate.CommonAVI == aviRecycleFile ||
                         animate.CommonAVI == aviEmptyRecycle;
    if (deletes) {
        DrawBin(canvas, {origin.x + animate.Width - 44, middle - 12});
    } else {
        DrawFolder(canvas, {origin.x + animate.Width - 48, middle - 8});
    }
    canvas.PopClip();
}

void PaintImage(PaintContext& context, const TImage& image, TPoint origin) {
    const PixelImage* pixels = context.Pixels(image);
    if (!pixels || pixels->Empty()) return;
    Canvas& canvas = context.canvas;
    const TRect rect = Bounds(image, origin);
    if (image.Stretch) {
        canvas.DrawPicture(*pixels, rect, PictureDrawing::Stretched);
    } else if (image.Transparent) {
        // A bitmap drawn transparent leaves out the colour of its bottom-left pixel.
        const std::uint32_t key = pixels->At(0, pixels->Height - 1);
        canvas.DrawPicture(*pixels, rect, PictureDrawing::Transparent,
                           Rgb((key >> 16) & 0xFF, (key >> 8) & 0xFF, key & 0xFF));
    } else {
        canvas.DrawPicture(*pixels, rect, PictureDrawing::Plain);
    }
}

}  // namespace tavlin
