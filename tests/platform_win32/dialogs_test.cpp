// The Win32 dialogs answered the way a user answers them: the message boxes, the
// Yes / No / All box, the input box and the folder chooser with a typed folder.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/win32/win32_platform.h"
#include "platform_win32/dialog_driver.h"

namespace tavlin::win32test {
namespace {

class Win32DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!windowsAvailable()) GTEST_SKIP() << "no display for windows";
    }
    Dialogs& dialogs() { return platform_.dialogs(); }

    win32::Win32Platform platform_;
};

TEST_F(Win32DialogsTest, MessageBoxesReturnTheButtonPressed) {
    struct Case {
        MessageButtons buttons;
        int pressed;
        MessageResult expected;
    };
    const Case cases[] = {
        {MessageButtons::Ok, IDOK, MessageResult::Ok},
        {MessageButtons::YesNo, IDYES, MessageResult::Yes},
        {MessageButtons::YesNo, IDNO, MessageResult::No},
        {MessageButtons::OkCancel, IDCANCEL, MessageResult::Cancel},
        {MessageButtons::OkCancel, IDOK, MessageResult::Ok},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pressed);
        DialogDriver driver("Tavlin Box Test", [&](HWND box) {
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(c.pressed, BN_CLICKED), 0);
        });
        EXPECT_EQ(dialogs().messageBox("Replace the file?", "Tavlin Box Test", c.buttons, MessageKind::Confirmation,
                                       MessageResult::No),
                  c.expected);
        EXPECT_TRUE(driver.acted());
    }
}

TEST_F(Win32DialogsTest, TheYesNoAllBoxHasThreeButtons) {
    struct Case {
        const char* button;
        MessageResult expected;
    };
    const Case cases[] = {
        {"&Yes", MessageResult::Yes},
        {"&No", MessageResult::No},
        {"&All", MessageResult::All},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        bool hadText = false;
        DialogDriver driver("Tavlin Choice Test", [&](HWND box) {
            hadText = DialogDriver::child(box, "Static", "A newer file exists.\nKeep it?") != nullptr;
            DialogDriver::click(DialogDriver::child(box, "Button", c.button));
        });
        EXPECT_EQ(dialogs().messageBox("A newer file exists.\nKeep it?", "Tavlin Choice Test",
                                       MessageButtons::YesNoAll, MessageKind::Warning, MessageResult::Yes),
                  c.expected);
        EXPECT_TRUE(driver.acted());
        EXPECT_TRUE(hadText);
    }
}

// The box's rectangles, in screen pixels, taken while it is open.
struct ChoiceGeometry {
    RECT client{};
    RECT text{};
    LONG textNeeds = 0;  // the height the text takes in the control's width and font
    RECT buttons[3]{};
};

RECT screenRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

bool inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Esc pressed on the window that has the keyboard focus in the box's thread.
void pressEscape(HWND box) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &gui);
    const HWND target = gui.hwndFocus ? gui.hwndFocus : box;
    PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

TEST_F(Win32DialogsTest, TheYesNoAllBoxFitsItsTextAndAnswersEscWithNo) {
    const char* const texts[] = {
        "Keep it?",
        "File Possible used by Windows.\rC:\\WINDOWS\\SYSTEM\\ACME.DLL\rDelete Anyway?",
        "One\r\nTwo\nThree\rFour\r\rSix",
        "A long question that the box has to break into several lines, because it is much wider than any "
        "box should be on a screen of this size, and which goes on and on to make sure of it. Delete it?",
        "C:\\A\\very\\long\\path\\without\\any\\blank\\in\\it\\that\\is\\wider\\than\\"
        "the\\box\\could\\ever\\be\\made\\on\\a\\screen\\of\\this\\size\\at\\all\\"
        "and\\more\\and\\more\\and\\more\\and\\more\\and\\more\\and\\more\\file.dll",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        ChoiceGeometry seen;
        DialogDriver driver("Tavlin Fit Test", [&](HWND box) {
            RECT client{};
            GetClientRect(box, &client);
            MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
            seen.client = client;
            const HWND label = DialogDriver::child(box, "Static", text);
            seen.text = screenRectOf(label);
            const HDC dc = GetDC(label);
            const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
            RECT need{0, 0, seen.text.right - seen.text.left, 0};
            DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
            seen.textNeeds = need.bottom;
            SelectObject(dc, previous);
            ReleaseDC(label, dc);
            const char* const captions[] = {"&Yes", "&No", "&All"};
            for (int i = 0; i < 3; ++i) seen.buttons[i] = screenRectOf(DialogDriver::child(box, "Button", captions[i]));
            pressEscape(box);
        });
        EXPECT_EQ(dialogs().messageBox(text, "Tavlin Fit Test", MessageButtons::YesNoAll, MessageKind::Warning,
                                       MessageResult::Yes),
                  MessageResult::No);
        ASSERT_TRUE(driver.acted());
        EXPECT_GE(seen.text.bottom - seen.text.top, seen.textNeeds) << "the text is clipped";
        EXPECT_GT(seen.textNeeds, 0);
        EXPECT_TRUE(inside(seen.text, seen.client)) << "the text leaves the box";
        for (const RECT& button : seen.buttons) {
            EXPECT_TRUE(inside(button, seen.client)) << "a button leaves the box";
            EXPECT_GE(button.top, seen.text.bottom) << "a button covers the text";
        }
        EXPECT_LE(seen.buttons[0].right, seen.buttons[1].left);
        EXPECT_LE(seen.buttons[1].right, seen.buttons[2].left);
    }
}

TEST_F(Win32DialogsTest, EscAnswersNoToAYesNoQuestionAndCancelsTheInputBox) {
    DialogDriver question("Tavlin Esc Test", [](HWND box) { pressEscape(box); });
    EXPECT_EQ(dialogs().messageBox("Replace the file?", "Tavlin Esc Test", MessageButtons::YesNo,
                                   MessageKind::Confirmation, MessageResult::Yes),
              MessageResult::No);
    EXPECT_TRUE(question.acted());

    std::string text = "A:\\";
    DialogDriver input("Tavlin Esc Input", [](HWND box) {
        SetWindowTextA(DialogDriver::child(box, "Edit", nullptr), "changed");
        pressEscape(box);
    });
    EXPECT_FALSE(dialogs().inputBox("Tavlin Esc Input", "Directory Path:", text));
    EXPECT_TRUE(input.acted());
    EXPECT_EQ(text, "A:\\");
}

TEST_F(Win32DialogsTest, SuppressedMessageBoxesAnswerTheirSafeDefaultUnseen) {
    platform_.setSuppressMessageBoxes(true);
    DialogDriver watcher("Tavlin Silent Test", [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); });
    EXPECT_EQ(dialogs().messageBox("x", "Tavlin Silent Test", MessageButtons::YesNo, MessageKind::Confirmation,
                                   MessageResult::No),
              MessageResult::No);
    EXPECT_EQ(dialogs().messageBox("x", "Tavlin Silent Test", MessageButtons::YesNoAll, MessageKind::Warning,
                                   MessageResult::Yes),
              MessageResult::Yes);
    Sleep(500);  // a box that showed would be seen by now
    EXPECT_FALSE(watcher.acted());
}

TEST_F(Win32DialogsTest, TheInputBoxGivesTheEditedTextOnOkOnly) {
    std::string text = "C:\\Old";
    {
        DialogDriver driver("Tavlin Input Test", [](HWND box) {
            SetWindowTextA(DialogDriver::child(box, "Edit", nullptr), "D:\\New Folder");
            DialogDriver::click(DialogDriver::child(box, "Button", "OK"));
        });
        EXPECT_TRUE(dialogs().inputBox("Tavlin Input Test", "Folder:", text));
        EXPECT_TRUE(driver.acted());
    }
    EXPECT_EQ(text, "D:\\New Folder");
    {
        std::string offered;
        DialogDriver driver("Tavlin Input Test", [&](HWND box) {
            const HWND edit = DialogDriver::child(box, "Edit", nullptr);
            char buffer[64] = {};
            GetWindowTextA(edit, buffer, sizeof buffer);
            offered = buffer;
            SetWindowTextA(edit, "ignored");
            DialogDriver::click(DialogDriver::child(box, "Button", "Cancel"));
        });
        EXPECT_FALSE(dialogs().inputBox("Tavlin Input Test", "Folder:", text));
        EXPECT_TRUE(driver.acted());
        EXPECT_EQ(offered, "D:\\New Folder");
    }
    EXPECT_EQ(text, "D:\\New Folder");
}

// A fresh folder path in the temporary folder that does not exist yet.
std::string missingFolder(const char* name) {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + name;
    RemoveDirectoryA((folder + "\\Inner").c_str());
    RemoveDirectoryA(folder.c_str());
    return folder + "\\Inner";
}

// A folder typed as a full path is chosen as it is; one that does not exist is
// not made by the chooser, since its caller asks the user first. The chooser
// opens in the middle of its owner, here the work area.
TEST_F(Win32DialogsTest, TheFolderChooserChoosesATypedFolderAndMakesNone) {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string existing = std::string(temp) + "Tavlin Chooser Existing";
    CreateDirectoryA(existing.c_str(), nullptr);
    for (const std::string& typed : {missingFolder("Tavlin Chooser Test"), existing}) {
        SCOPED_TRACE(typed);
        const bool existed = GetFileAttributesA(typed.c_str()) != INVALID_FILE_ATTRIBUTES;
        std::string folder = "C:\\";
        RECT shown{};
        DialogDriver chooser("Browse for Folder", [&](HWND box) {
            Sleep(200);  // the chooser moves itself while it opens
            GetWindowRect(box, &shown);
            SetWindowTextA(DialogDriver::child(box, "Edit", nullptr), typed.c_str());
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        EXPECT_TRUE(dialogs().chooseFolder("Choose the installation folder", folder));
        EXPECT_TRUE(chooser.acted());
        EXPECT_EQ(folder, typed);
        EXPECT_EQ(GetFileAttributesA(typed.c_str()) != INVALID_FILE_ATTRIBUTES, existed);
        RECT area;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        EXPECT_LE(std::abs((shown.left + shown.right) - (area.left + area.right)), 1);
        EXPECT_LE(std::abs((shown.top + shown.bottom) - (area.top + area.bottom)), 1);
    }
    RemoveDirectoryA(existing.c_str());
}

}  // namespace
}  // namespace tavlin::win32test
