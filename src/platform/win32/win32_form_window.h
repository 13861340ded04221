// A small top-level window that shows nothing but its caption: the expansion
// form, which stands minimised in the task bar while the files are expanded. It
// has a fixed border and no title-bar buttons, so the user cannot close it.
#pragma once

#include <cstdint>
#include <string>

namespace tavlin::win32 {

class FormWindow {
public:
    // Not yet shown; left, top, width and height are the outer frame's.
    FormWindow(const std::string& caption, int left, int top, int width, int height);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    std::uintptr_t handle() const;
    void setCaption(const std::string& caption);
    // Minimised windows show without taking the activation from the setup's screen.
    void show(bool visible, bool minimized);

private:
    void* window_ = nullptr;
};

}  // namespace tavlin::win32
