// Owners for the Windows handles the backend opens, so that every path out of a
// function closes them.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tavlin::win32 {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// A kernel handle (file, process, token); hold only valid handles.
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

struct FindCloser {
    void operator()(HANDLE handle) const { FindClose(handle); }
};
using UniqueFind = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindCloser>;

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

}  // namespace tavlin::win32
