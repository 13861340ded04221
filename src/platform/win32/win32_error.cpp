// The one place where Windows error codes become the system's exceptions.
#include "platform/win32/win32_error.h"

#include <array>

namespace tavlin::win32 {

std::string systemErrorText(DWORD code) {
    std::array<char, 512> buffer{};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                        0, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr);
    std::string text(buffer.data(), length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    if (text.empty()) text = "Unknown error";
    return text;
}

std::string describeFailure(const char* call, DWORD code) {
    return std::string(call) + " failed: " + systemErrorText(code) + " (code " + std::to_string(code) + ")";
}

EOSError osError(const char* call, DWORD code) { return EOSError(describeFailure(call, code), code); }

EOSError lastOSError(const char* call) { return osError(call, GetLastError()); }

}  // namespace tavlin::win32
