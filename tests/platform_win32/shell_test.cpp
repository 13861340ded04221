// The shell's small icons and the restart privilege on the real Windows API.
#include <gtest/gtest.h>

#include "platform/win32/win32_platform.h"

namespace tavlin::win32test {
namespace {

TEST(Win32Shell, SmallIconsComeFromOneSystemListAndFoldersShareAnIcon) {
    win32::Win32Platform platform;
    const std::string windows = platform.files().windowsDirectory();
    const std::uintptr_t list = platform.shell().systemSmallImageList(windows);
    EXPECT_NE(list, 0u);
    EXPECT_EQ(platform.shell().systemSmallImageList(platform.files().systemDirectory()), list);

    const int folderIcon = platform.shell().smallIconIndex(windows);
    EXPECT_EQ(platform.shell().smallIconIndex(platform.files().systemDirectory()), folderIcon);
    EXPECT_NE(platform.shell().smallIconIndex(platform.files().systemDirectory() + "\\notepad.exe"), folderIcon);
}

TEST(Win32Shell, AMissingFileHasIconZero) {
    win32::Win32Platform platform;
    EXPECT_EQ(platform.shell().smallIconIndex(platform.files().windowsDirectory() + "\\no such file.xyz"), 0);
}

TEST(Win32System, TheShutdownPrivilegeCanBeEnabled) {
    win32::Win32Platform platform;
    EXPECT_TRUE(platform.system().enableShutdownPrivilege());
}

}  // namespace
}  // namespace tavlin::win32test
