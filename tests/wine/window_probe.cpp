// window_probe.exe: tells a script what it cannot see from the X server about a
// top-level window of another program under wine.
//   window_probe TITLE [SECONDS=60] [PICTURE.bmp]
// Waits, polling, for a window of exactly that title (up to SECONDS), keeps what
// the screen shows of it in PICTURE.bmp when given (at once: the window may live
// only a moment), then prints
//   class NAME / client WIDTHxHEIGHT / iconic 0|1 / owner TITLE|none
// and one line "child CLASS LEFT,TOP WIDTHxHEIGHT TEXT" per child window, in
// client coordinates. Exits 1 when no such window came.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string TextOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM parent) {
    if (GetParent(child) != reinterpret_cast<HWND>(parent)) return TRUE;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&rect), 2);
    std::printf("child %s %ld,%ld %ldx%ld %s\n", ClassOf(child).c_str(), rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top, TextOf(child).c_str());
    return TRUE;
}

// The window's rectangle of the screen as a 24-bit bitmap file, once it shows.
void Capture(HWND window, const char* file) {
    for (int i = 0; i < 50 && !IsWindowVisible(window); ++i) Sleep(10);
    UpdateWindow(window);
    Sleep(100);
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::string pixels(stride * height, '\0');
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
    if (FILE* out = std::fopen(file, "wb")) {
        std::fwrite(&header, sizeof header, 1, out);
        std::fwrite(&info, sizeof info, 1, out);
        std::fwrite(pixels.data(), 1, pixels.size(), out);
        std::fclose(out);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_probe TITLE [SECONDS]\n");
        return 2;
    }
    const DWORD limit = static_cast<DWORD>((argc > 2 ? std::atoi(argv[2]) : 60) * 1000);
    const DWORD start = GetTickCount();
    HWND window = nullptr;
    while (!(window = FindWindowA(nullptr, argv[1]))) {
        if (GetTickCount() - start > limit) {
            std::fprintf(stderr, "no window \"%s\"\n", argv[1]);
            return 1;
        }
        Sleep(20);
    }
    if (argc > 3) Capture(window, argv[3]);
    RECT client;
    GetClientRect(window, &client);
    const HWND owner = GetWindow(window, GW_OWNER);
    std::printf("class %s\n", ClassOf(window).c_str());
    std::printf("client %ldx%ld\n", client.right, client.bottom);
    std::printf("iconic %d\n", IsIconic(window) ? 1 : 0);
    std::printf("owner %s\n", owner ? TextOf(owner).c_str() : "none");
    EnumChildWindows(window, PrintChild, reinterpret_cast<LPARAM>(window));
    std::fflush(stdout);
    return 0;
}
