// The shared fixture of the installation tests.
#include "install/install_fixture.h"

#include <fstream>
#include <iterator>

#include "common/machine_fixture.h"
#include "install/installation_run.h"
#include "install/path_macros.h"
#include "support/date_time.h"
#include "support/paths.h"
#include "support/string_list.h"
#include "support/text.h"

namespace tavlin::test {

namespace {

std::filesystem::path FreshMachineFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    const auto folder = std::filesystem::path(TAVLIN_BINARY_DIR) / "test-machines" / "install" / name;
    std::filesystem::remove_all(folder);
    return folder;
}

}  // namespace

void MachineFixture::SetUp() {
    machineFolder = FreshMachineFolder();
    machine = hosted::HostedMachine::open(machineFolder);
    machine->setClock(LocalTime{2024, 5, 17, 9, 30, 15});
    machine->setAnswerer([this](const hosted::DialogRequest& request) {
        asked.push_back(request);
        if (onMessage) onMessage(request);
        hosted::DialogAnswer answer;
        answer.result = request.safeDefault;
        if (!answers.empty()) {
            answer.result = answers.front();
            answers.pop_front();
        }
        return answer;
    });
    application = std::make_unique<TApplication>(*machine);
    application->Title = "Acme";
    progress = std::make_unique<TProgressDialog>(*application);
    ui = std::make_unique<ScreenUi>(*application, *progress);
}

void MachineFixture::TearDown() {
    ui.reset();
    progress.reset();
    application.reset();
    machine.reset();
    if (!HasFailure()) std::filesystem::remove_all(machineFolder);
}

void MachineFixture::WriteFile(const std::string& path, const std::string& content, std::optional<LocalTime> date) {
    files().forceDirectories(ExtractFilePath(path));
    auto stream = files().create(path);
    stream->writeBuffer(content.data(), content.size());
    if (date) {
        ASSERT_TRUE(stream->setLastWriteTime(LocalTimeToDosDateTime(*date)));
    }
}

std::optional<std::string> MachineFixture::ReadFile(const std::string& path) {
    return test::tryReadMachineFile(files(), path);
}

std::vector<std::string> MachineFixture::NonBlankLines(const std::string& path) {
    StringList lines;
    lines.SetText(ReadFile(path).value_or(""));
    std::vector<std::string> result;
    for (const auto& line : lines) {
        if (!line.empty()) result.push_back(line);
    }
    return result;
}

std::map<std::string, std::string> MachineFixture::Snapshot() {
    std::map<std::string, std::string> snapshot;
    const auto drive = *machine->hostPath("C:\\");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(drive)) {
        const std::string name = "C:/" + std::filesystem::relative(entry.path(), drive).generic_string();
        if (entry.is_directory()) {
            snapshot[name + "/"] = "";
        } else {
            std::ifstream in(entry.path(), std::ios::binary);
            snapshot[name] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    std::ifstream registry(machineFolder / "registry.reg", std::ios::binary);
    snapshot["registry.reg"] = std::string(std::istreambuf_iterator<char>(registry), {});
    return snapshot;
}

void InstallFixture::SetUp() {
    MachineFixture::SetUp();
    state.ExpandDir = "C:\\WINDOWS\\Temp\\tvlp_093015\\";
    state.SourceDir = "D:\\";
    files().forceDirectories(state.ExpandDir);
    progress->Caption = "Installing Application";
    progress->CommonAvi = aviCopyFiles;
    shortcuts = std::make_unique<TShortcuts>(*machine);
}

InstallContext InstallFixture::Context() {
    return InstallContext{
        *machine,
        *ui,
        state,
        progressCount,
        mainDir,
        title,
        folderStartMenu,
        folderDesktop,
        shortcutRows,
        [this](const std::string& caption) { stages.push_back(caption); },
        [this] { finishedPageSelected = true; },
        *shortcuts,
        [this](const std::string& change) { changes.push_back(change); },
    };
}

void InstallFixture::Install() {
    BuildInstallLists(*machine, state, mainDir);
    auto context = Context();
    RunInstallation(context);
}

void InstallFixture::AddProductFile(const std::string& fields, const std::string& builderPath,
                                    const std::string& content, std::optional<LocalTime> date) {
    state.ArchiveFileList.Add(fields.empty() ? builderPath : fields + "," + builderPath);
    if (!EndsWith(builderPath, "\\")) WriteFile(state.ExpandDir + builderPath.substr(3), content, date);
}

void InstallFixture::AddSetupFiles() {
    WriteFile(state.ExpandDir + "setup.exe", "MZ setup");
    WriteFile(state.ExpandDir + "install.cfg", "[Setup Screen]\r\nText Line 1=Acme\r\n");
    WriteFile(state.ExpandDir + "finstall.cfg", "Installation Directory,C:\\Work\\acme.exe\r\n");
}

void InstallFixture::UseAcmeProduct() {
    AddSetupFiles();
    AddProductFile("Installation Directory", "C:\\Work\\acme.exe", "acme program");
    AddProductFile("System", "C:\\Work\\acmelib.dll", "acme library");
    state.DesktopItems.Add(
        "Acme,<InstallDir>\\acme.exe,X,,,C:\\Work\\acme.exe,Acme Tools,C:\\Work\\acme.ico,Normal,/fast");
    shortcutRows = {true, false, false};
    state.IniRegistryEntries.Add("acme.ini,Options,Data,<InstallDir>\\data");
    state.IniRegistryEntries.Add("HKEY_LOCAL_MACHINE\\,Software\\Acme,Path,<InstallDir>");
    state.AutoexecLines.Add("set acmedir=<InstallDir>\\");
    state.AutoexecLines.Add("copy <InstallDir>\\acme.ini c:\\");
}

}  // namespace tavlin::test
