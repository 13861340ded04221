// The system's own controls as child windows of the screen window: push
// buttons, check boxes, radio buttons, edits, read-only multi-line edits with a
// vertical scroll bar and the report list view with check boxes and small
// icons. What the user does to them comes back to the screen window as
// WindowInput of kind Child; changes made here by code are not reported back.
// This header keeps <windows.h> out of its users.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/win32_screen_window.h"

namespace tavlin::win32 {

enum class ChildKind { PushButton, CheckBox, RadioButton, Edit, ReadOnlyText, ListView };

struct ChildColumn {
    std::string caption;
    int width = 50;
    bool operator==(const ChildColumn&) const = default;
};

struct ChildRow {
    std::string caption;
    std::vector<std::string> subItems;
    int image = -1;
    bool checked = false;
    bool operator==(const ChildRow&) const = default;
};

class ChildWindow {
public:
    // A hidden child of the screen window; id comes back with its inputs.
    ChildWindow(ScreenWindow& parent, ChildKind kind, int id);
    ~ChildWindow();
    ChildWindow(const ChildWindow&) = delete;
    ChildWindow& operator=(const ChildWindow&) = delete;

    ChildKind kind() const { return kind_; }
    // The rectangle it covers, in the screen window's client coordinates.
    SurfaceRect bounds() const { return bounds_; }

    // Each setter leaves the window alone when the value is what it shows.
    // Placed at rect, showing only the part inside shown (the rest shows what
    // is painted behind it).
    void setBounds(const SurfaceRect& rect, const SurfaceRect& shown);
    void setVisible(bool visible);
    void setEnabled(bool enabled);
    void setText(const std::string& text);
    std::string text() const;
    void setFont(const SurfaceFont& font);
    void setChecked(bool checked);
    // A check box or radio button drawn on this background (0x00BBGGRR) with its
    // caption in this colour, as on the panel it lies on.
    void setColours(std::uint32_t background, std::uint32_t text);
    // A push button drawn with the heavy frame of the button Enter presses.
    void setDefault(bool isDefault);
    void focus();
    bool focused() const;

    // The list view: a shared image list of small icons (not owned), the columns
    // and the rows with their check boxes.
    void setImageList(std::uintptr_t images);
    void setColumns(const std::vector<ChildColumn>& columns);
    void setRows(const std::vector<ChildRow>& rows, bool checkboxes);

    // Whether a window of the platform, given by its handle, is this one.
    std::uintptr_t handle() const;

    // The window procedure's hold on the object.
    struct State;

private:
    ScreenWindow* parent_ = nullptr;
    ChildKind kind_;
    SurfaceRect bounds_, shown_;
    std::unique_ptr<State> state_;
};

// The screen window's window procedure asks these for the messages its children
// send it. What the user did to a child, as input; false when the message is no
// such notice or was caused by code.
bool ChildInput(unsigned message, std::uintptr_t wParam, std::intptr_t lParam, WindowInput& input);
// The brush a child is painted on, for WM_CTLCOLOR messages; 0 for the default.
std::intptr_t ChildBackground(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace tavlin::win32
