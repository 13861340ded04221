// Drives a modal dialog from a second thread, as a user would: waits for a top
// window with a given caption, then acts on it. The dialog under test runs on the
// test's own thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace tavlin::win32test {

class DialogDriver {
public:
    // Starts waiting for the window; action runs once with its handle.
    DialogDriver(std::string caption, std::function<void(HWND)> action);
    // Joins the thread; gives up waiting after a few seconds.
    ~DialogDriver();

    // True when the window was seen and acted on.
    bool acted() const { return acted_; }

    // A child control of a dialog by class and text (nullptr text: any).
    static HWND child(HWND dialog, const char* className, const char* text);
    // Presses a push button the way a click does.
    static void click(HWND button);

private:
    std::string caption_;
    std::function<void(HWND)> action_;
    std::atomic<bool> acted_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// True when windows can be created here (wine needs a display).
bool windowsAvailable();

}  // namespace tavlin::win32test
