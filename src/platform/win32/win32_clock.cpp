// GetLocalTime for the moment, GetDateFormatA and GetTimeFormatA for the user's
// long date and short time.
#include "platform/win32/win32_clock.h"

#include <windows.h>

#include "platform/win32/win32_error.h"

namespace tavlin::win32 {

namespace {

template <typename Format>
std::string formatted(const char* call, Format format) {
    const int length = format(nullptr, 0);
    if (length <= 0) throw lastOSError(call);
    std::string text(static_cast<std::size_t>(length), '\0');
    if (format(text.data(), length) <= 0) throw lastOSError(call);
    text.resize(static_cast<std::size_t>(length - 1));
    return text;
}

}  // namespace

LocalTime Win32Clock::now() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string Win32Clock::formatLongDateShortTime(const LocalTime& time) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(time.year);
    st.wMonth = static_cast<WORD>(time.month);
    st.wDay = static_cast<WORD>(time.day);
    st.wHour = static_cast<WORD>(time.hour);
    st.wMinute = static_cast<WORD>(time.minute);
    st.wSecond = static_cast<WORD>(time.second);
    const std::string date = formatted("GetDateFormatA", [&](char* buffer, int size) {
        return GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, buffer, size);
    });
    const std::string clock = formatted("GetTimeFormatA", [&](char* buffer, int size) {
        return GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, buffer, size);
    });
    return date + " " + clock;
}

}  // namespace tavlin::win32
