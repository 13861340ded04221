#include "platform/win32/win32_child_windows.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/win32_error.h"

namespace tavlin::win32 {

namespace {

// Set on a child while code changes it, so that the notices it sends its parent
// meanwhile are not taken for the user's doing.
constexpr const char* kQuietProperty = "TavlinQuiet";
// A box's own background brush and caption colour (plus one, so that black is
// not mistaken for none).
constexpr const char* kBrushProperty = "TavlinBrush";
constexpr const char* kTextProperty = "TavlinText";

class Quiet {
public:
    explicit Quiet(HWND window) : window_(window) { SetPropA(window_, kQuietProperty, reinterpret_cast<HANDLE>(1)); }
    ~Quiet() { RemovePropA(window_, kQuietProperty); }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    HWND window_;
};

bool IsQuiet(HWND window) { return GetPropA(window, kQuietProperty) != nullptr; }

bool IsEdit(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, WC_EDITA) == 0;
}

}  // namespace

struct ChildWindow::State {
    HWND window = nullptr;
    ChildKind kind = ChildKind::PushButton;
    bool visible = false;
    bool enabled = true;
    bool checked = false;
    bool isDefault = false;
    bool hasFont = false;
    SurfaceFont font;
    std::string text;
    std::uintptr_t images = 0;
    std::vector<ChildColumn> columns;
    std::vector<ChildRow> rows;
    bool checkboxes = false;
    bool hasColours = false;
    std::uint32_t background = 0, textColour = 0;
    HBRUSH brush = nullptr;
};

namespace {

// Keys that belong to the form rather than the control: Tab, Enter, Esc and
// accelerators go to the screen window, which hands them to the model. Off an
// edit a letter is an accelerator too; Space stays with buttons, boxes and lists,
// which click or tick on it themselves.
LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    const auto* state = reinterpret_cast<const ChildWindow::State*>(data);
    if (message == WM_SYSCHAR) return SendMessageA(GetParent(window), message, wParam, lParam);
    if (message == WM_CHAR) {
        const char c = static_cast<char>(wParam);
        bool forward = c == '\t' || c == '\r' || c == '\x1b';
        if (!forward && state->kind != ChildKind::Edit) forward = c != ' ';
        if (forward) return SendMessageA(GetParent(window), message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, ChildProc, 0);
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

ChildWindow::ChildWindow(ScreenWindow& parent, ChildKind kind, int id) : kind_(kind), state_(std::make_unique<State>()) {
    state_->kind = kind;
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)initialised;
    const char* className = WC_BUTTONA;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD extended = 0;
    switch (kind) {
        case ChildKind::PushButton: style |= WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY; break;
        case ChildKind::CheckBox: style |= WS_TABSTOP | BS_CHECKBOX | BS_NOTIFY; break;
        case ChildKind::RadioButton: style |= WS_TABSTOP | BS_RADIOBUTTON | BS_NOTIFY; break;
        case ChildKind::Edit:
            className = WC_EDITA;
            style |= WS_TABSTOP | ES_AUTOHSCROLL;
            extended = WS_EX_CLIENTEDGE;
            break;
        case ChildKind::ReadOnlyText:
            className = WC_EDITA;
            style |= WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
            extended = WS_EX_CLIENTEDGE;
            break;
        case ChildKind::ListView:
            className = WC_LISTVIEWA;
            style |= WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS | LVS_SINGLESEL | LVS_NOSORTHEADER;
            extended = WS_EX_CLIENTEDGE;
            break;
    }
    const auto parentWindow = reinterpret_cast<HWND>(parent.handle());
    state_->window = CreateWindowExA(extended, className, "", style, 0, 0, 0, 0, parentWindow,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                     nullptr);
    if (!state_->window) throw lastOSError("CreateWindowExA");
    parent_ = &parent;
    SetWindowSubclass(state_->window, ChildProc, 0, reinterpret_cast<DWORD_PTR>(state_.get()));
    if (kind == ChildKind::ListView) {
        SendMessageA(state_->window, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    }
}

ChildWindow::~ChildWindow() {
    if (IsWindow(state_->window)) {
        RemovePropA(state_->window, kBrushProperty);
        RemovePropA(state_->window, kTextProperty);
        DestroyWindow(state_->window);
    }
    if (state_->brush) DeleteObject(state_->brush);
}

std::uintptr_t ChildWindow::handle() const { return reinterpret_cast<std::uintptr_t>(state_->window); }

void ChildWindow::setBounds(const SurfaceRect& rect, const SurfaceRect& shown) {
    const auto same = [](const SurfaceRect& a, const SurfaceRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    if (same(rect, bounds_) && same(shown, shown_)) return;
    bounds_ = rect;
    shown_ = shown;
    Quiet quiet(state_->window);
    MoveWindow(state_->window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    // The window owns the region once it is set.
    HRGN region = same(rect, shown) ? nullptr
                                    : CreateRectRgn(shown.left - rect.left, shown.top - rect.top,
                                                    shown.right - rect.left, shown.bottom - rect.top);
    SetWindowRgn(state_->window, region, TRUE);
}

void ChildWindow::setVisible(bool visible) {
    if (visible == state_->visible) return;
    state_->visible = visible;
    Quiet quiet(state_->window);
    ShowWindow(state_->window, visible ? SW_SHOWNA : SW_HIDE);
}

void ChildWindow::setEnabled(bool enabled) {
    if (enabled == state_->enabled) return;
    state_->enabled = enabled;
    Quiet quiet(state_->window);
    EnableWindow(state_->window, enabled);
}

void ChildWindow::setText(const std::string& text) {
    if (text == state_->text) return;
    state_->text = text;
    // The user's typing has already put this text there: setting it again would
    // move the caret.
    if (this->text() == text) return;
    Quiet quiet(state_->window);
    SetWindowTextA(state_->window, text.c_str());
}

std::string ChildWindow::text() const {
    const int length = GetWindowTextLengthA(state_->window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(state_->window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

void ChildWindow::setFont(const SurfaceFont& font) {
    if (state_->hasFont && !(font < state_->font) && !(state_->font < font)) return;
    state_->hasFont = true;
    state_->font = font;
    Quiet quiet(state_->window);
    SendMessageA(state_->window, WM_SETFONT, static_cast<WPARAM>(parent_->font(font)), TRUE);
}

void ChildWindow::setChecked(bool checked) {
    if (checked == state_->checked) return;
    state_->checked = checked;
    Quiet quiet(state_->window);
    SendMessageA(state_->window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ChildWindow::setColours(std::uint32_t background, std::uint32_t text) {
    if (state_->hasColours && background == state_->background && text == state_->textColour) return;
    state_->hasColours = true;
    state_->background = background;
    state_->textColour = text;
    HBRUSH old = state_->brush;
    state_->brush = CreateSolidBrush(background);
    SetPropA(state_->window, kBrushProperty, state_->brush);
    SetPropA(state_->window, kTextProperty, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(text) + 1));
    if (old) DeleteObject(old);
    InvalidateRect(state_->window, nullptr, TRUE);
}

void ChildWindow::setDefault(bool isDefault) {
    if (isDefault == state_->isDefault) return;
    state_->isDefault = isDefault;
    Quiet quiet(state_->window);
    SendMessageA(state_->window, BM_SETSTYLE, (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY, TRUE);
}

void ChildWindow::focus() {
    if (focused()) return;
    Quiet quiet(state_->window);
    SetFocus(state_->window);
}

bool ChildWindow::focused() const { return GetFocus() == state_->window; }

void ChildWindow::setImageList(std::uintptr_t images) {
    if (images == state_->images) return;
    state_->images = images;
    Quiet quiet(state_->window);
    SendMessageA(state_->window, LVM_SETIMAGELIST, LVSIL_SMALL, static_cast<LPARAM>(images));
}

void ChildWindow::setColumns(const std::vector<ChildColumn>& columns) {
    if (columns == state_->columns) return;
    Quiet quiet(state_->window);
    while (SendMessageA(state_->window, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(columns[i].caption.c_str());
        column.cx = columns[i].width;
        column.iSubItem = static_cast<int>(i);
        SendMessageA(state_->window, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    state_->columns = columns;
}

void ChildWindow::setRows(const std::vector<ChildRow>& rows, bool checkboxes) {
    if (rows == state_->rows && checkboxes == state_->checkboxes) return;
    Quiet quiet(state_->window);
    HWND list = state_->window;
    if (checkboxes != state_->checkboxes) {
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, checkboxes ? LVS_EX_CHECKBOXES : 0);
        state_->checkboxes = checkboxes;
        state_->rows.clear();  // the check marks are gone: set every row again
    }
    const auto sameText = [](const ChildRow& a, const ChildRow& b) {
        return a.caption == b.caption && a.subItems == b.subItems && a.image == b.image;
    };
    bool rebuild = rows.size() != state_->rows.size();
    for (std::size_t i = 0; !rebuild && i < rows.size(); ++i) rebuild = !sameText(rows[i], state_->rows[i]);
    if (rebuild) {
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            LVITEMA item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = static_cast<int>(i);
            item.pszText = const_cast<char*>(rows[i].caption.c_str());
            item.iImage = rows[i].image;
            const auto at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
            for (std::size_t sub = 0; sub < rows[i].subItems.size(); ++sub) {
                LVITEMA text{};
                text.iSubItem = static_cast<int>(sub + 1);
                text.pszText = const_cast<char*>(rows[i].subItems[sub].c_str());
                SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&text));
            }
        }
    }
    if (checkboxes) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!rebuild && i < state_->rows.size() && state_->rows[i].checked == rows[i].checked) continue;
            LVITEMA mark{};
            mark.stateMask = LVIS_STATEIMAGEMASK;
            mark.state = INDEXTOSTATEIMAGEMASK(rows[i].checked ? 2 : 1);
            SendMessageA(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&mark));
        }
    }
    state_->rows = rows;
}

bool ChildInput(unsigned message, std::uintptr_t wParam, std::intptr_t lParam, WindowInput& input) {
    input = WindowInput{};
    input.kind = WindowInput::Kind::Child;
    if (message == WM_COMMAND) {
        const auto from = reinterpret_cast<HWND>(lParam);
        if (!from || IsQuiet(from)) return false;
        input.child = LOWORD(wParam);
        switch (HIWORD(wParam)) {
            case BN_CLICKED: input.event = ChildEvent::Clicked; return true;
            case EN_CHANGE: input.event = ChildEvent::Changed; return true;
            case BN_SETFOCUS:
            case EN_SETFOCUS: input.event = ChildEvent::Focused; return true;
            default: return false;
        }
    }
    if (message == WM_NOTIFY) {
        const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
        if (IsQuiet(notice->hwndFrom)) return false;
        input.child = static_cast<int>(notice->idFrom);
        if (notice->code == NM_SETFOCUS) {
            input.event = ChildEvent::Focused;
            return true;
        }
        if (notice->code != LVN_ITEMCHANGED) return false;
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        const UINT before = (change->uOldState & LVIS_STATEIMAGEMASK) >> 12;
        const UINT after = (change->uNewState & LVIS_STATEIMAGEMASK) >> 12;
        // A row gets its first state image when it is inserted: that is no tick.
        if (!(change->uChanged & LVIF_STATE) || before == after || before == 0 || after == 0) return false;
        input.event = ChildEvent::RowChecked;
        input.row = change->iItem;
        input.checked = after == 2;
        return true;
    }
    return false;
}

std::intptr_t ChildBackground(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message != WM_CTLCOLORSTATIC) return 0;
    const auto child = reinterpret_cast<HWND>(lParam);
    const auto dc = reinterpret_cast<HDC>(wParam);
    if (auto brush = static_cast<HBRUSH>(GetPropA(child, kBrushProperty))) {
        LOGBRUSH colour{};
        GetObjectA(brush, sizeof colour, &colour);
        SetBkColor(dc, colour.lbColor);
        const auto text = reinterpret_cast<std::uintptr_t>(GetPropA(child, kTextProperty));
        if (text) SetTextColor(dc, static_cast<COLORREF>(text - 1));
        return reinterpret_cast<std::intptr_t>(brush);
    }
    // A read-only edit shows the window colour, as the painted text boxes do,
    // not the face colour Windows gives it.
    if (!IsEdit(child)) return 0;
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<std::intptr_t>(GetSysColorBrush(COLOR_WINDOW));
}

}  // namespace tavlin::win32
