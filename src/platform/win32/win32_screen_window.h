// A top-level window drawn from a back buffer: the setup's own screen and the
// windows painted over it. Drawing goes into a memory bitmap and reaches the
// window in one copy (no flicker while the text changes); the user's clicks and
// keys come back as plain events. This header keeps <windows.h> out of its users.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tavlin::win32 {

// Colours are 0x00BBGGRR; rectangles leave out their right and bottom edges.
struct SurfaceRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct SurfaceFont {
    std::string name;
    int height = -11;  // pixels, negative: character height without leading
    bool bold = false, italic = false, underline = false, strikeOut = false;
    bool operator<(const SurfaceFont& other) const;
};

// What the user did to one of the window's child controls.
enum class ChildEvent { Clicked, Changed, Focused, RowChecked };

struct WindowInput {
    enum class Kind { Click, Character, Close, Child } kind = Kind::Click;
    int x = 0, y = 0;     // Click: client coordinates
    char character = 0;   // Character: the ANSI character (Tab, Enter, Esc and Backspace as their codes)
    bool shift = false;
    bool alt = false;
    int child = 0;        // Child: the child's id, what happened, and for a ticked row its index and mark
    ChildEvent event = ChildEvent::Clicked;
    int row = -1;
    bool checked = false;
};

class ScreenWindow {
public:
    // A borderless window over the whole primary monitor, not yet shown.
    explicit ScreenWindow(const std::string& title);
    ~ScreenWindow();
    ScreenWindow(const ScreenWindow&) = delete;
    ScreenWindow& operator=(const ScreenWindow&) = delete;

    int width() const;
    int height() const;
    std::uintptr_t handle() const;
    void show(bool visible, bool minimized = false);
    // Takes the keyboard focus from its child windows.
    void focus();
    // The caption, which the task bar shows.
    void setTitle(const std::string& title);

    // Drawing into the back buffer.
    void fillRect(const SurfaceRect& rect, std::uint32_t colour);
    void line(int x1, int y1, int x2, int y2, std::uint32_t colour);
    // Pixels 0xAARRGGBB, width * height of them; a pixel with alpha 0, or of the
    // key colour when keyed, leaves what is behind it.
    void drawPixels(const std::uint32_t* pixels, int width, int height, const SurfaceRect& rect, bool stretch,
                    bool keyed, std::uint32_t keyColour);
    void text(int x, int y, std::string_view text, const SurfaceFont& font, std::uint32_t colour);
    void textExtent(std::string_view text, const SurfaceFont& font, int& width, int& height);
    void pushClip(const SurfaceRect& rect);
    void popClip();
    // Copies the back buffer onto the window.
    void present();
    // Copies only this part of the back buffer onto the window.
    void present(const SurfaceRect& rect);
    // The font the text calls draw with, for child windows that show text in it
    // (an HFONT, owned by this window).
    std::uintptr_t font(const SurfaceFont& spec);

    // Lets messages run until the user gives input to this window, the
    // milliseconds have passed (none: waits on), or the application is asked to
    // quit.
    enum class Wait { Input, TimedOut, Quit };
    Wait waitInput(WindowInput& input, std::optional<std::uint32_t> milliseconds);
    // The input that has come while messages ran elsewhere; false when none.
    bool takeInput(WindowInput& input);

    // What the window procedure reaches through the window.
    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace tavlin::win32
