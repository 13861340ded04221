// Host files on Windows: the Windows API itself. Command-line text is already
// in the ANSI code page, and paths need no translation.
#include "host_files.h"
#include "platform/win32/win32_platform.h"

namespace tavlin::tool {

namespace {

class Win32HostFiles : public HostFiles {
public:
    FileSystem& Files() override { return platform_.files(); }
    std::string PathOf(const std::string& commandLinePath) override { return commandLinePath; }
    std::string DisplayPathOf(const std::string& path) override { return path; }
    std::string AnsiOf(const std::string& text) override { return text; }
    std::string TerminalTextOf(const std::string& ansi) override { return ansi; }

private:
    win32::Win32Platform platform_;
};

}  // namespace

std::unique_ptr<HostFiles> HostFiles::Open() { return std::make_unique<Win32HostFiles>(); }

}  // namespace tavlin::tool
