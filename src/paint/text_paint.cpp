#include "paint/text_paint.h"

#include "controls/std_controls.h"
#include "paint/system_colours.h"

namespace tavlin {

namespace {

// Breaks one paragraph at blanks to fit the width.
void WrapParagraph(Canvas& canvas, std::string_view paragraph, const TFont& font, int width,
                   std::vector<std::string>& lines) {
    std::string line;
    std::size_t at = 0;
    while (at <= paragraph.size()) {
        std::size_t end = paragraph.find(' ', at);
        if (end == std::string_view::npos) end = paragraph.size();
        const std::string_view word = paragraph.substr(at, end - at);
        std::string candidate = line.empty() ? std::string(word) : line + " " + std::string(word);
        if (!line.empty() && canvas.TextExtent(candidate, font).x > width) {
            lines.push_back(line);
            line = std::string(word);
        } else {
            line = std::move(candidate);
        }
        at = end + 1;
    }
    lines.push_back(line);
}

}  // namespace

std::vector<std::string> TextLines(Canvas& canvas, std::string_view text, const TFont& font, int width) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (true) {
        std::size_t end = text.find_first_of("\r\n", at);
        const std::string_view paragraph = text.substr(at, end == std::string_view::npos ? text.npos : end - at);
        if (width > 0) {
            WrapParagraph(canvas, paragraph, font, width, lines);
        } else {
            lines.emplace_back(paragraph);
        }
        if (end == std::string_view::npos) break;
        at = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

TPoint DrawCaption(Canvas& canvas, TPoint at, std::string_view caption, const TFont& font, TColor colour) {
    const std::string shown = StripAccelerator(std::string(caption));
    const TColor plain = PlainColour(colour);
    canvas.DrawText(at, shown, font, plain);
    const TPoint extent = canvas.TextExtent(shown, font);
    // Where the accelerator letter stands in the shown text.
    std::size_t letter = std::string::npos;
    std::size_t shownIndex = 0;
    for (std::size_t i = 0; i < caption.size(); ++i, ++shownIndex) {
        if (caption[i] != '&' || i + 1 >= caption.size()) continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        letter = shownIndex;
        break;
    }
    if (letter != std::string::npos && letter < shown.size()) {
        const int x0 = at.x + canvas.TextExtent(shown.substr(0, letter), font).x;
        const int x1 = at.x + canvas.TextExtent(shown.substr(0, letter + 1), font).x;
        const int y = at.y + extent.y - 2;
        canvas.FillRect({x0, y, x1, y + 1}, plain);
    }
    return extent;
}

void DrawLines(Canvas& canvas, const std::vector<std::string>& lines, int left, int right, int top,
               const TFont& font, TColor colour, TextAlign align, bool accelerators) {
    const int height = LineHeight(canvas, font);
    int y = top;
    for (const std::string& line : lines) {
        const std::string shown = accelerators ? StripAccelerator(line) : line;
        const int width = canvas.TextExtent(shown, font).x;
        int x = left;
        if (align == TextAlign::Centre) x = left + (right - left - width) / 2;
        if (align == TextAlign::Right) x = right - width;
        if (accelerators) {
            DrawCaption(canvas, {x, y}, line, font, colour);
        } else {
            canvas.DrawText({x, y}, line, font, PlainColour(colour));
        }
        y += height;
    }
}

int LineHeight(Canvas& canvas, const TFont& font) { return canvas.TextExtent("Ag", font).y; }

}  // namespace tavlin
