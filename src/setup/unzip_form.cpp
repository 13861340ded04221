#include "setup/unzip_form.h"

#include <algorithm>
#include <cstdio>

#include "platform/platform.h"
#include "setup/display_screen.h"
#include "setup/expansion_result.h"
#include "setup/setup_config.h"
#include "support/file_utils.h"
#include "support/paths.h"
#include "support/safe_path.h"

namespace tavlin {

TUNZIP::TUNZIP(TDisplayScreen& screen)
    : TForm(screen.Application, "UNZIP"),
      Screen(screen),
      State(screen.State),
      Timer1(screen.Application, "Timer1"),
      SegCompEZ1(screen.Application.platform()) {
    Caption = "TVL2000 - Setup";
    WindowState = TWindowState::wsMinimized;
    SetBounds(0, 0, 200, 100);
    const TPoint at = CentredIn(Application.ScreenWidth, Application.ScreenHeight, Width, Height);
    Left = at.x;
    Top = at.y;
    Timer1.Interval = 1000;
    Timer1.OnTimer = [this] { Timer1Timer(); };

    // The segment reader as designed; the folders are set for each run.
    SegCompEZ1.MakeDirectories = true;
    // A member that cannot be created fails the expansion: the product would be
    // incomplete, and the failure handling calls an unwritable file an error.
    SegCompEZ1.ExceptionOnFileError = true;
    SegCompEZ1.Key = 0;
    SegCompEZ1.CheckSpaceBeforeExpand = false;
    SegCompEZ1.SetSegBaseName("disk");
    SegCompEZ1.SetSegDir("a:\\");
    SegCompEZ1.SegPopUp = false;  // this form asks for the disks itself
    SegCompEZ1.SetSegSize(1440000);
    SegCompEZ1.SetSegTmpDir("\\windows\\temp");
    SegCompEZ1.SegBuildMode = bmRecursive;
    SegCompEZ1.SegCompType = coLZH5;
    SegCompEZ1.SegMultiArc = true;
    SegCompEZ1.ProcessMessages = [this] { Application.ProcessMessages(); };
    SegCompEZ1.OnSegBefore = [this](TSegMode mode, const std::string& name, std::uint16_t number) {
        SegCompEZ1SegBefore(mode, name, number);
    };
    SegCompEZ1.OnCheckFile = [this](std::string& filepath, TCProcessMode mode) { SegCompEZ1CheckFile(filepath, mode); };
    OnShow = [this] { FormShow(); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
}

TUNZIP::~TUNZIP() {
    if (Screen.ExpansionProgress == Progress.get()) Screen.ExpansionProgress = nullptr;
}

void TUNZIP::FormCreate() {
    Progress = std::make_unique<TProgressDialog>(Application);
    Progress->Caption = "Decompressing ...";
    Progress->CommonAvi = aviCopyFiles;
    Progress->Center = true;
    Screen.ExpansionProgress = Progress.get();
}

void TUNZIP::FormShow() { Timer1.SetEnabled(true); }

void TUNZIP::Timer1Timer() {
    Timer1.SetEnabled(false);
    ExpandSetupFiles();
}

void TUNZIP::ExpandSetupFiles() {
    FileSystem& files = Application.platform().files();
    try {
        State.ArchiveFileList.LoadFromFile(files, State.SourceDir + "finstall.cfg");
    } catch (const EStreamError&) {
        // Without the list the copy at the first segment fails, and with it the run.
    }
    Application.ProcessMessages();
    State.ExpandFailed = false;
    SegCompEZ1.SetSegBaseName("disk");
    SegCompEZ1.SetSegDir(State.SourceDir);
    SegCompEZ1.SetSegTmpDir(State.SegTempDir);
    SegCompEZ1.SetTargetPath(State.ExpandDir);
    ClearSegmentState();
    files.forceDirectories(State.ExpandDir);
    files.forceDirectories(State.SegTempDir);
    try {
        Progress->MaxProgress = 0;
        State.ExpandedCount = 0;
        SegCompEZ1.SegExpandAll();
        ReadSetupConfig(Screen, State.ExpandDir);
        CheckExpansionResult(files, State, Screen.TextInfo1.Caption);
        Application.ProcessMessages();
        Screen.Refresh();
        Application.ProcessMessages();
        ClearSegmentState();
        State.ExpandFailed = false;
        Close();
    } catch (const std::exception&) {
        // The lower layers' own messages are not shown; this one stands for them all.
        Application.MessageBox("Error Expanding Files!!");
        ClearSegmentState();
        Close();
        State.ExpandFailed = true;
    }
}

void TUNZIP::ClearSegmentState() {
    SegCompEZ1.ClearArchiveList();
    SegCompEZ1.SegSource.Clear();
}

void TUNZIP::SegCompEZ1SegBefore(TSegMode, const std::string&, std::uint16_t segNumber) {
    const std::string& baseName = SegCompEZ1.SegBaseName();
    FileSystem& files = Application.platform().files();
    char number[8];
    std::snprintf(number, sizeof number, "%03u", static_cast<unsigned>(segNumber));
    Application.ProcessMessages();
    const std::string path = State.SourceDir + baseName + "." + number;
    for (int asked = 0; asked < 2 && !files.fileExists(path); ++asked) {
        Application.MessageBox("Please Insert Disk #" + std::to_string(segNumber) + " into Floppy Drive.");
    }
    Application.ProcessMessages();
    if (segNumber == 1) {
        Progress->MaxProgress = static_cast<int>(State.ArchiveFileList.Count());
        Progress->Show();
        State.ExpandedCount = 0;
        Progress->UpdateProgress(0, "Install File ..", "setup.exe");
        Application.ProcessMessages();
        for (const char* name : {"setup.exe", "install.cfg", "finstall.cfg"}) {
            CopyFileTo(Application.platform(), State.SourceDir + name, State.ExpandDir);
            ++State.ExpandedCount;
        }
    }
    Application.ProcessMessages();
}

void TUNZIP::SegCompEZ1CheckFile(std::string& filepath, TCProcessMode) {
    // A member is stored under its full path with a drive; what follows the drive
    // goes below the expansion folder, and nothing may climb out of it.
    if (filepath.size() < 4 || filepath[1] != ':' || (filepath[2] != '\\' && filepath[2] != '/') ||
        !IsSafePath(filepath, PathForm::Absolute)) {
        throw EUnsafeMemberPath("Refused member " + filepath);
    }
    const std::string rest = filepath.substr(3);
    std::string target = State.ExpandDir + rest;
    std::replace(target.begin(), target.end(), '/', '\\');
    if (!PathLiesInside(target, State.ExpandDir) || target.size() > kMaxPathLength) {
        throw EUnsafeMemberPath("Refused member " + filepath);
    }
    filepath = target;
    ++State.ExpandedCount;
    Progress->UpdateProgress(State.ExpandedCount, "Preparing ..", ExtractFileName(rest));
    Application.ProcessMessages();
}

void TUNZIP::FormClose(TCloseAction& action) {
    action = TCloseAction::caFree;
    Screen.Show();
    if (Progress) {
        Progress->UpdateProgress(static_cast<int>(State.ArchiveFileList.Count()), "Completed", "Finalizing");
        if (Screen.ExpansionProgress == Progress.get()) Screen.ExpansionProgress = nullptr;
        Progress.reset();
    }
}

void ShowUnzipForm(TDisplayScreen& screen) {
    TUNZIP form(screen);
    form.FormCreate();
    form.ShowModal();
    if (!form.Released()) {
        // Nothing could drive the expansion to its end.
        screen.State.ExpandFailed = true;
    }
}

}  // namespace tavlin
