#include "platform/win32/win32_dialog_keys.h"

namespace tavlin::win32 {

namespace {

constexpr const char* kProperty = "TavlinDialogKeys";

}  // namespace

void TakeDialogKeys(HWND window) { SetPropA(window, kProperty, reinterpret_cast<HANDLE>(1)); }

void ReleaseDialogKeys(HWND window) { RemovePropA(window, kProperty); }

bool RouteDialogKeys(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !message.hwnd) return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (!root || !GetPropA(root, kProperty)) return false;
    return IsDialogMessageA(root, &message) != FALSE;
}

}  // namespace tavlin::win32
