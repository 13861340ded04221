// The progress window of long runs as a real dialog-style window: the system's
// file-operation animation, two status lines, a progress bar and Cancel, over a
// client area of the size its layout gives. It is modeless and answers while the
// run lets messages run; Cancel and the close box only ask for the close, which
// the caller carries out. This header keeps <windows.h> out of its users.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/win32/win32_screen_window.h"

namespace tavlin::win32 {

// Where the controls sit, in client coordinates; a status line of width 0 reaches
// to the right edge of the client area, less its left margin.
struct ProgressWindowLayout {
    int clientWidth = 0, clientHeight = 0;
    SurfaceRect animation, status1, status2, bar, cancel;
    SurfaceFont font;
    std::string cancelCaption;
};

class ProgressWindow {
public:
    // Not yet shown; owner (an HWND, or 0) keeps the window above it. left and top
    // place the outer frame.
    ProgressWindow(std::uintptr_t owner, const ProgressWindowLayout& layout, int left, int top);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    std::uintptr_t handle() const;
    void setCaption(const std::string& caption);
    void moveTo(int left, int top);
    void setStatus(int line, const std::string& text);
    void setRange(int minimum, int maximum);
    void setPosition(int position);
    // Plays the system's clip of that number (see win32_animate.h), or stops.
    void playAnimation(int commonAvi, int stopFrame);
    void stopAnimation();
    void show(bool visible);

    enum class Request { None, Cancel, CloseBox };
    // What the user pressed since the last call (the latest press).
    Request takeRequest();

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace tavlin::win32
