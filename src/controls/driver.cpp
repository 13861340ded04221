#include "controls/driver.h"

#include <cctype>

#include "controls/form.h"
#include "controls/list_view.h"
#include "controls/std_controls.h"

namespace tavlin {

TControl& ControlDriver::Find(const std::string& name) const {
    if (root_.Name == name) return root_;
    TControl* control = root_.FindChild(name);
    if (!control) throw EDriverError("No control named " + name);
    return *control;
}

bool ControlDriver::Showing(const std::string& name) const {
    if (root_.Name == name) return root_.Showing();
    const TControl* control = root_.FindChild(name);
    return control && control->Showing();
}

TControl& ControlDriver::Reachable(const std::string& name) const {
    TControl& control = Find(name);
    if (!control.Showing()) throw EDriverError(name + " is not on screen");
    for (const TControl* c = &control; c; c = c->Parent()) {
        if (!c->Enabled) throw EDriverError(name + " is disabled");
    }
    return control;
}

void ControlDriver::Click(const std::string& name) {
    TControl& control = Reachable(name);
    application_.Dispatch([&] { control.Click(); });
}

void ControlDriver::Tick(const std::string& name, bool checked) {
    auto* box = dynamic_cast<TCheckBox*>(&Reachable(name));
    if (!box) throw EDriverError(name + " is not a check box");
    if (box->Checked != checked) application_.Dispatch([&] { box->Click(); });
}

void ControlDriver::Choose(const std::string& radioName) {
    auto* radio = dynamic_cast<TRadioButton*>(&Reachable(radioName));
    if (!radio) throw EDriverError(radioName + " is not a radio button");
    application_.Dispatch([&] { radio->Click(); });
}

void ControlDriver::Type(const std::string& editName, const std::string& text) {
    auto* edit = dynamic_cast<TEdit*>(&Reachable(editName));
    if (!edit) throw EDriverError(editName + " is not an edit");
    if (edit->ReadOnly) throw EDriverError(editName + " is read-only");
    application_.Dispatch([&] { edit->UserType(text); });
}

void ControlDriver::MarkRow(const std::string& listName, std::size_t row, bool checked) {
    auto* list = dynamic_cast<TListView*>(&Reachable(listName));
    if (!list) throw EDriverError(listName + " is not a list view");
    if (!list->Checkboxes) throw EDriverError(listName + " has no check boxes");
    if (row >= list->Items.size()) throw EDriverError(listName + " has no row " + std::to_string(row));
    application_.Dispatch([&] { list->UserSetChecked(row, checked); });
}

namespace {
void CollectButtons(const TWinControl& holder, std::vector<TButton*>& buttons) {
    for (TControl* child : holder.Controls()) {
        if (!child->Visible || !child->Enabled) continue;
        if (auto* button = dynamic_cast<TButton*>(child)) buttons.push_back(button);
        if (auto* inner = dynamic_cast<TWinControl*>(child)) CollectButtons(*inner, buttons);
    }
}
}  // namespace

std::vector<TButton*> ControlDriver::ShowingButtons() const {
    std::vector<TButton*> buttons;
    if (root_.Visible && root_.Enabled) CollectButtons(root_, buttons);
    return buttons;
}

bool ControlDriver::PressKey(const TKeyPress& key) {
    auto* form = dynamic_cast<TForm*>(&root_);
    if (!form) throw EDriverError(root_.Name + " is not a form");
    if (!form->Showing()) return false;
    return form->KeyPress(key);
}

bool ControlDriver::PressAccelerator(char letter) {
    if (dynamic_cast<TForm*>(&root_)) return PressKey(TKeyPress{TKeyPress::Key::Character, letter, false, true});
    const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (TButton* button : ShowingButtons()) {
        if (button->Accelerator() == wanted) {
            application_.Dispatch([&] { button->Click(); });
            return true;
        }
    }
    return false;
}

int ControlDriver::FireDueTimers(int limit) {
    int fired = 0;
    while (fired < limit && application_.FireNextTimer()) ++fired;
    return fired;
}

}  // namespace tavlin
