// tavlin-setup: runs the setup on a hosted machine.
//   tavlin-setup --machine DIR [--drive L=HOSTDIR]... [--cd WINFOLDER] [--] ARGS...
//   tavlin-setup --machine DIR --create-only     (makes a fresh machine and stops)
//   tavlin-setup --machine DIR --screenshots PICTURES ...  (also writes a PNG of the
//     whole screen each time it settles: 01-expanding.png, 02-welcome.png, ...)
// ARGS is the setup's own command line (switches first). Without /SILENT or
// /VERYSILENT the wizard is shown in the terminal and answered by typed lines.
// When the setup has ended, the batch files it started run, as Windows would run
// them after the program's end. The exit code is the setup's.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "hosted_launch.h"
#include "platform/hosted/hosted_machine.h"
#include "platform/hosted/hosted_pictures.h"
#include "screenshots/screenshot_front_end.h"
#include "setup/command_line.h"
#include "setup/silent_wizard.h"
#include "setup/terminal_wizard.h"
#include "support/paths.h"
#include "support/text.h"

namespace {

using namespace tavlin;

constexpr int kUsageError = 1;

int Usage(const std::string& message) {
    std::cerr << "tavlin-setup: " << message << "\n"
              << "usage: tavlin-setup --machine DIR [--drive L=HOSTDIR]... [--cd WINFOLDER] [--screenshots DIR] [--] ARGS...\n"
              << "       tavlin-setup --machine DIR --create-only\n"
              << "options: --screenshots PICTURES  writes a PNG of the screen each time it settles\n";
    return kUsageError;
}

struct Arguments {
    std::string machine;
    std::vector<std::pair<char, std::string>> drives;
    std::optional<std::string> currentFolder;
    std::optional<std::string> screenshots;
    std::vector<std::string> setupParameters;
    bool createOnly = false;
    int killAtChange = 0;  // hidden, for tests: end abruptly at the nth change
};

std::optional<std::string> ParseArguments(int argc, char** argv, Arguments& arguments) {
    int i = 1;
    for (; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc) return std::nullopt;
            return std::string(argv[++i]);
        };
        if (a == "--") {
            ++i;
            break;
        }
        if (a == "--machine") {
            auto v = value();
            if (!v) return "--machine needs a folder";
            arguments.machine = *v;
        } else if (a == "--drive") {
            auto v = value();
            if (!v || v->size() < 3 || (*v)[1] != '=' || !std::isalpha(static_cast<unsigned char>((*v)[0]))) {
                return "--drive needs L=HOSTDIR";
            }
            arguments.drives.emplace_back(static_cast<char>(std::toupper(static_cast<unsigned char>((*v)[0]))),
                                          v->substr(2));
        } else if (a == "--kill-at-change") {
            auto v = value();
            if (!v || v->empty() || v->find_first_not_of("0123456789") != std::string::npos) {
                return "--kill-at-change needs a count";
            }
            arguments.killAtChange = std::stoi(*v);
        } else if (a == "--create-only") {
            arguments.createOnly = true;
        } else if (a == "--screenshots") {
            auto v = value();
            if (!v) return "--screenshots needs a folder";
            arguments.screenshots = *v;
        } else if (a == "--cd") {
            auto v = value();
            if (!v) return "--cd needs a Windows folder";
            arguments.currentFolder = *v;
        } else if (a.rfind("--", 0) == 0) {
            return "unknown option " + a;
        } else {
            break;
        }
    }
    for (; i < argc; ++i) arguments.setupParameters.emplace_back(argv[i]);
    if (arguments.machine.empty()) return "--machine is required";
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (auto error = ParseArguments(argc, argv, arguments)) return Usage(*error);

    std::unique_ptr<hosted::HostedMachine> machine;
    try {
        machine = hosted::HostedMachine::open(arguments.machine);
        for (const auto& [letter, folder] : arguments.drives) machine->mapDrive(letter, folder);
    } catch (const std::exception& error) {
        std::cerr << "tavlin-setup: " << error.what() << "\n";
        return kUsageError;
    }

    if (arguments.createOnly) return 0;

    std::string start = arguments.currentFolder.value_or("");
    if (start.empty()) {
        start = "C:\\";
        for (const auto& drive : arguments.drives) {
            if (drive.first != 'C') {
                start = std::string(1, drive.first) + ":\\";
                break;
            }
        }
    }
    if (!machine->files().setCurrentDirectory(start)) return Usage("cannot enter " + start + " on the machine");

    const SetupOptions options = ParseSetupCommandLine(arguments.setupParameters).Options;
    TerminalWizard terminal(std::cin, std::cout);
    SilentWizard silent(options.Silent && !options.VerySilent ? &std::cout : nullptr);
    SetupFrontEnd& driving = options.Unattended() ? static_cast<SetupFrontEnd&>(silent) : terminal;
    hosted::HostedPictureDecoder decoder;
    std::unique_ptr<ScreenshotFrontEnd> screenshots;
    if (arguments.screenshots) {
        std::error_code error;
        std::filesystem::create_directories(*arguments.screenshots, error);
        if (error) return Usage("cannot make " + *arguments.screenshots + ": " + error.message());
        screenshots = std::make_unique<ScreenshotFrontEnd>(driving, *arguments.screenshots, machine->files(), decoder);
    }
    SetupFrontEnd& frontEnd = screenshots ? static_cast<SetupFrontEnd&>(*screenshots) : driving;

    machine->setAnswerer([&](const hosted::DialogRequest& request) {
        hosted::DialogAnswer answer;
        if (options.NoMessageBoxes()) {
            // Silent runs answer every box with its safe default, and leave input
            // boxes and folder choosers cancelled.
            answer.result = request.safeDefault;
            answer.ok = false;
            return answer;
        }
        if (request.kind == hosted::DialogRequest::Kind::MessageBox) {
            if (screenshots) screenshots->MessageBoxShown({request.caption, request.text, request.buttons, request.messageKind});
            answer.result = terminal.AskMessage(request.caption, request.text, request.buttons, request.safeDefault);
        } else {
            answer.text = request.editText;
            answer.ok = terminal.AskText(request.caption, request.text, answer.text);
        }
        return answer;
    });

    // An earlier installation's uninstaller, started by the setup, runs to its end
    // with the same front end before the setup goes on.
    machine->setLaunchHandler([&](const hosted::ShellRequest& request) {
        if (!SameTextAscii(ExtractFileName(request.file), "setup.exe")) return;
        FileSystem& files = machine->files();
        const std::string before = files.currentDirectory();
        if (!request.folder.empty()) files.setCurrentDirectory(request.folder);
        std::vector<std::string> parameters = SplitParameters(request.parameters);
        if (options.Unattended()) parameters.insert(parameters.begin(), options.VerySilent ? "/VERYSILENT" : "/SILENT");
        TDisplayScreen* shown = screenshots ? screenshots->Current() : nullptr;
        RunHostedSetup(*machine, parameters, frontEnd);
        if (screenshots) screenshots->SetCurrent(shown);  // the earlier form is on screen again
        files.setCurrentDirectory(before);
    });

    const int code = RunHostedSetup(*machine, arguments.setupParameters, frontEnd, arguments.killAtChange);
    machine->runPendingBatchFiles();
    return code;
}
