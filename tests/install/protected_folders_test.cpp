// Which folders an uninstall must never empty by pattern or remove, on a hosted
// machine with the default layout (C:\WINDOWS, C:\Program Files, shell folders
// below the Windows folder).
#include <gtest/gtest.h>

#include "install/install_fixture.h"
#include "install/protected_folders.h"

namespace tavlin::test {
namespace {

struct FolderCase {
    std::string folder;
    bool isProtected;
};

class ProtectedFoldersTest : public MachineFixture, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(ProtectedFoldersTest, KnowsTheSharedFolders) {
    files().forceDirectories("C:\\Program Files\\Acme");
    EXPECT_EQ(ProtectedFolders(platform()).Contains(GetParam().folder), GetParam().isProtected) << GetParam().folder;
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ProtectedFoldersTest,
    ::testing::Values(
        FolderCase{"C:\\", true}, FolderCase{"C:", true}, FolderCase{"D:\\", true}, FolderCase{"", true},
        FolderCase{"C:\\WINDOWS\\", true}, FolderCase{"c:\\windows", true}, FolderCase{"C:\\WINDOWS\\System\\", true},
        FolderCase{"C:\\WINDOWS\\SYSTEM32", true}, FolderCase{"C:\\WINDOWS\\Fonts\\", true},
        FolderCase{"C:\\Program Files\\", true}, FolderCase{"C:\\PROGRA~1", true},
        FolderCase{"C:\\Program Files\\Acme\\..\\", true}, FolderCase{"C:\\WINDOWS\\Desktop\\", true},
        FolderCase{"C:\\WINDOWS\\Start Menu", true}, FolderCase{"C:\\WINDOWS\\Start Menu\\Programs\\", true},
        FolderCase{"C:\\WINDOWS\\Start Menu\\Programs\\StartUp", true},
        FolderCase{"C:\\WINDOWS\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch\\", true},
        // Removing it would take the Quick Launch folder along.
        FolderCase{"C:\\WINDOWS\\Application Data", true},
        FolderCase{"C:\\Program Files\\Acme\\", false}, FolderCase{"C:\\PROGRA~1\\ACME", false},
        FolderCase{"C:\\Program Files\\Acme\\Data\\", false}, FolderCase{"C:\\WINDOWS\\System\\Sub\\", false},
        FolderCase{"C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools", false},
        FolderCase{"C:\\WINDOWS\\Temp\\tvlp_093015\\", false}, FolderCase{"C:\\Apps\\", false}));

}  // namespace
}  // namespace tavlin::test
