#include "screenshots/screen_picture.h"

namespace tavlin {

void PaintSetupScreen(PaintContext& context, TDisplayScreen& screen, const MessageBoxLook* box) {
    // Enter presses Next, or Accept on the licence page.
    const TControl* before = context.defaultButton;
    context.defaultButton = screen.Next1.Showing() ? &screen.Next1 : screen.Accept.Showing() ? &screen.Accept : nullptr;
    if (screen.Visible && screen.WindowState != TWindowState::wsMinimized) PaintScreenForm(context, screen);
    context.defaultButton = nullptr;
    for (TProgressDialog* dialog : {screen.ExpansionProgress, &screen.RunProgress}) {
        if (!dialog) continue;
        if (TForm_Progress* window = dialog->Window(); window && window->Visible) PaintWindow(context, *window);
    }
    if (box) PaintMessageBox(context, *box, screen.Application.ScreenWidth, screen.Application.ScreenHeight);
    context.defaultButton = before;
}

}  // namespace tavlin
