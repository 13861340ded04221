// The shell: starting documents and programs, shell links and the system's small
// icons.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tavlin {

// Show commands, with the values Windows uses.
enum ShowCommand : int {
    swHide = 0,
    swShowNormal = 1,
    swShowMinimized = 2,
    swShowMaximized = 3,
    swShow = 5,
};

// Which window owns a shell request: the desktop window or the application's main
// window.
enum class ShellOwner { Desktop, MainWindow };

// A shell-link object (IShellLinkA with IPersistFile) being filled in.
class ShellLink {
public:
    virtual ~ShellLink() = default;
    virtual void setPath(const std::string& path) = 0;
    virtual void setWorkingDirectory(const std::string& folder) = 0;
    virtual void setIconLocation(const std::string& file, int index) = 0;
    virtual void setArguments(const std::string& arguments) = 0;
    virtual void setShowCommand(int showCommand) = 0;
    // IPersistFile::Save: writes the .lnk file. False when it could not be written.
    virtual bool save(const std::string& path) = 0;
    // Why the last save failed, naming the call; empty when the backend cannot tell.
    virtual std::string lastFailure() const { return {}; }
};

class Shell {
public:
    virtual ~Shell() = default;

    // ShellExecuteA. An empty verb means none. True when the request was started.
    virtual bool execute(ShellOwner owner, const std::string& verb, const std::string& file,
                         const std::string& parameters, const std::string& folder, int showCommand) = 0;

    // Creates a shell-link object (CoInitialize and CoCreateInstance); raises an
    // Exception when the object cannot be created.
    virtual std::unique_ptr<ShellLink> createShellLink() = 0;

    // The index of a file's small icon in the system image list; 0 on failure.
    virtual int smallIconIndex(const std::string& path) = 0;
    // The handle of the system's small-icon list, as seen from a file or folder.
    virtual std::uintptr_t systemSmallImageList(const std::string& path) = 0;

    // Why the last request that was not started failed, naming the call and giving
    // the system's text; empty when the backend cannot tell.
    virtual std::string lastFailure() const { return {}; }
};

}  // namespace tavlin
