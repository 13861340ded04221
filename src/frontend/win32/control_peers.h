// The system's own controls over the painted wizard panel: each button, check
// box, radio button, edit, text box and list view under a root gets a child
// window as its peer. A peer is brought up to date when the model tells that its
// control (or a control it lies in) changed, and goes with its control; what the
// user does to it comes back as the user's click, typing (TEdit::UserType),
// tick (TListView::UserSetChecked) or focus. The panel and the labels stay
// painted by the paint code underneath.
#pragma once

#include <map>
#include <set>

#include "controls/form.h"
#include "platform/win32/win32_screen_window.h"

namespace tavlin {

class ControlPeers {
public:
    // Peers for the controls under root, a control of form, as child windows of window.
    ControlPeers(win32::ScreenWindow& window, TForm& form, TWinControl& root);
    // Takes the peers off their controls.
    ~ControlPeers();
    ControlPeers(const ControlPeers&) = delete;
    ControlPeers& operator=(const ControlPeers&) = delete;

    // The model says this control changed.
    void Changed(TControl& control);
    // Makes the peers the root's new controls need and brings those whose
    // control changed up to date; shown only while the form is (formShown).
    // The keyboard focus follows the form's. defaultButton is the button Enter presses.
    void Update(bool formShown, const TControl* defaultButton);
    // Carries a child window's input into the model; false when it did nothing.
    bool Carry(const win32::WindowInput& input);

    // Called by a peer as it goes.
    void Forget(TControl& control);

private:
    class Peer;
    void RefreshChanged(bool formShown, bool all, const TControl* defaultButton);
    void Refresh(TControl& control, Peer& peer, bool formShown);
    void FollowFocus();
    bool ChangedWithin(const TControl& control) const;

    win32::ScreenWindow& window_;
    TForm& form_;
    TWinControl& root_;
    int nextId_ = 100;
    std::map<TControl*, Peer*> peers_;
    std::map<int, TControl*> ids_;
    std::set<const TControl*> changed_;
    bool formShown_ = false;
    bool everything_ = true;
    const TControl* followed_ = nullptr;  // the form's focus when the peers last followed it
};

}  // namespace tavlin
