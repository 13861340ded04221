// The folder chooser: SHBrowseForFolderA with an edit box. A folder typed as a
// full path is taken when OK is pressed; if it does not exist the user is asked
// whether to create it, and on yes it is created and chosen, on no the chooser
// stays open. The shell's own validation covers names typed relative to the
// selected folder where the shell offers it.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include "platform/win32/win32_dialogs.h"

namespace tavlin::win32 {

namespace {

constexpr const char* stateProperty = "TavlinFolderChooser";

struct ChooserState {
    FileSystem& files;
    std::string initial;
    std::string selected;  // the folder selected in the tree, if it has a path
    std::string chosen;    // a typed folder that exists or was created on request
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

// Takes a typed folder: an existing one as it is, a missing one once the user has
// confirmed it and it has been created. False keeps the chooser open.
bool takeTypedFolder(HWND chooser, ChooserState& state, const std::string& folder) {
    if (!state.files.directoryExists(folder)) {
        const std::string question = "The folder \"" + folder + "\" does not exist.\n\nDo you want to create it?";
        if (MessageBoxA(chooser, question.c_str(), "Create Folder", MB_YESNO | MB_ICONQUESTION) != IDYES) {
            return false;
        }
        if (!state.files.forceDirectories(folder)) {
            const std::string failure = "The folder \"" + folder + "\" could not be created.";
            MessageBoxA(chooser, failure.c_str(), "Create Folder", MB_OK | MB_ICONERROR);
            return false;
        }
    }
    state.chosen = folder;
    return true;
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
        if (isAbsolute(typed) && !takeTypedFolder(chooser, state, typed)) return 0;
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
        return takeTypedFolder(chooser, state, folder) ? 0 : 1;
    }
    default: break;
    }
    return 0;
}

}  // namespace

bool showFolderChooser(HWND owner, FileSystem& files, const std::string& caption, std::string& folder) {
    // The chooser of newer shells needs OLE; a thread in another apartment mode can
    // use it as it is.
    const HRESULT init = OleInitialize(nullptr);

    ChooserState state{files, folder, {}, {}};
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
