#include "setup/setup_fixture.h"

#include <fstream>

#include "common/machine_fixture.h"
#include "platform/platform.h"
#include "setup/command_line.h"
#include "setup/screen_service.h"
#include "setup/setup_config.h"
#include "setup/start_up.h"
#include "support/paths.h"

namespace tavlin::test {

bool ScriptedFrontEnd::NextAction(TDisplayScreen& screen) {
    if (actions.empty()) return false;
    auto action = std::move(actions.front());
    actions.pop_front();
    action(screen);
    return true;
}

std::string Config(const std::string& screenLines, const std::string& rest) {
    return "[Setup Screen]\r\nText Line 1=Acme Widgets\r\n" + screenLines + rest;
}

void SetupFixture::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    machineFolder = std::filesystem::path(TAVLIN_BINARY_DIR) / "test-machines" / "setup" / name;
    // A test may run several setups one after the other on fresh machines.
    NewRun();
    answers.clear();
    product.clear();
    expansionFails = false;
    std::filesystem::remove_all(machineFolder);
    if (!machineIni.empty()) {
        std::filesystem::create_directories(machineFolder);
        std::ofstream(machineFolder / "machine.ini", std::ios::binary) << machineIni;
    }
    machine = hosted::HostedMachine::open(machineFolder);
    std::filesystem::create_directories(machineFolder / "media");
    machine->mapDrive('D', machineFolder / "media");
    machine->setClock(LocalTime{2024, 5, 17, 9, 30, 15});
    machine->setAnswerer([this](const hosted::DialogRequest& request) {
        asked.push_back(request.text);
        hosted::DialogAnswer answer;
        answer.result = request.safeDefault;
        if (!answers.empty()) {
            answer.result = answers.front();
            answers.pop_front();
        }
        return answer;
    });
    files().setCurrentDirectory("D:\\");
    WriteFile("D:\\setup.exe", "MZ setup");
    installCfg = Config("");
}

void SetupFixture::TearDown() {
    driver.reset();
    screen.reset();
    application.reset();
    machine.reset();
    if (!HasFailure()) std::filesystem::remove_all(machineFolder);
}

void SetupFixture::WriteFile(const std::string& path, const std::string& content) {
    files().forceDirectories(ExtractFilePath(path));
    auto stream = files().create(path);
    stream->writeBuffer(content.data(), content.size());
}

std::optional<std::string> SetupFixture::ReadFile(const std::string& path) {
    return test::tryReadMachineFile(files(), path);
}

std::vector<std::string> SetupFixture::Journal(const std::string& containing) {
    std::vector<std::string> lines;
    for (const std::string& line : machine->journal()) {
        if (line.find(containing) != std::string::npos) lines.push_back(line);
    }
    return lines;
}

void SetupFixture::Expand(TDisplayScreen& form) {
    SetupState& s = form.State;
    try {
        if (expansionFails) throw Exception("damaged segment");
        files().forceDirectories(s.ExpandDir);
        std::string list;
        for (const ProductFile& file : product) {
            if (file.builderPath.back() != '\\') WriteFile(s.ExpandDir + file.builderPath.substr(3), file.content);
            list += file.fields + file.builderPath + "\r\n";
        }
        WriteFile(s.ExpandDir + "setup.exe", "MZ setup");
        WriteFile(s.ExpandDir + "install.cfg", installCfg);
        WriteFile(s.ExpandDir + "finstall.cfg", list);
        ReadSetupConfig(form, s.ExpandDir);
    } catch (const Exception&) {
        form.Application.MessageBox("Error Expanding Files!!");
        s.ExpandFailed = true;
    }
}

void SetupFixture::CreateScreen(const std::vector<std::string>& parameters) {
    const SetupCommandLine commandLine = ParseSetupCommandLine(parameters);
    options = commandLine.Options;
    const std::string joined = JoinParameters(commandLine.Parameters);
    // A form of an earlier run goes before the application it belongs to.
    driver.reset();
    screen.reset();
    application = std::make_unique<TApplication>(*machine);
    UseScreen(*application, machine->screen());
    application->Title = "Tavlin Pro";
    ChangeToRegisteredFolder(*machine, joined);
    state.StartDir = files().currentDirectory();
    state.UninstallMode = files().fileExists(IncludeTrailingBackslash(state.StartDir) + "uninstaller.cfg");
    if (state.UninstallMode) application->Title = "VIVURO - Uninstaller";
    // The running program's own file is in use while it runs.
    held = IncludeTrailingBackslash(state.StartDir) + "setup.exe";
    if (files().fileExists(held)) {
        machine->holdFile(held);
    } else {
        held.clear();
    }
    screen = std::make_unique<TDisplayScreen>(*application, state, options, joined, ChangeRecorder{});
    screen->ShowExpansionForm = [this](TDisplayScreen& form) { Expand(form); };
    driver = std::make_unique<ControlDriver>(*application, *screen);
    screen->FormCreate();
    screen->Resize(application->ScreenWidth, application->ScreenHeight);
    screen->Show();
}

void SetupFixture::EndScreen() {
    if (!screen->Released()) screen->Close();
    screen->Destroy();
    if (!held.empty()) machine->releaseFile(held);
    held.clear();
}

void SetupFixture::NewRun() {
    driver.reset();
    screen.reset();
    application.reset();
    state = SetupState{};
    asked.clear();
}

int SetupFixture::RunProgram(const std::vector<std::string>& parameters, SetupFrontEnd& frontEnd) {
    SetupProgramHooks hooks;
    hooks.ExpansionForm = [this](TDisplayScreen& form) { Expand(form); };
    return RunSetupProgram(*machine, parameters, frontEnd, hooks);
}

std::vector<std::string> SetupFixture::Buttons() {
    std::vector<std::string> names;
    for (TButton* button : driver->ShowingButtons()) names.push_back(button->Name);
    return names;
}

}  // namespace tavlin::test
