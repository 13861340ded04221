// A front end that writes a PNG picture of the whole screen each time what it
// shows settles, and otherwise leaves the run to the front end it wraps (the
// terminal or the silent driver): the background with the progress window during
// the expansion, each wizard page as it waits for the user, the status panel
// during the installation, the uninstaller page, and each message box over the
// screen. Files are numbered in order and named after the page: "03-license.png".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "paint/screen_paint.h"
#include "platform/file_system.h"
#include "platform/pictures.h"
#include "paint/file_pictures.h"
#include "setup/setup_program.h"

namespace tavlin {

class ScreenshotFrontEnd : public SetupFrontEnd {
public:
    // folder: a host folder, made when missing; files: the machine's, where the
    // pictures of the logo and the background are read.
    ScreenshotFrontEnd(SetupFrontEnd& inner, std::string folder, FileSystem& files, const PictureDecoder& decoder);

    void Attach(TDisplayScreen& screen) override;
    bool NextAction(TDisplayScreen& screen) override;
    void Update(TDisplayScreen& screen) override;
    void SuppressedMessage(const std::string& text) override { inner_.SuppressedMessage(text); }

    // A message box is about to wait for its answer: its picture over the screen.
    void MessageBoxShown(const MessageBoxLook& box);

    // The form that the pictures show; a setup started by this one attaches its own
    // form, and the caller gives the earlier one back when it has ended.
    TDisplayScreen* Current() const { return screen_; }
    void SetCurrent(TDisplayScreen* screen) { screen_ = screen; }

    // The pictures written so far, in order (host paths).
    const std::vector<std::string>& Written() const { return written_; }

private:
    void Capture(TDisplayScreen& screen, const std::string& name, const MessageBoxLook* box = nullptr);
    // What is on screen, as a name; the same name twice in a row is not captured again.
    static std::string StateName(TDisplayScreen& screen);

    SetupFrontEnd& inner_;
    std::string folder_;
    FilePictureSource pictures_;
    TDisplayScreen* screen_ = nullptr;
    std::string last_;
    std::vector<std::string> written_;
};

// The name of a wizard page in picture names ("license").
std::string PageNameForPicture(int page);

}  // namespace tavlin
