// The registry values the special folders are read from: where a machine has
// them they name folders, and both spellings of the key and a trailing "\" read
// the same values.
#include "platform_conformance/conformance_fixture.h"

namespace tavlin::conformance {
namespace {

class SpecialFolderKeys : public PlatformTest {};

struct Location {
    RegistryRoot root;
    const char* key;
    const char* otherSpelling;
    const char* value;
};

const Location locations[] = {
    {RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\", "Desktop"},
    {RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\", "Programs"},
    {RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\", "Start Menu"},
    {RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\", "Startup"},
    {RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\", "AppData"},
    {RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\", "ProgramFilesDir"},
};

TEST_F(SpecialFolderKeys, ValuesThatExistNameFoldersAndReadAlikeUnderEverySpelling) {
    for (const auto& location : locations) {
        SCOPED_TRACE(location.value);
        const auto value = registry().readString(location.root, location.key, location.value);
        EXPECT_EQ(registry().readString(location.root, location.otherSpelling, location.value), value);
        std::string withoutSeparator = location.key;
        withoutSeparator.pop_back();
        EXPECT_EQ(registry().readString(location.root, withoutSeparator, location.value), value);
        if (!value) continue;  // this machine has no such value; callers fall back
        ASSERT_GE(value->size(), 3u) << *value;
        EXPECT_EQ(value->substr(1, 2), ":\\") << *value;
    }
}

TEST_F(SpecialFolderKeys, TheProgramFilesValueNamesAFolderThatExists) {
    const auto programFiles = registry().readString(RegistryRoot::LocalMachine,
                                                    "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
    ASSERT_TRUE(programFiles.has_value());
    EXPECT_TRUE(files().directoryExists(*programFiles)) << *programFiles;
}

}  // namespace
}  // namespace tavlin::conformance
