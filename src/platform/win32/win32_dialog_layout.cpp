// Measuring with DrawTextA (DT_CALCRECT) in the dialog's font and moving the
// controls and the dialog with SetWindowPos.
#include "platform/win32/win32_dialog_layout.h"

#include <algorithm>

namespace tavlin::win32 {

namespace {

// The flags a static control with SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL draws
// its text with; measuring with the same ones gives the same line breaks.
constexpr UINT staticTextFlags = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;

// A device context of the screen with the dialog's font selected.
class FontContext {
public:
    FontContext(HWND window, HFONT font) : window_(window), dc_(GetDC(window)) {
        previous_ = dc_ && font ? SelectObject(dc_, font) : nullptr;
    }
    ~FontContext() {
        if (!dc_) return;
        if (previous_) SelectObject(dc_, previous_);
        ReleaseDC(window_, dc_);
    }
    FontContext(const FontContext&) = delete;
    FontContext& operator=(const FontContext&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

RECT workArea() {
    RECT area{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) GetWindowRect(GetDesktopWindow(), &area);
    return area;
}

}  // namespace

DialogLayout::DialogLayout(HWND dialog)
    : dialog_(dialog), font_(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0))) {}

int DialogLayout::across(int units) const {
    RECT r{0, 0, units, 0};
    MapDialogRect(dialog_, &r);
    return r.right;
}

int DialogLayout::down(int units) const {
    RECT r{0, 0, 0, units};
    MapDialogRect(dialog_, &r);
    return r.bottom;
}

SIZE DialogLayout::measureText(const std::string& text, int maxWidth) const {
    const FontContext dc(dialog_, font_);
    RECT r{0, 0, maxWidth, 0};
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, staticTextFlags | DT_CALCRECT);
    return SIZE{std::min<LONG>(r.right, maxWidth), r.bottom};
}

int DialogLayout::lineWidth(const std::string& text) const {
    const FontContext dc(dialog_, font_);
    RECT r{0, 0, 0, 0};
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    return r.right;
}

void DialogLayout::place(int id, int x, int y, int width, int height) const {
    SetWindowPos(GetDlgItem(dialog_, id), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogLayout::finish(int clientWidth, int clientHeight) const {
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog_, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    const RECT area = workArea();
    RECT over = area;
    const HWND owner = GetWindow(dialog_, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &over);
    int left = over.left + (over.right - over.left - width) / 2;
    int top = over.top + (over.bottom - over.top - height) / 2;
    // Keep the whole box on the screen, its title bar first.
    left = std::max<int>(area.left, std::min<int>(left, area.right - width));
    top = std::max<int>(area.top, std::min<int>(top, area.bottom - height));
    SetWindowPos(dialog_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int DialogLayout::maxTextWidth() const {
    const RECT area = workArea();
    return std::max<int>(across(100), (area.right - area.left) * 5 / 8);
}

void bringToFront(HWND dialog) {
    SetForegroundWindow(dialog);
    SetActiveWindow(dialog);
}

}  // namespace tavlin::win32
