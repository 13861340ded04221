// The system's standard file-operation clips (find, copy, delete, recycle) in an
// animation control. The clips are resources of shell32; a system without one
// leaves the control blank, which is never an error.
#pragma once

#include <windows.h>

namespace tavlin::win32 {

// The clip's resource number in shell32 for an animation number of the setup's
// list (find folder 1 ... delete file 8); 0 for none.
int FileOperationClip(int commonAvi);

// A transparent animation control, a child of parent at rect, not yet playing;
// the clip plays centred in it.
HWND CreateAnimation(HWND parent, int id, const RECT& rect);
// Opens the clip and plays it up to stopFrame (the whole clip when it is shorter)
// over and over; false when the system has no such clip, and the control is blank.
bool PlayFileOperationClip(HWND animation, int commonAvi, int stopFrame);

}  // namespace tavlin::win32
