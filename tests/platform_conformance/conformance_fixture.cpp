// Making and removing the per-test scratch folder and registry key through the
// platform under test.
#include "platform_conformance/conformance_fixture.h"

#include <cctype>

namespace tavlin::conformance {

std::string PlatformTest::uniqueName() const {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("tvc_") + info->test_suite_name() + "_" + info->name();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

void PlatformTest::SetUp() {
    env_ = openEnvironment();
    startFolder_ = files().currentDirectory();
    scratch_ = env_->temporaryFolder() + uniqueName() + "\\";
    removeTree(scratch_);  // left over from an interrupted run
    ASSERT_TRUE(files().forceDirectories(scratch_)) << scratch_;
    registryBase_ = "Software\\TavlinConformance\\" + uniqueName();
    registry().deleteKeyTree(RegistryRoot::CurrentUser, registryBase_);
}

void PlatformTest::TearDown() {
    if (!env_) return;
    files().setCurrentDirectory(startFolder_);
    removeTree(scratch_);
    registry().deleteKeyTree(RegistryRoot::CurrentUser, registryBase_);
    registry().deleteKeyTree(RegistryRoot::LocalMachine, registryBase_);
    env_.reset();
}

void PlatformTest::removeTree(const std::string& folder) {
    for (const auto& entry : files().findAll(folder + "*.*")) {
        if (entry.name == "." || entry.name == "..") continue;
        const std::string path = folder + entry.name;
        files().setAttributes(path, 0);
        if (entry.attributes & faDirectory) {
            removeTree(path + "\\");
        } else {
            files().deleteFile(path);
        }
    }
    files().removeDirectory(folder.substr(0, folder.size() - 1));
}

void PlatformTest::writeFile(const std::string& path, const std::string& content) {
    auto stream = files().create(path);
    stream->writeBuffer(content.data(), content.size());
}

std::string PlatformTest::readFile(const std::string& path) {
    auto stream = files().openRead(path);
    std::string content;
    char buffer[4096];
    while (const std::size_t n = stream->read(buffer, sizeof buffer)) content.append(buffer, n);
    return content;
}

}  // namespace tavlin::conformance
