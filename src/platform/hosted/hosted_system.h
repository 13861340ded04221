// The rest of the operating system on the machine: its Windows family, and
// restart requests, which are journaled and accepted.
#pragma once

#include "platform/hosted/journal.h"
#include "platform/system.h"

namespace tavlin::hosted {

class HostedSystem : public System {
public:
    HostedSystem(WindowsFamily family, Journal& journal) : family_(family), journal_(journal) {}

    WindowsFamily family() override { return family_; }
    bool enableShutdownPrivilege() override;
    bool exitWindows(std::uint32_t flags) override;
    void processMessages() override {}

private:
    WindowsFamily family_;
    Journal& journal_;
};

}  // namespace tavlin::hosted
