// The message pump and the error texts of the Win32 backend.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/win32/win32_platform.h"

namespace tavlin::win32test {
namespace {

TEST(Win32System, ProcessMessagesRunsPendingMessagesAndLeavesAQuitRequest) {
    MSG message;
    {
        win32::Win32Platform platform;
        ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP, 1, 2));
        platform.system().processMessages();
        EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_APP, WM_APP, PM_NOREMOVE));
    }

    // A platform of its own: its first call looks at the queue however soon after
    // another pump's it comes (later calls are paced).
    win32::Win32Platform platform;
    PostQuitMessage(7);
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP, 3, 4));
    platform.system().processMessages();
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

// The thread library times its waits with the tick count the programs answer
// themselves (platform/win32/startup): a wait with a time-out must last about
// as long as asked, neither end at once nor hang.
TEST(Win32System, TimedWaitsLastAsLongAsAsked) {
    std::mutex mutex;
    std::condition_variable never;
    std::unique_lock<std::mutex> lock(mutex);
    for (const auto wait : {std::chrono::milliseconds(100), std::chrono::milliseconds(300)}) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(never.wait_for(lock, wait), std::cv_status::timeout);
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_GE(waited, wait - std::chrono::milliseconds(20));
        EXPECT_LT(waited, wait + std::chrono::seconds(5));
    }
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
