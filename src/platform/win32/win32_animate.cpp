#include "platform/win32/win32_animate.h"

#include <commctrl.h>

#include <iterator>

namespace tavlin::win32 {

int FileOperationClip(int commonAvi) {
    // Find folder, find file, find computer, copy files, copy file, recycle,
    // empty the recycle bin, delete.
    static constexpr int kClips[] = {0, 150, 151, 152, 161, 160, 162, 163, 164};
    if (commonAvi < 0 || commonAvi >= static_cast<int>(std::size(kClips))) return 0;
    return kClips[commonAvi];
}

HWND CreateAnimation(HWND parent, int id, const RECT& rect) {
    return CreateWindowExA(0, ANIMATE_CLASSA, "", WS_CHILD | WS_VISIBLE | ACS_TRANSPARENT | ACS_CENTER, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

bool PlayFileOperationClip(HWND animation, int commonAvi, int stopFrame) {
    const int clip = FileOperationClip(commonAvi);
    HMODULE shell = GetModuleHandleA("shell32.dll");
    if (!animation || !clip || !shell) return false;
    if (!SendMessageA(animation, ACM_OPENA, reinterpret_cast<WPARAM>(shell), reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(clip)))) {
        return false;
    }
    // A stop frame beyond the clip's end is refused: then the whole clip plays.
    const auto play = [animation](int to) {
        return SendMessageA(animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, to)) != 0;
    };
    return (stopFrame > 0 && play(stopFrame)) || play(-1);
}

}  // namespace tavlin::win32
