#include "screenshots/screenshot_front_end.h"

#include <cstdio>

#include "screenshots/raster_canvas.h"
#include "screenshots/screen_picture.h"

namespace tavlin {

std::string PageNameForPicture(int page) {
    static const char* const kNames[] = {"welcome",   "license",    "directory", "shortcuts",
                                         "ready",     "installing", "finished",  "uninstaller"};
    return page >= 0 && page < 8 ? kNames[page] : "page" + std::to_string(page);
}

ScreenshotFrontEnd::ScreenshotFrontEnd(SetupFrontEnd& inner, std::string folder, FileSystem& files,
                                       const PictureDecoder& decoder)
    : inner_(inner), folder_(std::move(folder)), pictures_(files, decoder) {}

void ScreenshotFrontEnd::Attach(TDisplayScreen& screen) {
    screen_ = &screen;
    last_.clear();
    inner_.Attach(screen);
}

namespace {

// A progress window that shows its first item (its status lines are set after
// the messages of each update have run).
bool ShowsProgress(const TProgressDialog* dialog) {
    const TForm_Progress* window = dialog ? dialog->Window() : nullptr;
    return window && !window->Label_ProcessStatus1.Caption.empty();
}

}  // namespace

std::string ScreenshotFrontEnd::StateName(TDisplayScreen& screen) {
    if (ShowsProgress(screen.ExpansionProgress)) return "expanding";
    if (ShowsProgress(&screen.RunProgress)) return screen.State.UninstallMode ? "uninstalling" : "installing";
    if (screen.Wizard.Showing()) return PageNameForPicture(screen.Notebook1.PageIndex());
    return "screen";
}

void ScreenshotFrontEnd::Capture(TDisplayScreen& screen, const std::string& name, const MessageBoxLook* box) {
    RasterCanvas canvas(screen.Application.ScreenWidth, screen.Application.ScreenHeight);
    PaintContext context{canvas, &pictures_};
    PaintSetupScreen(context, screen, box);
    char number[16];
    std::snprintf(number, sizeof number, "%02zu-", written_.size() + 1);
    const std::string path = folder_ + "/" + number + name + ".png";
    canvas.WritePng(path);
    written_.push_back(path);
}

bool ScreenshotFrontEnd::NextAction(TDisplayScreen& screen) {
    screen_ = &screen;
    // The screen has settled: it waits for the user.
    const std::string name = StateName(screen);
    if (name != last_) {
        Capture(screen, name);
        last_ = name;
    }
    return inner_.NextAction(screen);
}

void ScreenshotFrontEnd::Update(TDisplayScreen& screen) {
    screen_ = &screen;
    inner_.Update(screen);
    // During a long run the screen settles once its progress window shows the
    // first item.
    if (!ShowsProgress(screen.ExpansionProgress) && !ShowsProgress(&screen.RunProgress)) return;
    const std::string name = StateName(screen);
    if (name != last_) {
        Capture(screen, name);
        last_ = name;
    }
}

void ScreenshotFrontEnd::MessageBoxShown(const MessageBoxLook& box) {
    if (!screen_) return;
    Capture(*screen_, "message-" + StateName(*screen_), &box);
}

}  // namespace tavlin
