// The fixture of the setup driver's tests: a fresh hosted machine whose drive D:
// holds the media, answers for message boxes, and the setup form created and
// shown the way the program does. The product's files reach the expansion folder
// the way the segment expansion leaves them (each under its builder path without
// the drive), beside setup.exe, install.cfg and finstall.cfg, and install.cfg is
// read from there.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/driver.h"
#include "platform/hosted/hosted_machine.h"
#include "setup/display_screen.h"
#include "setup/setup_program.h"

namespace tavlin::test {

struct ProductFile {
    std::string fields;       // keywords and folders before the path, with their separators
    std::string builderPath;  // the author's path, "C:\Work\acme.exe"
    std::string content;
};

// A front end that carries out a list of actions, one per call, then ends.
class ScriptedFrontEnd : public SetupFrontEnd {
public:
    std::deque<std::function<void(TDisplayScreen&)>> actions;
    bool NextAction(TDisplayScreen& screen) override;
};

class SetupFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Platform& platform() { return *machine; }
    FileSystem& files() { return machine->files(); }
    void WriteFile(const std::string& path, const std::string& content);
    std::optional<std::string> ReadFile(const std::string& path);
    bool Exists(const std::string& path) { return files().attributes(path).has_value(); }
    std::vector<std::string> Journal(const std::string& containing);

    // Creates the setup form with these parameters, as the program entry does,
    // and shows it; in install mode the wizard opens once the timer has fired.
    void CreateScreen(const std::vector<std::string>& parameters = {});
    void StartWizard(const std::vector<std::string>& parameters = {}) {
        CreateScreen(parameters);
        driver->FireDueTimers();
    }
    // Closes and destroys the form as the program does at its end, and lets go of
    // the program's file.
    void EndScreen();
    // Forgets the last run's form and state, for another run on the same machine.
    void NewRun();
    // Runs the whole program with a front end; returns its exit code.
    int RunProgram(const std::vector<std::string>& parameters, SetupFrontEnd& frontEnd);

    // The buttons on screen, by name, in the order of the bar.
    std::vector<std::string> Buttons();
    int Page() { return screen->Notebook1.PageIndex(); }

    // Stands in for the segment expansion: writes the product into the expansion
    // folder and reads the configuration from there.
    void Expand(TDisplayScreen& form);

    // The media's content.
    std::string installCfg;
    std::vector<ProductFile> product;
    bool expansionFails = false;

    // When set before SetUp, the new machine's machine.ini.
    std::string machineIni;
    std::filesystem::path machineFolder;
    std::unique_ptr<hosted::HostedMachine> machine;

    // Message boxes asked, and the answers to give (else their safe default).
    std::vector<std::string> asked;
    std::deque<MessageResult> answers;

    SetupOptions options;
    SetupState state;
    std::unique_ptr<TApplication> application;
    std::unique_ptr<TDisplayScreen> screen;
    std::unique_ptr<ControlDriver> driver;
    std::string held;  // the running program's file
};

// An install.cfg with a title and the given lines of [Setup Screen], then the
// rest as it is.
std::string Config(const std::string& screenLines, const std::string& rest = "");

// A self-removal batch: the lines that go to the program's folder, its deletion of
// setup.exe, tried again after pauses of 1, 2, 4 and 8 s while the file is still
// there, and the lines after it.
inline std::vector<std::string> BatchDeletingSetupExe(std::vector<std::string> lines,
                                                      const std::vector<std::string>& after) {
    lines.push_back("del setup.exe");
    for (const char* pings : {"2", "3", "5", "9"}) {
        lines.push_back(std::string("if exist setup.exe ping -n ") + pings + " 127.0.0.1 > nul");
        lines.push_back("if exist setup.exe del setup.exe");
    }
    lines.insert(lines.end(), after.begin(), after.end());
    return lines;
}

}  // namespace tavlin::test
