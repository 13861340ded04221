#include "setup/silent_wizard.h"

#include "setup/display_screen.h"

namespace tavlin {

bool SilentWizard::NextAction(TDisplayScreen& screen) {
    const int page = screen.Notebook1.PageIndex();
    // A page that an action did not leave (an error was shown) would repeat for
    // ever; after a few tries the setup closes instead.
    samePageActions_ = page == lastPage_ ? samePageActions_ + 1 : 0;
    lastPage_ = page;
    const bool stuck = samePageActions_ >= 3;

    auto click = [&](TButton& button) { screen.Application.Dispatch([&] { button.Click(); }); };
    if (stuck || screen.Outcome == SetupOutcome::CouldNotStart || screen.Outcome == SetupOutcome::RunFailed ||
        !screen.Wizard.Visible) {
        screen.Close();
        return true;
    }
    if (screen.State.UninstallMode) {
        click(screen.Next1);
        return true;
    }
    switch (page) {
        case pgLicense:
            click(screen.Accept.Visible ? screen.Accept : screen.Next1);
            break;
        case pgDirectory:
            if (screen.Options.Dir) screen.Main_Dir.Text = *screen.Options.Dir;
            click(screen.Next1);
            break;
        default:
            click(screen.Next1);
            break;
    }
    return true;
}

void SilentWizard::Update(TDisplayScreen& screen) {
    if (report_) report_->Update(screen);
}

void SilentWizard::SuppressedMessage(const std::string& text) {
    if (!progress_) return;
    std::string shown = text;
    for (char& c : shown) {
        if (c == '\r') c = ' ';
    }
    *progress_ << "(message) " << shown << '\n' << std::flush;
}

}  // namespace tavlin
