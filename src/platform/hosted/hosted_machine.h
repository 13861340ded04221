// A virtual Windows PC kept in a host folder: its drives, its Windows folder, its
// registry and a journal of the effects that no file shows. It implements every
// platform service, so the setup and the tools run on it unchanged.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tavlin::hosted {

// What a dialog asks; handed to the answerer.
struct DialogRequest {
    enum class Kind { MessageBox, InputBox, FolderChooser };
    Kind kind = Kind::MessageBox;
    std::string caption;
    std::string text;  // message text, or the input box's prompt
    MessageButtons buttons = MessageButtons::Ok;
    MessageKind messageKind = MessageKind::Information;
    MessageResult safeDefault = MessageResult::Ok;
    std::string editText;  // input box and folder chooser: the text offered
};

// The answer: the button for a message box; ok and the edited text otherwise.
struct DialogAnswer {
    MessageResult result = MessageResult::Ok;
    bool ok = true;
    std::string text;
};

using DialogAnswerer = std::function<DialogAnswer(const DialogRequest&)>;

// A request to start something through the shell.
struct ShellRequest {
    ShellOwner owner = ShellOwner::Desktop;
    std::string verb, file, parameters, folder;
    int showCommand = 0;
};

class HostedMachine : public Platform {
public:
    // The machine kept in folder, created with the default layout on first use.
    static std::unique_ptr<HostedMachine> open(const std::filesystem::path& folder);
    // A machine without a folder of its own whose drive Z: is the host's root, so
    // that the tools reach host files by Windows paths; nothing of it persists.
    static std::unique_ptr<HostedMachine> hostFiles();
    // The Windows path under which hostFiles() sees a host path ("/a/b" is "Z:\a\b").
    static std::string windowsPathOfHostFile(const std::filesystem::path& hostPath);

    ~HostedMachine() override;

    FileSystem& files() override;
    Profile& profile() override;
    Registry& registry() override;
    Shell& shell() override;
    Dialogs& dialogs() override;
    Clock& clock() override;
    System& system() override;
    Screen& screen() override;
    Ticks& ticks() override;

    // The machine folder on the host (empty for hostFiles()).
    const std::filesystem::path& folder() const;
    // Maps a drive letter to a host folder for the life of this object.
    void mapDrive(char letter, const std::filesystem::path& hostFolder);
    // Where a Windows path lives on the host; existing components are matched
    // ignoring case and by short name. Nothing when the drive is not mapped.
    std::optional<std::filesystem::path> hostPath(const std::string& windowsPath);

    // Dialogs are answered by this function; without one every dialog raises.
    void setAnswerer(DialogAnswerer answerer);
    // Programs started through the shell (other than batch files) are handed to
    // this function after they are journaled; without one they are only journaled.
    void setLaunchHandler(std::function<void(const ShellRequest&)> handler);
    // Runs, in order, the batch files started through the shell so far, as Windows
    // would run them once the starting program has ended.
    void runPendingBatchFiles();

    // Marks a file as in use (a running program's image): it cannot be deleted or
    // replaced until released.
    void holdFile(const std::string& windowsPath);
    void releaseFile(const std::string& windowsPath);

    // Fixes the local clock (tests); otherwise the machine's clock setting or the
    // host's clock is used.
    void setClock(const LocalTime& time);
    // Free bytes reported for a drive (tests); otherwise the host's free space.
    void setFreeSpace(char drive, std::uint64_t bytes);

    // The journal's lines so far.
    std::vector<std::string> journal();
    // Adds a line to the journal.
    void note(const std::string& line);

private:
    HostedMachine();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tavlin::hosted
