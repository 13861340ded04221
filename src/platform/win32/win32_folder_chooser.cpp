// The folder chooser: SHBrowseForFolderA with an edit box. A typed folder that
// does not exist reaches the validation callback, which asks whether to create it
// and, on yes, creates it and closes the chooser with it.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "platform/win32/win32_dialogs.h"

namespace tavlin::win32 {

namespace {

struct ChooserState {
    FileSystem& files;
    std::string initial;
    std::string selected;   // the folder selected in the tree, if it has a path
    std::string confirmed;  // a typed folder that was created on request
};

bool isAbsolute(const std::string& path) {
    return (path.size() >= 3 && path[1] == ':' && path[2] == '\\') || path.rfind("\\\\", 0) == 0;
}

std::string pathOf(LPCITEMIDLIST item) {
    char path[MAX_PATH] = {};
    if (!item || !SHGetPathFromIDListA(item, path)) return {};
    return path;
}

// Asks about a typed folder that does not exist; true when it was created.
bool confirmAndCreate(HWND chooser, ChooserState& state, const std::string& typed) {
    std::string folder = typed;
    if (!isAbsolute(folder) && !state.selected.empty()) {
        folder = state.selected + (state.selected.back() == '\\' ? "" : "\\") + typed;
    }
    const std::string question = "The folder \"" + folder + "\" does not exist.\n\nDo you want to create it?";
    if (MessageBoxA(chooser, question.c_str(), "Browse for Folder", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return false;
    }
    if (!state.files.forceDirectories(folder)) {
        const std::string failure = "The folder \"" + folder + "\" could not be created.";
        MessageBoxA(chooser, failure.c_str(), "Browse for Folder", MB_OK | MB_ICONERROR);
        return false;
    }
    state.confirmed = folder;
    return true;
}

int CALLBACK chooserCallback(HWND chooser, UINT message, LPARAM lParam, LPARAM data) {
    auto& state = *reinterpret_cast<ChooserState*>(data);
    switch (message) {
    case BFFM_INITIALIZED:
        if (!state.initial.empty()) {
            SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(state.initial.c_str()));
        }
        break;
    case BFFM_SELCHANGED: state.selected = pathOf(reinterpret_cast<LPCITEMIDLIST>(lParam)); break;
    case BFFM_VALIDATEFAILEDA:
        // 0 closes the chooser, anything else keeps it open.
        return confirmAndCreate(chooser, state, reinterpret_cast<const char*>(lParam)) ? 0 : 1;
    default: break;
    }
    return 0;
}

}  // namespace

bool showFolderChooser(HWND owner, FileSystem& files, const std::string& caption, std::string& folder) {
    // The chooser is a COM client; a thread in another apartment mode can use it as it is.
    const HRESULT init = CoInitialize(nullptr);

    ChooserState state{files, folder, {}, {}};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_VALIDATE;
    info.lpfn = chooserCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);
    const LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    const std::string path = pathOf(chosen);
    if (chosen) CoTaskMemFree(chosen);
    if (SUCCEEDED(init)) CoUninitialize();

    if (!state.confirmed.empty()) {
        folder = state.confirmed;
        return true;
    }
    if (path.empty()) return false;
    folder = path;
    return true;
}

}  // namespace tavlin::win32
