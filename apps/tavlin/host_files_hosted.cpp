// Host files on Linux: the hosted machine's view of the host, where drive Z: is
// the host's root; command-line text is UTF-8.
#include <filesystem>

#include "ansi_text.h"
#include "host_files.h"
#include "platform/hosted/hosted_machine.h"

namespace tavlin::tool {

namespace {

class HostedFiles : public HostFiles {
public:
    HostedFiles() : machine_(hosted::HostedMachine::hostFiles()) {}

    FileSystem& Files() override { return machine_->files(); }

    std::string PathOf(const std::string& commandLinePath) override {
        const auto absolute = std::filesystem::absolute(std::filesystem::path(commandLinePath)).lexically_normal();
        return hosted::HostedMachine::windowsPathOfHostFile(absolute);
    }

    std::string DisplayPathOf(const std::string& path) override {
        if (const auto host = machine_->hostPath(path)) return host->string();
        return TerminalTextOf(path);
    }

    std::string AnsiOf(const std::string& text) override { return Utf8ToAnsi(text); }
    std::string TerminalTextOf(const std::string& ansi) override { return AnsiToUtf8(ansi); }

private:
    std::unique_ptr<hosted::HostedMachine> machine_;
};

}  // namespace

std::unique_ptr<HostFiles> HostFiles::Open() { return std::make_unique<HostedFiles>(); }

}  // namespace tavlin::tool
