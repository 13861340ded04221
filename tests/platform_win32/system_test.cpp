// The message pump and the error texts of the Win32 backend.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace tavlin::win32test {
namespace {

TEST(Win32System, ProcessMessagesRunsPendingMessagesAndLeavesAQuitRequest) {
    win32::Win32Platform platform;
    MSG message;
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP, 1, 2));
    platform.system().processMessages();
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_APP, WM_APP, PM_NOREMOVE));

    PostQuitMessage(7);
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP, 3, 4));
    platform.system().processMessages();
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST(Win32System, AFailedCallNamesItselfTheSystemTextAndTheCode) {
    win32::Win32Platform platform;
    try {
        platform.files().fullPathName("");
        FAIL() << "an empty path has a full name";
    } catch (const EOSError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("GetFullPathNameA failed: ", 0), 0u) << message;
        EXPECT_NE(error.code(), 0u);
        EXPECT_NE(message.find("(code " + std::to_string(error.code()) + ")"), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

}  // namespace
}  // namespace tavlin::win32test
