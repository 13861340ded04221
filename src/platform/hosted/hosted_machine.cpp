// Assembles a machine from its folder: machine.ini, the drives, the metadata
// store, registry.reg and journal.log, and wires the services together.
#include "platform/hosted/hosted_machine.h"

#include <system_error>

#include "platform/hosted/state_files.h"
#include "platform/hosted/host_namespace.h"
#include "platform/hosted/hosted_clock.h"
#include "platform/hosted/hosted_dialogs.h"
#include "platform/hosted/hosted_file_system.h"
#include "platform/hosted/hosted_profile.h"
#include "platform/hosted/hosted_registry.h"
#include "platform/hosted/hosted_screen.h"
#include "platform/hosted/hosted_shell.h"
#include "platform/hosted/hosted_system.h"
#include "platform/hosted/hosted_ticks.h"
#include "platform/hosted/journal.h"
#include "platform/hosted/machine_config.h"
#include "platform/hosted/machine_layout.h"
#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

namespace fs = std::filesystem;

struct HostedMachine::Impl {
    fs::path folder;
    std::unique_ptr<MetadataStore> store;
    std::unique_ptr<HostNamespace> names;
    std::unique_ptr<HostedFileSystem> files;
    std::unique_ptr<HostedProfile> profile;
    std::unique_ptr<HostedRegistry> registry;
    std::unique_ptr<Journal> journal;
    std::unique_ptr<HostedShell> shell;
    std::unique_ptr<HostedDialogs> dialogs;
    std::unique_ptr<HostedClock> clock;
    std::unique_ptr<HostedSystem> system;
    std::unique_ptr<HostedScreen> screen;
    HostedTicks ticks;

    // The services that sit on the file system, registry file and journal file.
    void assemble(const MachineConfig& config, const fs::path& registryFile, const fs::path& journalFile) {
        profile = std::make_unique<HostedProfile>(*files);
        registry = std::make_unique<HostedRegistry>(registryFile, seededRegistry(config.windowsDirectory));
        journal = std::make_unique<Journal>(journalFile);
        shell = std::make_unique<HostedShell>(*files, *registry, *journal);
        dialogs = std::make_unique<HostedDialogs>(*journal);
        clock = std::make_unique<HostedClock>(config.fixedClock, config.longDatePattern, config.shortTimePattern);
        system = std::make_unique<HostedSystem>(config.family, *journal);
        screen = std::make_unique<HostedScreen>(config.screenWidth, config.screenHeight, config.screenDpi);
    }
};

namespace {

std::string systemDirectoryOf(const MachineConfig& config) {
    return config.windowsDirectory + (config.family == WindowsFamily::NT ? "\\System32" : "\\System");
}

bool isInside(const fs::path& path, const fs::path& folder) {
    const auto relative = path.lexically_normal().lexically_relative(folder.lexically_normal());
    return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

HostedMachine::HostedMachine() : impl_(std::make_unique<Impl>()) {}
HostedMachine::~HostedMachine() = default;

std::unique_ptr<HostedMachine> HostedMachine::open(const fs::path& folder) {
    std::unique_ptr<HostedMachine> machine(new HostedMachine());
    Impl& impl = *machine->impl_;
    impl.folder = fs::absolute(folder).lexically_normal();
    std::error_code error;
    fs::create_directories(impl.folder, error);
    if (error) throw EInOutError("Cannot create the machine folder " + impl.folder.string() + ": " + error.message());

    const fs::path iniFile = impl.folder / "machine.ini";
    if (!stampOf(iniFile).exists) replaceHostFile(iniFile, defaultMachineIni());
    const auto iniText = readHostFile(iniFile);
    if (!iniText) throw EInOutError("Cannot read " + iniFile.string());
    const MachineConfig config = readMachineConfig(*iniText);

    impl.store = std::make_unique<MetadataStore>(impl.folder / "metadata.tsv", impl.folder);
    impl.names = std::make_unique<HostNamespace>(*impl.store);
    for (const auto& [letter, hostFolder] : config.drives) {
        const fs::path root = (impl.folder / fs::path(hostFolder)).lexically_normal();
        // Drive folders of the machine's own are made on first use; others must exist.
        if (isInside(root, impl.folder)) fs::create_directories(root, error);
        impl.names->mapDrive(letter, root);
    }

    FileSystemSettings settings;
    settings.windowsDirectory = config.windowsDirectory;
    settings.systemDirectory = systemDirectoryOf(config);
    const char firstDrive = config.drives.count('C') ? 'C' : config.drives.begin()->first;
    settings.currentDirectory = WindowsPath{std::string(1, firstDrive) + ":", {}, false};
    impl.files = std::make_unique<HostedFileSystem>(*impl.names, settings);
    if (!impl.files->directoryExists(config.windowsDirectory)) createWindowsLayout(*impl.files, config.windowsDirectory);

    const fs::path journalFile = impl.folder / "journal.log";
    if (!stampOf(journalFile).exists) appendHostFile(journalFile, "");
    impl.assemble(config, impl.folder / "registry.reg", journalFile);
    return machine;
}

std::unique_ptr<HostedMachine> HostedMachine::hostFiles() {
    std::unique_ptr<HostedMachine> machine(new HostedMachine());
    Impl& impl = *machine->impl_;
    const MachineConfig config;
    impl.store = std::make_unique<MetadataStore>(fs::path(), fs::path());
    impl.names = std::make_unique<HostNamespace>(*impl.store);
    impl.names->mapDrive('Z', "/");

    FileSystemSettings settings;
    settings.windowsDirectory = config.windowsDirectory;
    settings.systemDirectory = systemDirectoryOf(config);
    std::error_code error;
    const fs::path here = fs::current_path(error);
    settings.currentDirectory = *parseAbsolutePath(error ? std::string("Z:\\") : windowsPathOfHostFile(here));
    settings.readOnlyFromHost = true;
    impl.files = std::make_unique<HostedFileSystem>(*impl.names, settings);
    impl.assemble(config, fs::path(), fs::path());
    return machine;
}

std::string HostedMachine::windowsPathOfHostFile(const fs::path& hostPath) {
    std::string path = "Z:";
    for (const auto& part : fs::absolute(hostPath).lexically_normal().relative_path()) {
        if (part.empty()) continue;
        path += "\\" + windowsFromUtf8(part.string());
    }
    return path.size() == 2 ? path + "\\" : path;
}

FileSystem& HostedMachine::files() { return *impl_->files; }
Profile& HostedMachine::profile() { return *impl_->profile; }
Registry& HostedMachine::registry() { return *impl_->registry; }
Shell& HostedMachine::shell() { return *impl_->shell; }
Dialogs& HostedMachine::dialogs() { return *impl_->dialogs; }
Clock& HostedMachine::clock() { return *impl_->clock; }
Screen& HostedMachine::screen() { return *impl_->screen; }
Ticks& HostedMachine::ticks() { return impl_->ticks; }
System& HostedMachine::system() { return *impl_->system; }

const fs::path& HostedMachine::folder() const { return impl_->folder; }

void HostedMachine::mapDrive(char letter, const fs::path& hostFolder) {
    impl_->names->mapDrive(letter, fs::absolute(hostFolder).lexically_normal());
}

std::optional<fs::path> HostedMachine::hostPath(const std::string& windowsPath) {
    const auto resolved = impl_->files->resolve(windowsPath);
    if (!resolved) return std::nullopt;
    return resolved->host;
}

void HostedMachine::setAnswerer(DialogAnswerer answerer) { impl_->dialogs->setAnswerer(std::move(answerer)); }

void HostedMachine::setLaunchHandler(std::function<void(const ShellRequest&)> handler) {
    impl_->shell->setLaunchHandler(std::move(handler));
}

void HostedMachine::runPendingBatchFiles() { impl_->shell->runPendingBatchFiles(); }

void HostedMachine::holdFile(const std::string& windowsPath) { impl_->files->hold(windowsPath); }
void HostedMachine::releaseFile(const std::string& windowsPath) { impl_->files->release(windowsPath); }

void HostedMachine::setClock(const LocalTime& time) { impl_->clock->fix(time); }
void HostedMachine::setFreeSpace(char drive, std::uint64_t bytes) { impl_->files->setFreeSpace(drive, bytes); }

std::vector<std::string> HostedMachine::journal() { return impl_->journal->lines(); }
void HostedMachine::note(const std::string& line) { impl_->journal->add(line); }

}  // namespace tavlin::hosted
