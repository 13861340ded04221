// One handle on every operating-system service the system uses. The engines take
// a Platform and never call the operating system themselves.
#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/stream.h"
#include "platform/system.h"
#include "platform/ticks.h"

namespace tavlin {

class Platform {
public:
    virtual ~Platform() = default;
    virtual FileSystem& files() = 0;
    virtual Profile& profile() = 0;
    virtual Registry& registry() = 0;
    virtual Shell& shell() = 0;
    virtual Dialogs& dialogs() = 0;
    virtual Clock& clock() = 0;
    virtual System& system() = 0;
    virtual Screen& screen() = 0;
    virtual Ticks& ticks() = 0;
};

}  // namespace tavlin
