// File streams on kernel32. Reads and writes go in pieces that fit a DWORD, and a
// failed call raises rather than looking like the end of the file.
#include "platform/win32/win32_file_stream.h"

#include <algorithm>
#include <limits>

#include "platform/errors.h"
#include "platform/win32/win32_error.h"

namespace tavlin::win32 {

namespace {

// The largest piece handed to one ReadFile or WriteFile call.
constexpr std::size_t maxPiece = 1u << 30;

}  // namespace

Win32FileStream::Win32FileStream(HANDLE file, std::string path) : file_(file), path_(std::move(path)) {}

std::size_t Win32FileStream::read(void* buffer, std::size_t count) {
    auto* out = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const DWORD want = static_cast<DWORD>(std::min(count - total, maxPiece));
        DWORD got = 0;
        if (!ReadFile(file_.get(), out + total, want, &got, nullptr)) {
            throw EReadError("Stream read error: " + describeFailure("ReadFile", GetLastError()));
        }
        total += got;
        if (got < want) break;
    }
    return total;
}

void Win32FileStream::writeBuffer(const void* buffer, std::size_t count) {
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const DWORD want = static_cast<DWORD>(std::min(count - done, maxPiece));
        DWORD written = 0;
        if (!WriteFile(file_.get(), in + done, want, &written, nullptr)) {
            throw EWriteError("Stream write error: " + describeFailure("WriteFile", GetLastError()));
        }
        if (written == 0) throw EWriteError("Stream write error: " + path_);
        done += written;
    }
}

std::int64_t Win32FileStream::seek(std::int64_t offset, SeekOrigin origin) {
    DWORD method = FILE_BEGIN;
    if (origin == SeekOrigin::Current) method = FILE_CURRENT;
    if (origin == SeekOrigin::End) method = FILE_END;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(file_.get(), distance, &position, method)) {
        throw EStreamError("Stream seek error: " + describeFailure("SetFilePointerEx", GetLastError()));
    }
    return position.QuadPart;
}

std::int64_t Win32FileStream::size() {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_.get(), &size)) {
        throw EStreamError("Stream size error: " + describeFailure("GetFileSizeEx", GetLastError()));
    }
    return size.QuadPart;
}

bool Win32FileStream::setLastWriteTime(std::uint32_t dosDateTime) {
    FILETIME local;
    FILETIME utc;
    if (!DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime & 0xFFFF),
                               &local)) {
        return false;
    }
    if (!LocalFileTimeToFileTime(&local, &utc)) return false;
    return SetFileTime(file_.get(), nullptr, nullptr, &utc) != FALSE;
}

}  // namespace tavlin::win32
