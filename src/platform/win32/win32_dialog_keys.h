// The keyboard of a dialog for top-level windows that are not dialogs: a window
// marked here gets Tab, Esc and Enter as a dialog does (focus moves between its
// controls, Esc arrives as IDCANCEL, Enter as its default button), since every
// message loop of the program hands its keys to RouteDialogKeys first.
#pragma once

#include <windows.h>

namespace tavlin::win32 {

// From now on the window takes the dialog keys.
void TakeDialogKeys(HWND window);
// Before the window is destroyed: the mark goes.
void ReleaseDialogKeys(HWND window);

// Gives a key message to the marked window it belongs to; true when that window
// took it, and it must not be dispatched again.
bool RouteDialogKeys(MSG& message);

}  // namespace tavlin::win32
