// The restart component: asks Windows to log off, shut down or restart, taking
// the shutdown privilege first on Windows of the NT family.
#pragma once

#include <functional>

namespace tavlin {

class Platform;

enum TShutdownActionType { satLogoff, satShutdown, satReboot };

class TSysShutdown {
public:
    explicit TSysShutdown(Platform& platform) : platform_(platform) {}

    TShutdownActionType ActionType = satReboot;
    bool Force = false;
    // Asked before the request; clearing proceed stops it.
    std::function<void(bool& proceed)> OnQueryShutdown;

    // True when Windows accepted the request. On NT a failing privilege step stops
    // it without a request.
    bool Execute();

private:
    Platform& platform_;
};

}  // namespace tavlin
