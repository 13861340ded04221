// dialog_probe.exe: opens one of the platform's run-time dialogs through the real
// Win32 backend, so that a script can drive it from outside with the X server's
// keyboard and mouse, and reports what the script cannot see from there.
//   dialog_probe choice CAPTION TEXT       the Yes / No / All box
//   dialog_probe message BUTTONS CAPTION TEXT  a message box with the buttons
//                                          ok, okcancel or abortretryignore
//   dialog_probe input CAPTION PROMPT TEXT  the input box
//   dialog_probe progress CAPTION          the progress window, modeless, its
//                                          messages run by the program's pump
//   dialog_probe icon FILE                 the first icon of a program file
// While a dialog is open a watcher thread prints, once, its window, the text
// control's and the buttons' screen rectangles, whether it is the foreground
// and active window and which control has the keyboard focus; the answer (for
// the progress window: the first request) follows when the dialog closes. "\r" and "\n"
// in the arguments stand for the line breaks.
#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_progress_window.h"
#include "platform/win32/win32_system.h"

namespace {

std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'r' || text[i + 1] == 'n')) {
            out += text[i + 1] == 'r' ? '\r' : '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void printRect(const char* what, HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("%s %ld %ld %ld %ld\n", what, r.left, r.top, r.right, r.bottom);
}

struct Search {
    std::string text;
    HWND found = nullptr;
};

BOOL CALLBACK findChildByText(HWND child, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    char buffer[1024] = {};
    GetWindowTextA(child, buffer, sizeof buffer);
    if (search.text == buffer) {
        search.found = child;
        return FALSE;
    }
    return TRUE;
}

HWND childWithText(HWND parent, const std::string& text) {
    Search search{text};
    EnumChildWindows(parent, findChildByText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits (at most 20 s) for a visible window of this process with the caption,
// then reports it.
void watch(std::string caption, std::string text, const char* const* buttons) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        const HWND box = FindWindowA(nullptr, caption.c_str());
        if (box && IsWindowVisible(box)) {
            // The box brings itself to the front in its initialisation; let the
            // window manager's side of that arrive.
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            GUITHREADINFO gui{};
            gui.cbSize = sizeof gui;
            GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &gui);
            std::printf("window %p\n", static_cast<void*>(box));
            printRect("frame", box);
            if (const HWND label = childWithText(box, text)) printRect("text", label);
            for (; *buttons; ++buttons) {
                if (const HWND button = childWithText(box, *buttons)) printRect(*buttons, button);
            }
            std::printf("foreground %d\n", GetForegroundWindow() == box ? 1 : 0);
            std::printf("active %d\n", gui.hwndActive == box ? 1 : 0);
            if (gui.hwndFocus) {
                char name[64] = {}, label[256] = {};
                GetClassNameA(gui.hwndFocus, name, sizeof name);
                GetWindowTextA(gui.hwndFocus, label, sizeof label);
                std::printf("focus %s %s\n", name, label);
            }
            std::printf("ready\n");
            std::fflush(stdout);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::printf("no window\n");
    std::fflush(stdout);
}

const char* nameOf(tavlin::MessageResult result) {
    switch (result) {
    case tavlin::MessageResult::Ok: return "Ok";
    case tavlin::MessageResult::Cancel: return "Cancel";
    case tavlin::MessageResult::Yes: return "Yes";
    case tavlin::MessageResult::No: return "No";
    case tavlin::MessageResult::All: return "All";
    case tavlin::MessageResult::Abort: return "Abort";
    case tavlin::MessageResult::Retry: return "Retry";
    case tavlin::MessageResult::Ignore: return "Ignore";
    }
    return "?";
}

// Draws the program's first large icon into a 32-bit bitmap and prints the
// colours at a few points of its 48-pixel design grid.
int probeIcon(const std::string& file) {
    HICON large = nullptr;
    const UINT count = ExtractIconExA(file.c_str(), -1, nullptr, nullptr, 0);
    std::printf("icons %u\n", count);
    if (count == 0 || ExtractIconExA(file.c_str(), 0, &large, nullptr, 1) == 0 || !large) return 1;
    const int size = GetSystemMetrics(SM_CXICON);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, large, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const struct {
        const char* name;
        int x, y;
    } points[] = {{"arrow", 24, 10}, {"box", 10, 26}, {"bar", 24, 37}, {"corner", 1, 1}};
    for (const auto& point : points) {
        const int x = point.x * size / 48;
        const int y = point.y * size / 48;
        const auto pixel = static_cast<const DWORD*>(bits)[y * size + x];
        std::printf("%s %06lx\n", point.name, static_cast<unsigned long>(pixel & 0xFFFFFF));
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DestroyIcon(large);
    return 0;
}

// The progress window as the setup lays it out, shown until the user asks for
// something (at most 30 s); prints that request.
int probeProgress(const std::string& caption) {
    tavlin::win32::ProgressWindowLayout layout;
    layout.clientWidth = 450;
    layout.clientHeight = 152;
    layout.animation = {8, 8, 280, 68};
    layout.status1 = {9, 80, 9, 96};
    layout.status2 = {9, 99, 9, 115};
    layout.bar = {8, 120, 353, 136};
    layout.cancel = {365, 120, 440, 145};
    layout.font.name = "MS Sans Serif";
    layout.font.height = -11;
    layout.cancelCaption = "Cancel";
    tavlin::win32::ProgressWindow window(0, layout, 200, 200);
    window.setCaption(caption);
    window.setStatus(1, "Copying files");
    window.show(true);
    static const char* const buttons[] = {"Cancel", nullptr};
    std::thread watcher(watch, caption, "Copying files", buttons);
    using Request = tavlin::win32::ProgressWindow::Request;
    Request request = Request::None;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (request == Request::None && std::chrono::steady_clock::now() < deadline) {
        if (!tavlin::win32::RunPendingMessages()) break;
        request = window.takeRequest();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    watcher.join();
    std::printf("answer %s\n", request == Request::Cancel     ? "Cancel"
                                : request == Request::CloseBox ? "CloseBox"
                                                               : "None");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "icon" && argc == 3) return probeIcon(argv[2]);

    tavlin::win32::Win32Platform platform;
    if (mode == "choice" && argc == 4) {
        static const char* const buttons[] = {"&Yes", "&No", "&All", nullptr};
        const std::string text = unescaped(argv[3]);
        std::thread watcher(watch, argv[2], text, buttons);
        const auto answer = platform.dialogs().messageBox(text, argv[2], tavlin::MessageButtons::YesNoAll,
                                                          tavlin::MessageKind::Confirmation,
                                                          tavlin::MessageResult::Yes);
        watcher.join();
        std::printf("answer %s\n", nameOf(answer));
        return 0;
    }
    if (mode == "input" && argc == 5) {
        static const char* const buttons[] = {"OK", "Cancel", nullptr};
        const std::string prompt = unescaped(argv[3]);
        std::string text = argv[4];
        std::thread watcher(watch, argv[2], prompt, buttons);
        const bool ok = platform.dialogs().inputBox(argv[2], prompt, text);
        watcher.join();
        std::printf("answer %s %s\n", ok ? "OK" : "Cancel", text.c_str());
        return 0;
    }
    if (mode == "message" && argc == 5) {
        const std::string kind = argv[2];
        const auto buttons = kind == "okcancel"           ? tavlin::MessageButtons::OkCancel
                             : kind == "abortretryignore" ? tavlin::MessageButtons::AbortRetryIgnore
                                                          : tavlin::MessageButtons::Ok;
        static const char* const captions[] = {"OK", "Cancel", "&Abort", "&Retry", "&Ignore", nullptr};
        const std::string text = unescaped(argv[4]);
        std::thread watcher(watch, argv[3], text, captions);
        const auto answer = platform.dialogs().messageBox(text, argv[3], buttons, tavlin::MessageKind::Error,
                                                          tavlin::MessageResult::Ok);
        watcher.join();
        std::printf("answer %s\n", nameOf(answer));
        return 0;
    }
    if (mode == "progress" && argc == 3) return probeProgress(argv[2]);
    std::fprintf(stderr,
                 "usage: dialog_probe choice CAPTION TEXT | message BUTTONS CAPTION TEXT | input CAPTION PROMPT TEXT"
                 " | progress CAPTION | icon FILE\n");
    return 2;
}
