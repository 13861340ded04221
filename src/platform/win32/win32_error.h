// Turns a failed Windows call into the system's exception: the message names the
// call and carries the system's own text and code.
#pragma once

#include <windows.h>

#include <string>

#include "platform/errors.h"

namespace tavlin::win32 {

// The system's text for an error code (FormatMessageA), without the line break
// Windows ends it with; a plain "Unknown error" text when there is none.
std::string systemErrorText(DWORD code);

// "<call> failed: <system text> (code <n>)".
std::string describeFailure(const char* call, DWORD code);

// The exception for a failed call, with the given code or GetLastError's.
EOSError osError(const char* call, DWORD code);
EOSError lastOSError(const char* call);

}  // namespace tavlin::win32
