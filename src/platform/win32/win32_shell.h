// The shell on shell32: starting files, shell links and the system's small icons.
#pragma once

#include <string>

#include "platform/shell.h"
#include "platform/win32/win32_windows.h"

namespace tavlin::win32 {

class Win32Shell : public Shell {
public:
    explicit Win32Shell(const OwnerWindows& owners) : owners_(owners) {}

    bool execute(ShellOwner owner, const std::string& verb, const std::string& file, const std::string& parameters,
                 const std::string& folder, int showCommand) override;
    std::unique_ptr<ShellLink> createShellLink() override;
    int smallIconIndex(const std::string& path) override;
    std::uintptr_t systemSmallImageList(const std::string& path) override;
    std::string lastFailure() const override { return lastFailure_; }

private:
    const OwnerWindows& owners_;
    std::string lastFailure_;
};

}  // namespace tavlin::win32
