// The keyboard on a form: focus and tab order, accelerators, the default and
// cancel buttons, and typing into the focused edit. Every key ends in the same
// calls a mouse click or the user's typing makes, so a front end, the test
// driver and the terminal share one path.
#include <cctype>

#include "controls/form.h"
#include "controls/list_view.h"
#include "controls/std_controls.h"

namespace tavlin {

namespace {

// On screen and enabled, with every parent.
bool Usable(const TControl& control) {
    if (!control.Showing()) return false;
    for (const TControl* c = &control; c; c = c->Parent()) {
        if (!c->Enabled) return false;
    }
    return true;
}

bool Focusable(const TControl& control) { return control.TabStop && Usable(control); }

bool Clickable(const TControl& control) {
    return dynamic_cast<const TButton*>(&control) || dynamic_cast<const TCheckBox*>(&control) ||
           dynamic_cast<const TRadioButton*>(&control);
}

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

TControl* TForm::ActiveControl() const { return focused_; }

bool TForm::SetFocus(TControl& control) {
    if (!Focusable(control)) return false;
    for (const TControl* c = control.Parent(); c != this; c = c->Parent()) {
        if (!c) return false;  // not on this form
    }
    focused_ = &control;
    return true;
}

bool TForm::FocusNext(bool backwards) {
    std::vector<TControl*> order;
    for (TControl* control : TabSequence()) {
        if (Focusable(*control)) order.push_back(control);
    }
    if (order.empty()) return false;
    std::size_t at = order.size();
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == focused_) at = i;
    }
    std::size_t next;
    if (at == order.size()) {
        next = backwards ? order.size() - 1 : 0;  // nothing focused yet: start at an end
    } else {
        next = backwards ? (at + order.size() - 1) % order.size() : (at + 1) % order.size();
    }
    focused_ = order[next];
    return true;
}

bool TForm::KeyPress(const TKeyPress& key) {
    using Key = TKeyPress::Key;
    TControl* focused = focused_ && Usable(*focused_) ? focused_ : nullptr;
    auto click = [this](TControl& control) {
        Application.Dispatch([&control] { control.Click(); });
        return true;
    };
    auto edit = focused ? dynamic_cast<TEdit*>(focused) : nullptr;

    auto accelerator = [&](char letter) {
        const char wanted = Upper(letter);
        for (TControl* control : TabSequence()) {
            if (!Usable(*control) || !Clickable(*control)) continue;
            if (AcceleratorOf(control->Caption) != wanted) continue;
            if (control->TabStop) focused_ = control;
            return click(*control);
        }
        return false;
    };
    auto findButton = [this](bool cancel) -> TButton* {
        for (TControl* control : TabSequence()) {
            auto* button = dynamic_cast<TButton*>(control);
            if (button && Usable(*button) && (cancel ? button->Cancel : button->Default)) return button;
        }
        return nullptr;
    };

    switch (key.key) {
        case Key::Tab: return FocusNext(key.shift);
        case Key::Enter: {
            if (auto* button = dynamic_cast<TButton*>(focused)) return click(*button);
            TButton* button = findButton(false);
            return button && click(*button);
        }
        case Key::Escape: {
            TButton* button = findButton(true);
            return button && click(*button);
        }
        case Key::Space:
            if (focused && Clickable(*focused)) return click(*focused);
            if (edit) break;  // a blank typed into the edit
            return false;
        case Key::Backspace:
            if (!edit || edit->ReadOnly || edit->Text.empty()) return false;
            Application.Dispatch([edit] { edit->UserType(edit->Text.substr(0, edit->Text.size() - 1)); });
            return true;
        case Key::Character:
            if (key.alt || !edit) return key.character != 0 && accelerator(key.character);
            break;
    }
    // A character typed into the focused edit.
    if (!edit || edit->ReadOnly) return false;
    const char typed = key.key == Key::Space ? ' ' : key.character;
    if (typed == 0) return false;
    Application.Dispatch([edit, typed] { edit->UserType(edit->Text + std::string(1, typed)); });
    return true;
}

}  // namespace tavlin
