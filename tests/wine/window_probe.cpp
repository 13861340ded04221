// window_probe.exe: tells a script what it cannot see from the X server about a
// top-level window of another program under wine.
//   window_probe [--class NAME] TITLE [SECONDS=60] [PICTURE.bmp]
// Waits, polling, for a window of exactly that title (and window class, when
// given: a dialog box's is #32770) up to SECONDS, keeps what
// the screen shows of it in PICTURE.bmp when given (at once: the window may live
// only a moment), then prints
//   class NAME / client WIDTHxHEIGHT / origin X,Y (the client area's top left
//   on the screen) / iconic 0|1 / owner TITLE|none
//   focus CLASS TEXT (the window of its thread with the keyboard focus, if any)
// and one line "child CLASS LEFT,TOP WIDTHxHEIGHT TEXT" per child window, in
// client coordinates. A window that goes before it is read does not count.
// Prints "watching" first, once it is looking. Exits 1 when no such window came.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string ClassOf(HWND window);

// An edit of another process is asked itself, since GetWindowText does not reach
// its text; other windows are not, as their thread may be too busy to answer.
std::string TextOf(HWND window) {
    char text[256] = {};
    if (ClassOf(window) == "Edit") {
        DWORD_PTR length = 0;
        SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                            2000, &length);
    } else {
        GetWindowTextA(window, text, sizeof text);
    }
    // One line per window, whatever a text box holds.
    std::string line = text;
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

std::string ClassOf(HWND window) {
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Appends a line for each direct child of the window whose children are listed.
struct ChildList {
    HWND parent;
    std::string* lines;
};
BOOL CALLBACK PrintChild(HWND child, LPARAM list) {
    const auto& into = *reinterpret_cast<ChildList*>(list);
    if (GetParent(child) != into.parent) return TRUE;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, into.parent, reinterpret_cast<POINT*>(&rect), 2);
    char line[512];
    std::snprintf(line, sizeof line, "child %s %ld,%ld %ldx%ld %s\n", ClassOf(child).c_str(), rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, TextOf(child).c_str());
    *into.lines += line;
    return TRUE;
}

// The window's rectangle of the screen as a 24-bit bitmap file, once it shows.
bool Capture(HWND window, const char* file) {
    for (int i = 0; i < 50 && !IsWindowVisible(window); ++i) Sleep(10);
    UpdateWindow(window);
    Sleep(100);
    // A window that has gone in the meantime leaves no picture, and the test says so.
    RECT rect;
    if (!GetWindowRect(window, &rect)) return false;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return false;
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
    return IsWindow(window);
}

}  // namespace

int main(int argc, char** argv) {
    const char* className = nullptr;
    if (argc > 2 && std::string(argv[1]) == "--class") {
        className = argv[2];
        argv += 2;
        argc -= 2;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_probe [--class NAME] TITLE [SECONDS] [PICTURE.bmp]\n");
        return 2;
    }
    const DWORD limit = static_cast<DWORD>((argc > 2 ? std::atoi(argv[2]) : 60) * 1000);
    // The test starts the program it watches only once the probe runs, since a
    // short-lived window can come and go while wine is still starting the probe.
    std::printf("watching\n");
    std::fflush(stdout);
    const DWORD start = GetTickCount();
    // A window of that title that goes before it has been read (a brief one of an
    // earlier step) does not count: the probe looks for the next one.
    for (;;) {
        HWND window = nullptr;
        while (!(window = FindWindowA(className, argv[1]))) {
            if (GetTickCount() - start > limit) {
                std::fprintf(stderr, "no window \"%s\"\n", argv[1]);
                return 1;
            }
            Sleep(20);
        }
        if (argc > 3 && !Capture(window, argv[3])) continue;
        RECT client;
        GetClientRect(window, &client);
        const HWND owner = GetWindow(window, GW_OWNER);
        std::string report = "class " + ClassOf(window) + "\n";
        report += "client " + std::to_string(client.right) + "x" + std::to_string(client.bottom) + "\n";
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        report += "origin " + std::to_string(origin.x) + "," + std::to_string(origin.y) + "\n";
        report += "iconic " + std::string(IsIconic(window) ? "1" : "0") + "\n";
        report += "owner " + (owner ? TextOf(owner) : std::string("none")) + "\n";
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui) && gui.hwndFocus) {
            report += "focus " + ClassOf(gui.hwndFocus) + " " + TextOf(gui.hwndFocus) + "\n";
        }
        std::string children;
        ChildList list{window, &children};
        EnumChildWindows(window, PrintChild, reinterpret_cast<LPARAM>(&list));
        if (!IsWindow(window)) continue;
        std::fputs((report + children).c_str(), stdout);
        std::fflush(stdout);
        break;
    }
    return 0;
}
