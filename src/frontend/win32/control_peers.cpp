#include "frontend/win32/control_peers.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "controls/folder_edit.h"
#include "controls/list_view.h"
#include "controls/notebook.h"
#include "controls/picture_controls.h"
#include "controls/std_controls.h"
#include "frontend/win32/gdi_canvas.h"
#include "paint/system_colours.h"
#include "platform/win32/win32_child_windows.h"

namespace tavlin {

using win32::ChildKind;
using win32::ChildWindow;

class ControlPeers::Peer : public TControlPeer {
public:
    Peer(ControlPeers& owner, TControl& control) : owner_(owner), control_(control) {}
    ~Peer() override { owner_.Forget(control_); }

    std::unique_ptr<ChildWindow> window;
    // The folder edit's browse button.
    std::unique_ptr<ChildWindow> browse;

private:
    ControlPeers& owner_;
    TControl& control_;
};

namespace {

// The kind of system control that shows a model control; false for those that
// stay painted.
bool KindOf(const TControl& control, ChildKind& kind) {
    if (dynamic_cast<const TEdit*>(&control)) {
        kind = ChildKind::Edit;
    } else if (dynamic_cast<const TMemo*>(&control)) {
        kind = ChildKind::ReadOnlyText;
    } else if (dynamic_cast<const TListView*>(&control)) {
        kind = ChildKind::ListView;
    } else if (dynamic_cast<const TButton*>(&control)) {
        kind = ChildKind::PushButton;
    } else if (dynamic_cast<const TCheckBox*>(&control)) {
        kind = ChildKind::CheckBox;
    } else if (dynamic_cast<const TRadioButton*>(&control)) {
        kind = ChildKind::RadioButton;
    } else {
        return false;
    }
    return true;
}

// The control's top-left corner in the form's client area, and whether it lies
// on the form at all.
bool PlaceOf(const TControl& control, const TForm& form, TPoint& place) {
    place = {};
    for (const TControl* c = &control; c; c = c->Parent()) {
        if (c == &form) return true;
        place.x += c->Left;
        place.y += c->Top;
    }
    return false;
}

// The part of a control the paint code shows, in the form's coordinates: each
// parent clips its children, and a panel with aligned children paints its
// bevels and border again over them.
win32::SurfaceRect ShownPart(const TControl& control, const TForm& form, win32::SurfaceRect rect) {
    for (const TControl* c = control.Parent(); c && c != &form; c = c->Parent()) {
        TPoint origin;
        PlaceOf(*c, form, origin);
        int inset = 0;
        const auto* panel = dynamic_cast<const TPanel*>(c);
        if (panel && !dynamic_cast<const TNotebook*>(panel->Parent()) && !dynamic_cast<const TGradPan*>(panel) &&
            std::any_of(panel->Controls().begin(), panel->Controls().end(),
                        [](const TControl* child) { return child->Visible && child->Align != TAlign::alNone; })) {
            if (panel->BevelOuter != TBevelCut::bvNone) inset += panel->BevelWidth;
            inset += panel->BorderWidth;
            if (panel->BevelInner != TBevelCut::bvNone) inset += panel->BevelWidth;
        }
        rect.left = std::max(rect.left, origin.x + inset);
        rect.top = std::max(rect.top, origin.y + inset);
        rect.right = std::min(rect.right, origin.x + c->Width - inset);
        rect.bottom = std::min(rect.bottom, origin.y + c->Height - inset);
    }
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    return rect;
}

bool EnabledWithParents(const TControl& control) {
    for (const TControl* c = &control; c; c = c->Parent()) {
        if (!c->Enabled) return false;
    }
    return true;
}

// The colour the paint code leaves under a box's caption: the face of the
// nearest panel or form it lies on (a notebook's pages and group boxes have
// no face of their own).
TColor BehindColour(const TControl& control) {
    for (const TControl* c = control.Parent(); c; c = c->Parent()) {
        if (dynamic_cast<const TForm*>(c)) return c->Color;
        if (dynamic_cast<const TPanel*>(c) && !dynamic_cast<const TNotebook*>(c->Parent())) return c->Color;
    }
    return clBtnFace;
}

bool IsBox(const TControl& control) {
    return dynamic_cast<const TCheckBox*>(&control) || dynamic_cast<const TRadioButton*>(&control);
}

std::string MemoText(const TMemo& memo) {
    std::string text;
    for (const std::string& line : memo.Lines) {
        if (!text.empty()) text += "\r\n";
        text += line;
    }
    return text;
}

void Collect(TWinControl& holder, std::vector<TControl*>& out) {
    for (TControl* child : holder.Controls()) {
        out.push_back(child);
        if (auto* inner = dynamic_cast<TWinControl*>(child)) Collect(*inner, out);
    }
}

}  // namespace

ControlPeers::ControlPeers(win32::ScreenWindow& window, TForm& form, TWinControl& root)
    : window_(window), form_(form), root_(root) {}

ControlPeers::~ControlPeers() {
    const auto peers = peers_;
    for (const auto& [control, peer] : peers) control->Peer.reset();
}

void ControlPeers::Forget(TControl& control) {
    peers_.erase(&control);
    std::erase_if(ids_, [&control](const auto& entry) { return entry.second == &control; });
}

void ControlPeers::Changed(TControl& control) { changed_.insert(&control); }

bool ControlPeers::ChangedWithin(const TControl& control) const {
    for (const TControl* c = &control; c; c = c->Parent()) {
        if (changed_.count(c)) return true;
    }
    return false;
}

void ControlPeers::Update(bool formShown, const TControl* defaultButton) {
    const bool all = everything_ || formShown != formShown_;
    const bool refresh = all || !changed_.empty();
    if (refresh) RefreshChanged(formShown, all, defaultButton);
    // Tab moves the form's focus without changing a control. Otherwise the focus
    // is left where the user put it, on a window the form knows nothing of (the
    // browse button, whose click taking the focus away would lose).
    if (refresh || form_.ActiveControl() != followed_) FollowFocus();
}

void ControlPeers::RefreshChanged(bool formShown, bool all, const TControl* defaultButton) {
    formShown_ = formShown;
    everything_ = false;
    std::vector<TControl*> controls;
    Collect(root_, controls);
    for (TControl* control : controls) {
        ChildKind kind;
        if (!KindOf(*control, kind)) continue;
        const bool fresh = !control->Peer;
        if (fresh) {
            auto peer = std::make_unique<Peer>(*this, *control);
            const int id = nextId_;
            nextId_ += 2;
            peer->window = std::make_unique<ChildWindow>(window_, kind, id);
            ids_[id] = control;
            if (dynamic_cast<TFolderEdit*>(control)) {
                peer->browse = std::make_unique<ChildWindow>(window_, ChildKind::PushButton, id + 1);
                peer->browse->setText("...");
                ids_[id + 1] = control;
            }
            peers_[control] = peer.get();
            control->Peer = std::move(peer);
        }
        auto* peer = dynamic_cast<Peer*>(control->Peer.get());
        if (!peer) continue;  // another front end's
        if (kind == ChildKind::PushButton) peer->window->setDefault(control == defaultButton);
        if (fresh || all || ChangedWithin(*control)) Refresh(*control, *peer, formShown);
    }
    changed_.clear();
}

void ControlPeers::FollowFocus() {
    // The keyboard focus is where the form has it.
    TControl* active = form_.ActiveControl();
    followed_ = active;
    if (auto found = active ? peers_.find(active) : peers_.end(); found != peers_.end() && active->Showing()) {
        found->second->window->focus();
    } else {
        for (const auto& [control, peer] : peers_) {
            if (peer->window->focused() || (peer->browse && peer->browse->focused())) {
                window_.focus();
                break;
            }
        }
    }
}

void ControlPeers::Refresh(TControl& control, Peer& peer, bool formShown) {
    ChildWindow& window = *peer.window;
    TPoint place;
    const bool onForm = PlaceOf(control, form_, place);
    const bool visible = formShown && onForm && control.Showing();
    const bool enabled = EnabledWithParents(control);
    window.setFont(SurfaceFontOf(control.Font));
    window.setEnabled(enabled);
    const win32::SurfaceRect whole{place.x, place.y, place.x + control.Width, place.y + control.Height};
    const auto put = [this, &control](ChildWindow& child, const win32::SurfaceRect& rect) {
        child.setBounds(rect, ShownPart(control, form_, rect));
    };
    if (auto* folder = dynamic_cast<TFolderEdit*>(&control)) {
        // As painted: the field, a gap of two pixels, the square browse button.
        const int buttonWidth = std::min<int>(folder->Width, folder->Height + 2);
        put(window, {whole.left, whole.top, whole.right - buttonWidth - 2, whole.bottom});
        window.setText(folder->Text);
        peer.browse->setFont(SurfaceFontOf(control.Font));
        peer.browse->setEnabled(enabled);
        put(*peer.browse, {whole.right - buttonWidth, whole.top, whole.right, whole.bottom});
        peer.browse->setVisible(visible);
    } else if (auto* edit = dynamic_cast<TEdit*>(&control)) {
        put(window, whole);
        window.setText(edit->Text);
    } else if (auto* memo = dynamic_cast<TMemo*>(&control)) {
        put(window, whole);
        window.setText(MemoText(*memo));
    } else if (auto* list = dynamic_cast<TListView*>(&control)) {
        put(window, whole);
        window.setImageList(list->SmallImages);
        std::vector<win32::ChildColumn> columns;
        const std::vector<TListColumn>& modelColumns = list->Columns;
        for (const TListColumn& column : modelColumns) columns.push_back({column.Caption, column.Width});
        window.setColumns(columns);
        std::vector<win32::ChildRow> rows;
        for (const TListItem& item : list->Items) rows.push_back({item.Caption, item.SubItems, item.ImageIndex, item.Checked});
        window.setRows(rows, list->Checkboxes);
    } else {
        put(window, whole);
        window.setText(control.Caption);
        if (IsBox(control)) window.setColours(PlainColour(BehindColour(control)), PlainColour(control.Font.Color));
        if (auto* box = dynamic_cast<TCheckBox*>(&control)) window.setChecked(box->Checked);
        if (auto* radio = dynamic_cast<TRadioButton*>(&control)) window.setChecked(radio->Checked());
    }
    window.setVisible(visible);
}

bool ControlPeers::Carry(const win32::WindowInput& input) {
    const auto found = ids_.find(input.child);
    if (found == ids_.end()) return false;
    TControl& control = *found->second;
    TApplication& app = form_.Application;
    const bool browse = input.child % 2 == 1;
    switch (input.event) {
        case win32::ChildEvent::Focused:
            return !browse && form_.SetFocus(control);
        case win32::ChildEvent::Clicked:
            if (auto* folder = dynamic_cast<TFolderEdit*>(&control)) {
                return browse && app.Dispatch([folder] { folder->Browse(); });
            }
            if (!EnabledWithParents(control)) return false;
            if (control.TabStop) form_.SetFocus(control);
            return app.Dispatch([&control] { control.Click(); });
        case win32::ChildEvent::Changed: {
            auto* edit = dynamic_cast<TEdit*>(&control);
            auto* peer = peers_.count(&control) ? peers_.at(&control) : nullptr;
            if (!edit || !peer) return false;
            const std::string typed = peer->window->text();
            if (typed == static_cast<const std::string&>(edit->Text)) return false;
            return app.Dispatch([edit, typed] { edit->UserType(typed); });
        }
        case win32::ChildEvent::RowChecked: {
            auto* list = dynamic_cast<TListView*>(&control);
            if (!list || input.row < 0 || static_cast<std::size_t>(input.row) >= list->Items.size()) return false;
            const auto row = static_cast<std::size_t>(input.row);
            if (list->Items[row].Checked == input.checked) return false;
            return app.Dispatch([list, row, checked = input.checked] { list->UserSetChecked(row, checked); });
        }
    }
    return false;
}

}  // namespace tavlin
