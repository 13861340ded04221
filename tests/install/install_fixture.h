// The shared fixture of the installation tests: a fresh hosted machine, the
// objects a run needs from the setup screen, a scripted answerer for message
// boxes, and a small expanded product in the expansion folder.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/application.h"
#include "install/install_context.h"
#include "install/setup_state.h"
#include "install/shortcuts.h"
#include "platform/hosted/hosted_machine.h"
#include "controls/progress_dialog.h"
#include "setup/screen_ui.h"

namespace tavlin::test {

// A machine of its own for each test.
class MachineFixture : public ::testing::Test {
protected:
    void SetUp() override;
    // A passed test leaves no machine folder behind.
    void TearDown() override;

    Platform& platform() { return *machine; }
    FileSystem& files() { return machine->files(); }

    // Writes a file (creating its folder), optionally with a last-write time.
    void WriteFile(const std::string& path, const std::string& content, std::optional<LocalTime> date = {});
    // A file's bytes, or nothing when it cannot be read.
    std::optional<std::string> ReadFile(const std::string& path);
    // A file's lines without the blank ones.
    std::vector<std::string> NonBlankLines(const std::string& path);
    // Every file and folder of drive C with the file contents, and the registry text.
    std::map<std::string, std::string> Snapshot();

    std::filesystem::path machineFolder;
    std::unique_ptr<hosted::HostedMachine> machine;
    std::unique_ptr<TApplication> application;
    // The engines' view of the screen: the application and its progress dialog.
    std::unique_ptr<TProgressDialog> progress;
    std::unique_ptr<ScreenUi> ui;

    // Message boxes asked so far; each is answered from answers (front first) or,
    // when that is empty, with its safe default. onMessage may throw to stop a run.
    std::vector<hosted::DialogRequest> asked;
    std::deque<MessageResult> answers;
    std::function<void(const hosted::DialogRequest&)> onMessage;
};

// A machine with the setup screen's side of an installation run.
class InstallFixture : public MachineFixture {
protected:
    void SetUp() override;

    InstallContext Context();
    // Builds the installation lists as reading the configuration does, then runs
    // the installation.
    void Install();

    // Puts a file of the product into the expansion folder and lists it in the
    // file list: builderPath is the author's path ("C:\Work\acme.exe") and fields
    // the keywords and folders before it ("Installation Directory").
    void AddProductFile(const std::string& fields, const std::string& builderPath, const std::string& content,
                        std::optional<LocalTime> date = {});
    // The expanded setup.exe, install.cfg and finstall.cfg that every run copies.
    void AddSetupFiles();
    // The product of the log example: acme.exe, acmelib.dll for the System folder,
    // a Start-menu shortcut Acme in Acme Tools, an INI and a registry entry.
    void UseAcmeProduct();

    std::string LogPath() const { return mainDir + "uninstaller.cfg"; }

    SetupState state;
    std::unique_ptr<TShortcuts> shortcuts;
    int progressCount = 0;
    std::string mainDir = "C:\\Program Files\\Acme\\";
    std::string title = "Acme";
    bool folderStartMenu = false;
    bool folderDesktop = false;
    std::vector<bool> shortcutRows;
    std::vector<std::string> stages;
    std::vector<std::string> changes;
    bool finishedPageSelected = false;
};

}  // namespace tavlin::test
