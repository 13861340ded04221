// window_probe.exe: tells a script what it cannot see from the X server about a
// top-level window of another program under wine.
//   window_probe TITLE [SECONDS=60]
// Waits, polling, for a window of exactly that title (up to SECONDS), then prints
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
