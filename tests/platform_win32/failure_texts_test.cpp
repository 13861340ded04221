// Failed registry and shell requests on the real Windows API say why: the call
// that failed and the system's own text for its error code.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_platform.h"

namespace tavlin::win32test {
namespace {

const std::string kMissingKey = "Software\\TavlinFailureTexts\\No such key";

struct FailureCase {
    const char* name;
    std::function<std::string(win32::Win32Platform&)> fail;  // makes a request fail, returns lastFailure()
    const char* call;
    DWORD code;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class FailureTexts : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureTexts, NameTheCallAndCarryTheSystemsText) {
    const FailureCase& c = GetParam();
    win32::Win32Platform platform;
    const std::string reason = c.fail(platform);
    EXPECT_EQ(reason, win32::describeFailure(c.call, c.code));
    EXPECT_NE(reason.find(win32::systemErrorText(c.code)), std::string::npos) << reason;
}

INSTANTIATE_TEST_SUITE_P(
    Requests, FailureTexts,
    ::testing::Values(
        FailureCase{"WritingIntoAMissingKey",
                    [](win32::Win32Platform& p) {
                        EXPECT_FALSE(p.registry().writeString(RegistryRoot::CurrentUser, kMissingKey, "v", "x"));
                        return p.registry().lastFailure();
                    },
                    "RegOpenKeyExA", ERROR_FILE_NOT_FOUND},
        FailureCase{"ReadingAMissingValue",
                    [](win32::Win32Platform& p) {
                        EXPECT_FALSE(p.registry().readString(RegistryRoot::CurrentUser, "Software", "no such value"));
                        return p.registry().lastFailure();
                    },
                    "RegQueryValueExA", ERROR_FILE_NOT_FOUND},
        FailureCase{"DeletingAMissingKey",
                    [](win32::Win32Platform& p) {
                        EXPECT_FALSE(p.registry().deleteKeyTree(RegistryRoot::CurrentUser, kMissingKey));
                        return p.registry().lastFailure();
                    },
                    "RegOpenKeyExA", ERROR_FILE_NOT_FOUND},
        FailureCase{"StartingAMissingProgram",
                    [](win32::Win32Platform& p) {
                        const std::string missing = p.files().windowsDirectory() + "\\no such program.exe";
                        EXPECT_FALSE(p.shell().execute(ShellOwner::Desktop, "open", missing, "", "", swHide));
                        return p.shell().lastFailure();
                    },
                    "ShellExecuteA", ERROR_FILE_NOT_FOUND}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(FailureTexts, AShortcutThatCannotBeSavedNamesTheCall) {
    win32::Win32Platform platform;
    const auto link = platform.shell().createShellLink();
    link->setPath(platform.files().windowsDirectory() + "\\notepad.exe");
    EXPECT_FALSE(link->save(platform.files().windowsDirectory() + "\\no such folder\\x.lnk"));
    EXPECT_EQ(link->lastFailure().rfind("IPersistFile::Save failed: ", 0), 0u) << link->lastFailure();
}

}  // namespace
}  // namespace tavlin::win32test
