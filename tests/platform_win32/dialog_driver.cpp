// Finding a dialog by caption and pressing its buttons from another thread.
#include "platform_win32/dialog_driver.h"

#include <chrono>

namespace tavlin::win32test {

DialogDriver::DialogDriver(std::string caption, std::function<void(HWND)> action)
    : caption_(std::move(caption)), action_(std::move(action)) {
    thread_ = std::thread([this] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            const HWND window = FindWindowA(nullptr, caption_.c_str());
            if (window && IsWindowVisible(window)) {
                // Give the dialog time to finish its initialisation.
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                // Set first: the action may end the dialog, and the test thread
                // reads acted() as soon as the dialog returns.
                acted_ = true;
                action_(window);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
}

DialogDriver::~DialogDriver() {
    stop_ = true;
    thread_.join();
}

HWND DialogDriver::child(HWND dialog, const char* className, const char* text) {
    return FindWindowExA(dialog, nullptr, className, text);
}

void DialogDriver::click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

bool windowsAvailable() {
    const HWND probe = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
    if (!probe) return false;
    DestroyWindow(probe);
    return true;
}

}  // namespace tavlin::win32test
