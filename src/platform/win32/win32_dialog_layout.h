// Pixel layout of the run-time dialogs once they exist: texts measured in the
// dialog's own font, so that a box grows with its text and with the font the
// system scales for its DPI, and never clips a line.
#pragma once

#include <windows.h>

#include <string>

namespace tavlin::win32 {

// A dialog's measures in pixels, taken from dialog units through its font.
class DialogLayout {
public:
    explicit DialogLayout(HWND dialog);

    // Dialog units across / down, in pixels.
    int across(int units) const;
    int down(int units) const;

    // The size a static text control (SS_LEFT | SS_EDITCONTROL) takes to show text
    // whole, broken into lines no wider than maxWidth pixels.
    SIZE measureText(const std::string& text, int maxWidth) const;
    // The width of a single line, such as a button caption (the & of an
    // accelerator takes no room).
    int lineWidth(const std::string& text) const;

    // Places a child control, in client pixels.
    void place(int id, int x, int y, int width, int height) const;
    // Gives the dialog this client size and centres it over its owner, or over the
    // work area of the screen when it has none.
    void finish(int clientWidth, int clientHeight) const;

    // The widest a text column may be: most of the work area of the screen.
    int maxTextWidth() const;

private:
    HWND dialog_;
    HFONT font_;
};

// Makes a new dialog the active, foreground window, as a question must be.
void bringToFront(HWND dialog);

}  // namespace tavlin::win32
