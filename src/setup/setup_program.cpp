#include "setup/setup_program.h"

#include <memory>

#include "platform/platform.h"
#include "setup/change_log.h"
#include "setup/command_line.h"
#include "setup/display_screen.h"
#include "setup/screen_service.h"
#include "setup/start_up.h"
#include "setup/unzip_form.h"
#include "support/paths.h"
#include "uninstall/del_tree.h"

namespace tavlin {

namespace {

// A message's lines joined by " / ", so that the record keeps one line per box.
std::string OneLine(const std::string& text) {
    std::string line;
    bool pendingBreak = false;
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            pendingBreak = !line.empty();
            continue;
        }
        if (pendingBreak) line += " / ";
        pendingBreak = false;
        line += c;
    }
    return line;
}

// The screen of a run that opens none: the tree deletion it needs is not verbose
// and asks nothing.
class NoScreen : public EngineUi {
public:
    MessageResult MessageBox(const std::string&, MessageButtons, MessageKind, MessageResult safeDefault) override {
        return safeDefault;
    }
    void ProcessMessages() override {}
    void StartProgress(int, ProgressAnimation) override {}
    void UpdateProgress(int, const std::string&, const std::string&) override {}
};

std::string AnswerName(MessageResult answer) {
    switch (answer) {
        case MessageResult::Ok: return "OK";
        case MessageResult::Cancel: return "Cancel";
        case MessageResult::Yes: return "Yes";
        case MessageResult::No: return "No";
        case MessageResult::All: return "All";
        case MessageResult::Abort: return "Abort";
        case MessageResult::Retry: return "Retry";
        case MessageResult::Ignore: return "Ignore";
    }
    return "?";
}

}  // namespace

int RunSetupProgram(Platform& platform, const std::vector<std::string>& parameters, SetupFrontEnd& frontEnd,
                    const SetupProgramHooks& hooks) {
    const SetupCommandLine commandLine = ParseSetupCommandLine(parameters);
    const SetupOptions& options = commandLine.Options;
    const std::string joined = JoinParameters(commandLine.Parameters);

    TApplication application(platform);
    UseScreen(application, platform.screen());
    application.Title = "Tavlin Pro";
    application.SuppressMessageBoxes = options.NoMessageBoxes();
    application.OnSuppressedMessage = [&](const std::string& text, MessageResult) {
        frontEnd.SuppressedMessage(text);
    };

    std::unique_ptr<ChangeLog> changeLog;
    if (options.Log) {
        try {
            changeLog = std::make_unique<ChangeLog>(platform, *options.Log);
        } catch (const ESetupStartError& error) {
            application.MessageBox(error.what(), MessageButtons::Ok, MessageKind::Error);
            return ExitCodeOf(SetupOutcome::CouldNotStart);
        }
    }

    ChangeRecorder recordChange;
    if (changeLog || hooks.ChangeMade) {
        recordChange = [&changeLog, &hooks](const std::string& change) {
            if (changeLog) changeLog->Record(change);
            if (hooks.ChangeMade) hooks.ChangeMade(change);
        };
    }

    if (FinishStoppedUninstall(platform, joined, recordChange)) {
        NoScreen noScreen;
        TDelTree delTree(platform, noScreen);
        RemoveStaleExpansionFolders(platform, delTree, recordChange);
        return ExitCodeOf(SetupOutcome::Completed);
    }

    SetupState state;
    state.UninstallMode = false;
    ChangeToRegisteredFolder(platform, joined);
    state.StartDir = platform.files().currentDirectory();
    if (platform.files().fileExists(IncludeTrailingBackslash(state.StartDir) + "uninstaller.cfg")) {
        state.UninstallMode = true;
        application.Title = "VIVURO - Uninstaller";
    }
    if (hooks.ProgramStarted) hooks.ProgramStarted(IncludeTrailingBackslash(state.StartDir) + "setup.exe");

    TDisplayScreen screen(application, state, options, joined, recordChange);
    if (changeLog) {
        screen.RecordNote = [&changeLog](const std::string& note) { changeLog->Record(note); };
        // Every message box goes into the record with its answer, shown or not.
        application.OnMessageAnswered = [&changeLog](const std::string& text, MessageResult answer, bool suppressed) {
            changeLog->Record(std::string(suppressed ? "Message box suppressed" : "Message box shown") + ": " +
                              OneLine(text) + " -> " + AnswerName(answer));
        };
    }
    screen.ShowExpansionForm = hooks.ExpansionForm ? hooks.ExpansionForm : ShowUnzipForm;
    frontEnd.Attach(screen);
    application.OnIdle = [&] { return frontEnd.NextAction(screen); };
    application.OnProcessMessages = [&] { frontEnd.Update(screen); };
    application.OnRepaint = [&] { frontEnd.Update(screen); };

    if (!application.Dispatch([&] { screen.FormCreate(); })) {
        // The start failed and has been reported; nothing was expanded.
        screen.Outcome = SetupOutcome::CouldNotStart;
        screen.Close();
    } else {
        screen.Resize(application.ScreenWidth, application.ScreenHeight);
        if (!application.Dispatch([&] { screen.Show(); }) && screen.Outcome == SetupOutcome::Unfinished) {
            screen.Outcome = SetupOutcome::CouldNotStart;
        }
    }
    while (!screen.Released()) {
        // When no further action can come, the window is closed as by its close box.
        if (!application.HandleMessage()) application.Dispatch([&] { screen.Close(); });
    }
    application.Dispatch([&] { screen.Destroy(); });
    return ExitCodeOf(screen.Outcome);
}

}  // namespace tavlin
