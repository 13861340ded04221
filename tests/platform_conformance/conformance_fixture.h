// The fixture of the platform cases: a fresh environment, an empty scratch folder
// and a registry key of the test's own, all removed again after the test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform_conformance/conformance_env.h"

namespace tavlin::conformance {

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Platform& platform() { return env_->platform(); }
    FileSystem& files() { return platform().files(); }
    Profile& profile() { return platform().profile(); }
    Registry& registry() { return platform().registry(); }
    bool isWine() { return env_->isWine(); }

    // The scratch folder, ending with "\".
    const std::string& scratch() const { return scratch_; }
    // A key below HKEY_CURRENT_USER\Software that belongs to this test alone.
    const std::string& registryBase() const { return registryBase_; }
    // A name unique to this test, usable as a file or key name.
    std::string uniqueName() const;

    // Whole-file helpers on the platform's own streams.
    void writeFile(const std::string& path, const std::string& content);
    std::string readFile(const std::string& path);

private:
    void removeTree(const std::string& folder);

    std::unique_ptr<Environment> env_;
    std::string scratch_;
    std::string registryBase_;
    std::string startFolder_;
};

}  // namespace tavlin::conformance
