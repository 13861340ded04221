// A shell-link object of the shell (CLSID_ShellLink through COM), filled in and
// saved as a .lnk file.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include "platform/shell.h"

namespace tavlin::win32 {

class Win32ShellLink : public ShellLink {
public:
    // CoInitialize and CoCreateInstance; raises an Exception naming the call and
    // its HRESULT when the object cannot be created.
    Win32ShellLink();
    ~Win32ShellLink() override;
    Win32ShellLink(const Win32ShellLink&) = delete;
    Win32ShellLink& operator=(const Win32ShellLink&) = delete;

    void setPath(const std::string& path) override;
    void setWorkingDirectory(const std::string& folder) override;
    void setIconLocation(const std::string& file, int index) override;
    void setArguments(const std::string& arguments) override;
    void setShowCommand(int showCommand) override;
    bool save(const std::string& path) override;
    std::string lastFailure() const override { return lastFailure_; }

private:
    void release();

    std::string lastFailure_;
    bool comInitialized_ = false;
    IShellLinkA* link_ = nullptr;
    IPersistFile* file_ = nullptr;
};

}  // namespace tavlin::win32
