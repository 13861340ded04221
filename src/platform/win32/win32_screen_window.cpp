#include "platform/win32/win32_screen_window.h"

#include <windows.h>

#include <algorithm>
#include <deque>
#include <map>
#include <tuple>
#include <vector>

#include "platform/win32/win32_child_windows.h"
#include "platform/win32/win32_dialog_keys.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_window_class.h"
#include "platform/win32/win32_font.h"

namespace tavlin::win32 {

namespace {

constexpr const char* kWindowClass = "TavlinScreenWindow";

// A DIB section's pixel for a 0x00BBGGRR colour (its memory order is B, G, R, X).
std::uint32_t DibPixel(std::uint32_t colour) {
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

SurfaceRect Intersect(const SurfaceRect& a, const SurfaceRect& b) {
    SurfaceRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

}  // namespace

bool SurfaceFont::operator<(const SurfaceFont& other) const {
    return std::tie(name, height, bold, italic, underline, strikeOut) <
           std::tie(other.name, other.height, other.bold, other.italic, other.underline, other.strikeOut);
}

struct ScreenWindow::State {
    HWND window = nullptr;
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    std::uint32_t* bits = nullptr;
    int width = 0, height = 0;
    std::vector<SurfaceRect> clips;
    std::map<SurfaceFont, HFONT> fonts;
    std::deque<WindowInput> inputs;
    bool forwardingWheel = false;

    SurfaceRect clip() const { return clips.empty() ? SurfaceRect{0, 0, width, height} : clips.back(); }
    void applyClip() {
        if (clips.empty()) {
            SelectClipRgn(memory, nullptr);
            return;
        }
        const SurfaceRect& r = clips.back();
        HRGN region = CreateRectRgn(r.left, r.top, r.right, r.bottom);
        SelectClipRgn(memory, region);
        DeleteObject(region);
    }
    HFONT font(const SurfaceFont& spec) {
        if (auto found = fonts.find(spec); found != fonts.end()) return found->second;
        HFONT made = CreateGdiFont(spec);
        if (!made) made = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        fonts.emplace(spec, made);
        return made;
    }
};

namespace {

LRESULT CALLBACK ScreenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<ScreenWindow::State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (!state) return DefWindowProcA(window, message, wParam, lParam);
    const auto shiftHeld = [] { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; };
    switch (message) {
        case WM_ERASEBKGND:
            // The back buffer covers every pixel.
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            BitBlt(dc, 0, 0, state->width, state->height, state->memory, 0, 0, SRCCOPY);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_LBUTTONDOWN: {
            WindowInput input;
            input.kind = WindowInput::Kind::Click;
            input.x = static_cast<short>(LOWORD(lParam));
            input.y = static_cast<short>(HIWORD(lParam));
            state->inputs.push_back(input);
            return 0;
        }
        case WM_CHAR:
        case WM_SYSCHAR: {
            WindowInput input;
            input.kind = WindowInput::Kind::Character;
            input.character = static_cast<char>(wParam);
            input.shift = shiftHeld();
            input.alt = message == WM_SYSCHAR;
            state->inputs.push_back(input);
            return 0;
        }
        case WM_COMMAND:
        case WM_NOTIFY: {
            WindowInput input;
            if (ChildInput(message, wParam, lParam, input)) state->inputs.push_back(input);
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            if (const std::intptr_t brush = ChildBackground(message, wParam, lParam)) return brush;
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_MOUSEWHEEL: {
            // The wheel scrolls the text box or list under the pointer, which
            // need not have the focus. A child that does not scroll passes the
            // wheel back up here: the flag stops that from going round.
            if (state->forwardingWheel) return 0;
            POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ScreenToClient(window, &at);
            HWND under = ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
            if (!under || under == window) return 0;
            state->forwardingWheel = true;
            SendMessageA(under, message, wParam, lParam);
            state->forwardingWheel = false;
            return 0;
        }
        case WM_CLOSE: {
            // The model decides whether the window closes.
            WindowInput input;
            input.kind = WindowInput::Kind::Close;
            state->inputs.push_back(input);
            return 0;
        }
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

ScreenWindow::ScreenWindow(const std::string& title) : state_(std::make_unique<State>()) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterWindowClass(kWindowClass, ScreenWindowProc, nullptr);
    state_->width = GetSystemMetrics(SM_CXSCREEN);
    state_->height = GetSystemMetrics(SM_CYSCREEN);

    HDC screen = GetDC(nullptr);
    state_->memory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = state_->width;
    info.bmiHeader.biHeight = -state_->height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    state_->bitmap = CreateDIBSection(state_->memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!state_->bitmap) throw lastOSError("CreateDIBSection");
    state_->bits = static_cast<std::uint32_t*>(bits);
    state_->oldBitmap = SelectObject(state_->memory, state_->bitmap);
    SetBkMode(state_->memory, TRANSPARENT);

    state_->window = CreateWindowExA(WS_EX_APPWINDOW, kWindowClass, title.c_str(), WS_POPUP | WS_CLIPCHILDREN, 0, 0, state_->width,
                                     state_->height, nullptr, nullptr, instance, state_.get());
    if (!state_->window) throw lastOSError("CreateWindowExA");
}

ScreenWindow::~ScreenWindow() {
    if (state_->window) DestroyWindow(state_->window);
    for (auto& [spec, font] : state_->fonts) DeleteObject(font);
    SelectObject(state_->memory, state_->oldBitmap);
    DeleteObject(state_->bitmap);
    DeleteDC(state_->memory);
}

int ScreenWindow::width() const { return state_->width; }
int ScreenWindow::height() const { return state_->height; }
std::uintptr_t ScreenWindow::handle() const { return reinterpret_cast<std::uintptr_t>(state_->window); }

void ScreenWindow::show(bool visible, bool minimized) {
    ShowWindow(state_->window, !visible ? SW_HIDE : minimized ? SW_SHOWMINIMIZED : SW_SHOW);
    if (visible && !minimized) SetForegroundWindow(state_->window);
}

void ScreenWindow::focus() {
    if (GetFocus() != state_->window) SetFocus(state_->window);
}

void ScreenWindow::setTitle(const std::string& title) { SetWindowTextA(state_->window, title.c_str()); }

void ScreenWindow::fillRect(const SurfaceRect& rect, std::uint32_t colour) {
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(state_->memory, &r, brush);
    DeleteObject(brush);
}

void ScreenWindow::line(int x1, int y1, int x2, int y2, std::uint32_t colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(state_->memory, pen);
    MoveToEx(state_->memory, x1, y1, nullptr);
    LineTo(state_->memory, x2, y2);
    SelectObject(state_->memory, old);
    DeleteObject(pen);
}

void ScreenWindow::drawPixels(const std::uint32_t* pixels, int width, int height, const SurfaceRect& rect,
                              bool stretch, bool keyed, std::uint32_t keyColour) {
    if (width <= 0 || height <= 0 || rect.right <= rect.left || rect.bottom <= rect.top) return;
    // Straight into the bitmap's memory, nearest pixel when stretched, so that
    // keyed pixels stay exact.
    GdiFlush();
    const SurfaceRect area = Intersect(Intersect(rect, state_->clip()), {0, 0, state_->width, state_->height});
    const std::uint32_t key = DibPixel(keyColour) & 0xFFFFFF;
    const int targetWidth = stretch ? rect.right - rect.left : width;
    const int targetHeight = stretch ? rect.bottom - rect.top : height;
    for (int y = area.top; y < area.bottom; ++y) {
        const int dy = y - rect.top;
        if (dy >= targetHeight) break;
        const int sy = stretch ? static_cast<int>(static_cast<long long>(dy) * height / targetHeight) : dy;
        for (int x = area.left; x < area.right; ++x) {
            const int dx = x - rect.left;
            if (dx >= targetWidth) break;
            const int sx = stretch ? static_cast<int>(static_cast<long long>(dx) * width / targetWidth) : dx;
            const std::uint32_t p = pixels[static_cast<std::size_t>(sy) * width + sx];
            if ((p >> 24) == 0 || (keyed && (p & 0xFFFFFF) == key)) continue;
            state_->bits[static_cast<std::size_t>(y) * state_->width + x] = p & 0xFFFFFF;
        }
    }
}

void ScreenWindow::text(int x, int y, std::string_view text, const SurfaceFont& font, std::uint32_t colour) {
    HGDIOBJ old = SelectObject(state_->memory, state_->font(font));
    SetTextColor(state_->memory, colour);
    TextOutA(state_->memory, x, y, text.data(), static_cast<int>(text.size()));
    SelectObject(state_->memory, old);
}

void ScreenWindow::textExtent(std::string_view text, const SurfaceFont& font, int& width, int& height) {
    HGDIOBJ old = SelectObject(state_->memory, state_->font(font));
    SIZE size{};
    GetTextExtentPoint32A(state_->memory, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(state_->memory, old);
    width = size.cx;
    height = size.cy;
}

void ScreenWindow::pushClip(const SurfaceRect& rect) {
    state_->clips.push_back(Intersect(rect, state_->clip()));
    state_->applyClip();
}

void ScreenWindow::popClip() {
    if (!state_->clips.empty()) state_->clips.pop_back();
    state_->applyClip();
}

void ScreenWindow::present() {
    GdiFlush();
    HDC dc = GetDC(state_->window);
    BitBlt(dc, 0, 0, state_->width, state_->height, state_->memory, 0, 0, SRCCOPY);
    ReleaseDC(state_->window, dc);
    ValidateRect(state_->window, nullptr);
}

void ScreenWindow::present(const SurfaceRect& rect) {
    GdiFlush();
    HDC dc = GetDC(state_->window);
    BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, state_->memory, rect.left,
           rect.top, SRCCOPY);
    ReleaseDC(state_->window, dc);
    RECT done{rect.left, rect.top, rect.right, rect.bottom};
    ValidateRect(state_->window, &done);
}

std::uintptr_t ScreenWindow::font(const SurfaceFont& spec) { return reinterpret_cast<std::uintptr_t>(state_->font(spec)); }

bool ScreenWindow::takeInput(WindowInput& input) {
    if (state_->inputs.empty()) return false;
    input = state_->inputs.front();
    state_->inputs.pop_front();
    return true;
}

ScreenWindow::Wait ScreenWindow::waitInput(WindowInput& input, std::optional<std::uint32_t> milliseconds) {
    const DWORD begin = GetTickCount();
    while (!takeInput(input)) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return Wait::Quit;
            if (RouteDialogKeys(message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }
        // The queue is empty: sleep until a message comes or the time is up.
        DWORD timeout = INFINITE;
        if (milliseconds) {
            const DWORD elapsed = GetTickCount() - begin;  // right across the count's wrap
            if (elapsed >= *milliseconds) return Wait::TimedOut;
            timeout = *milliseconds - elapsed;
        }
        if (MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_FAILED) {
            throw lastOSError("MsgWaitForMultipleObjectsEx");
        }
    }
    return Wait::Input;
}

}  // namespace tavlin::win32
