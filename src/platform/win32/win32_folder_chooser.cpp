// The folder chooser: SHBrowseForFolderA with an edit box, centred on its owner.
// A folder typed as a full path is chosen when OK is pressed, whether or not it
// exists: the caller asks, captioned with the application's title, before it
// creates a missing one. The shell's own validation covers names typed relative
// to the selected folder where the shell offers it.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include "platform/win32/win32_dialogs.h"

namespace tavlin::win32 {

namespace {

constexpr const char* stateProperty = "TavlinFolderChooser";

struct ChooserState {
    std::string initial;
    std::string selected;  // the folder selected in the tree, if it has a path
    std::string chosen;    // a folder typed as a full path
    WNDPROC chooserProc = nullptr;
};

bool isAbsolute(const std::string& path) {
    return (path.size() >= 3 && path[1] == ':' && path[2] == '\\') || path.rfind("\\\\", 0) == 0;
}

std::string pathOf(LPCITEMIDLIST item) {
    char path[MAX_PATH] = {};
    if (!item || !SHGetPathFromIDListA(item, path)) return {};
    return path;
}

// Puts the chooser in the middle of its owner (of the work area, when it has
// none), where the user's eyes are, instead of where the shell opens it.
void centreOnOwner(HWND chooser) {
    RECT area;
    const HWND owner = GetWindow(chooser, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &area)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT own;
    if (!GetWindowRect(chooser, &own)) return;
    const int width = own.right - own.left, height = own.bottom - own.top;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(chooser, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string editText(HWND chooser) {
    const HWND edit = FindWindowExA(chooser, nullptr, "Edit", nullptr);
    if (!edit) return {};
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Sits in front of the chooser's own window procedure to see OK with a typed path.
LRESULT CALLBACK chooserFront(HWND chooser, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& state = *static_cast<ChooserState*>(GetPropA(chooser, stateProperty));
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        const std::string typed = editText(chooser);
        if (isAbsolute(typed)) state.chosen = typed;
    } else if (message == WM_NCDESTROY) {
        const WNDPROC original = state.chooserProc;
        SetWindowLongPtrA(chooser, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropA(chooser, stateProperty);
        return CallWindowProcA(original, chooser, message, wParam, lParam);
    }
    return CallWindowProcA(state.chooserProc, chooser, message, wParam, lParam);
}

int CALLBACK chooserCallback(HWND chooser, UINT message, LPARAM lParam, LPARAM data) {
    auto& state = *reinterpret_cast<ChooserState*>(data);
    switch (message) {
    case BFFM_INITIALIZED:
        SetPropA(chooser, stateProperty, &state);
        centreOnOwner(chooser);
        state.chooserProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(chooser, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chooserFront)));
        if (!state.initial.empty()) {
            SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(state.initial.c_str()));
        }
        break;
    case BFFM_SELCHANGED: state.selected = pathOf(reinterpret_cast<LPCITEMIDLIST>(lParam)); break;
    case BFFM_VALIDATEFAILEDA: {
        // A name typed relative to the selected folder; 0 closes the chooser.
        std::string folder = reinterpret_cast<const char*>(lParam);
        if (!isAbsolute(folder) && !state.selected.empty()) {
            folder = state.selected + (state.selected.back() == '\\' ? "" : "\\") + folder;
        }
        state.chosen = folder;
        return 0;
    }
    default: break;
    }
    return 0;
}

}  // namespace

bool showFolderChooser(HWND owner, const std::string& caption, std::string& folder) {
    // The chooser of newer shells needs OLE; a thread in another apartment mode can
    // use it as it is.
    const HRESULT init = OleInitialize(nullptr);

    ChooserState state{folder, {}, {}};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = caption.c_str();
    // Older shells ignore the newer dialog style and show their own edit box.
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_VALIDATE | BIF_NEWDIALOGSTYLE;
    info.lpfn = chooserCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);
    const LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    const std::string path = pathOf(chosen);
    if (chosen) CoTaskMemFree(chosen);
    if (SUCCEEDED(init)) OleUninitialize();

    // Cancel ends the chooser without an item, even after a typed folder was taken.
    if (!chosen) return false;
    if (!state.chosen.empty()) {
        folder = state.chosen;
        return true;
    }
    if (path.empty()) return false;
    folder = path;
    return true;
}

}  // namespace tavlin::win32
