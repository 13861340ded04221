// Drives a form the way a user would, by control names: click a button, tick a
// check box, choose a radio button, type into an edit, mark a list row, press a
// button's accelerator letter, and let due timers fire. Tests and the terminal
// front end act through it; an action on a control the user could not reach (not
// on screen or disabled) is refused, so a test cannot do what a user cannot.
#pragma once

#include <string>

#include "controls/application.h"
#include "controls/control.h"
#include "controls/form.h"
#include "platform/errors.h"

namespace tavlin {

class TButton;

// A driver action that no user could carry out.
class EDriverError : public Exception {
public:
    using Exception::Exception;
};

class ControlDriver {
public:
    ControlDriver(TApplication& application, TWinControl& root) : application_(application), root_(root) {}

    TControl& Find(const std::string& name) const;
    template <typename T>
    T& Get(const std::string& name) const {
        auto* control = dynamic_cast<T*>(&Find(name));
        if (!control) throw EDriverError("Control " + name + " is not of the kind asked for");
        return *control;
    }
    // True when the control exists and is on screen.
    bool Showing(const std::string& name) const;

    // Each user action runs its handlers as the message loop would: an error that
    // escapes them is shown in the standard error box.
    void Click(const std::string& name);
    void Tick(const std::string& name, bool checked);
    void Choose(const std::string& radioName);
    void Type(const std::string& editName, const std::string& text);
    void MarkRow(const std::string& listName, std::size_t row, bool checked);
    // Presses Alt and the letter, as a user does for a button's accelerator (any
    // case); false when no control on screen and enabled answers it.
    bool PressAccelerator(char letter);
    // A key pressed on the form (the root must be one); false when it did nothing.
    bool PressKey(const TKeyPress& key);
    // The enabled buttons on screen, in the order of the form's controls.
    std::vector<TButton*> ShowingButtons() const;

    // Fires enabled timers in order of their due time until none is enabled, at most
    // limit times; returns how many fired.
    int FireDueTimers(int limit = 100);

private:
    TControl& Reachable(const std::string& name) const;

    TApplication& application_;
    TWinControl& root_;
};

}  // namespace tavlin
