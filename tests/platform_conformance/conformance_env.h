// What the platform cases need from the backend they run against: the platform
// itself and the Windows temporary folder in which each test makes its scratch
// folder. One implementation per backend (env/).
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace tavlin::conformance {

class Environment {
public:
    virtual ~Environment() = default;
    virtual Platform& platform() = 0;
    // A Windows folder ending with "\" in which tests may make their own folders.
    virtual std::string temporaryFolder() = 0;
    // True when the platform is Wine, which departs from Windows in a few places.
    virtual bool isWine() = 0;
};

// A fresh environment for one test.
std::unique_ptr<Environment> openEnvironment();

}  // namespace tavlin::conformance
