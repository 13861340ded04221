// A file opened through CreateFileA, read and written with ReadFile and WriteFile.
#pragma once

#include <windows.h>

#include <string>

#include "platform/stream.h"
#include "platform/win32/win32_handles.h"

namespace tavlin::win32 {

class Win32FileStream : public FileStream {
public:
    // Takes ownership of an open file handle; path is kept for messages.
    Win32FileStream(HANDLE file, std::string path);

    std::size_t read(void* buffer, std::size_t count) override;
    void writeBuffer(const void* buffer, std::size_t count) override;
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t size() override;
    bool setLastWriteTime(std::uint32_t dosDateTime) override;

private:
    UniqueHandle file_;
    std::string path_;
};

}  // namespace tavlin::win32
