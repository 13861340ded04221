// The platform cases on the hosted machine: a new machine in a fresh host
// temporary folder for every test, removed with it.
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "platform/hosted/hosted_machine.h"
#include "platform_conformance/conformance_env.h"

namespace tavlin::conformance {

namespace {

std::filesystem::path freshHostFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-conformance-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    return pattern;
}

class HostedEnvironment : public Environment {
public:
    HostedEnvironment() : folder_(freshHostFolder()), machine_(hosted::HostedMachine::open(folder_)) {}
    ~HostedEnvironment() override {
        machine_.reset();
        std::error_code ignored;  // a folder left behind in the host's temp folder harms no test
        std::filesystem::remove_all(folder_, ignored);
    }

    Platform& platform() override { return *machine_; }
    std::string temporaryFolder() override { return machine_->files().windowsDirectory() + "\\Temp\\"; }
    bool isWine() override { return false; }

private:
    std::filesystem::path folder_;
    std::unique_ptr<hosted::HostedMachine> machine_;
};

}  // namespace

std::unique_ptr<Environment> openEnvironment() { return std::make_unique<HostedEnvironment>(); }

}  // namespace tavlin::conformance
