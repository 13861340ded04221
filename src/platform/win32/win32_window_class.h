// Registers a window class of this program once; a second window of the same
// class finds it registered already.
#pragma once

#include <windows.h>

namespace tavlin::win32 {

// The program's icon and the arrow cursor; a null background leaves erasing to
// the window. Throws with the system's reason when the class cannot be made.
void RegisterWindowClass(const char* name, WNDPROC procedure, HBRUSH background);

}  // namespace tavlin::win32
