// The driver acts only where a user could, and an error that escapes a handler is
// shown in the standard error box, as the message loop shows it.
#include <gtest/gtest.h>

#include <filesystem>

#include "controls/driver.h"
#include "controls/folder_edit.h"
#include "controls/form.h"
#include "controls/std_controls.h"
#include "platform/hosted/hosted_machine.h"
#include "platform/hosted/scripted_answerer.h"

namespace tavlin {
namespace {

class Driver : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::path(TAVLIN_BINARY_DIR) / "test-machines" / "controls" /
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(folder);
        machine = hosted::HostedMachine::open(folder);
        machine->setAnswerer([this](const hosted::DialogRequest& request) {
            boxes.push_back(request.caption + ": " + request.text);
            return hosted::DialogAnswer{};
        });
        application = std::make_unique<TApplication>(*machine);
        application->Title = "Acme";
        form = std::make_unique<TForm>(*application, "Form1");
        form->Show();
        for (TControl* c : {static_cast<TControl*>(&panel), static_cast<TControl*>(&box)}) c->SetParent(form.get());
        button.SetParent(&panel);
        button.Caption = "&Next >>";
        hidden.SetParent(&panel);
        hidden.Caption = "&Back";
        hidden.Hide();
    }
    void TearDown() override {
        form.reset();
        application.reset();
        machine.reset();
        if (!HasFailure()) std::filesystem::remove_all(folder);
    }

    std::filesystem::path folder;
    std::unique_ptr<hosted::HostedMachine> machine;
    std::unique_ptr<TApplication> application;
    std::unique_ptr<TForm> form;
    TPanel panel{"Panel1"};
    TButton button{"Next1"};
    TButton hidden{"Back1"};
    TCheckBox box{"CheckBox1"};
    std::vector<std::string> boxes;
};

TEST_F(Driver, RefusesWhatTheUserCannotReach) {
    ControlDriver driver(*application, *form);
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    hidden.OnClick = [&] { ++clicks; };
    EXPECT_THROW(driver.Click("Back1"), EDriverError);
    EXPECT_THROW(driver.Click("Nothing"), EDriverError);
    panel.Enabled = false;
    EXPECT_THROW(driver.Click("Next1"), EDriverError);
    panel.Enabled = true;
    panel.Hide();
    EXPECT_THROW(driver.Click("Next1"), EDriverError);
    EXPECT_FALSE(driver.PressAccelerator('n'));
    panel.Show();
    EXPECT_TRUE(driver.PressAccelerator('n'));
    EXPECT_FALSE(driver.PressAccelerator('b'));  // the hidden Back
    EXPECT_EQ(clicks, 1);
    EXPECT_THROW(driver.Tick("Next1", true), EDriverError);
    driver.Tick("CheckBox1", true);
    driver.Tick("CheckBox1", true);
    EXPECT_TRUE(box.Checked);
}

TEST_F(Driver, AnEscapingErrorIsShownAndTheProgramGoesOn) {
    ControlDriver driver(*application, *form);
    button.OnClick = [] { throw Exception("Unable to write to C:\\Apps\\uninstaller.cfg"); };
    driver.Click("Next1");
    EXPECT_EQ(boxes, (std::vector<std::string>{"Acme: Unable to write to C:\\Apps\\uninstaller.cfg"}));
}

TEST_F(Driver, FiresTimersInOrderOfTheirDueTime) {
    ControlDriver driver(*application, *form);
    TTimer slow(*application, "slow"), fast(*application, "fast");
    std::vector<std::string> fired;
    slow.Interval = 1000;
    fast.Interval = 300;
    slow.OnTimer = [&] {
        fired.push_back("slow");
        slow.SetEnabled(false);
    };
    fast.OnTimer = [&] {
        fired.push_back("fast");
        if (fired.size() >= 3) fast.SetEnabled(false);
    };
    slow.SetEnabled(true);
    fast.SetEnabled(true);
    EXPECT_EQ(driver.FireDueTimers(), 4);
    EXPECT_EQ(fired, (std::vector<std::string>{"fast", "fast", "fast", "slow"}));
    EXPECT_EQ(application->Now(), 1000);
}

// A clock that a test moves by hand, starting near the 32-bit count's wrap.
class HandTicks : public Ticks {
public:
    std::uint32_t count = 0xFFFFFF00u;
    std::uint32_t milliseconds() override { return count; }
    void wait(std::uint32_t milliseconds) override { count += milliseconds; }
};

TEST_F(Driver, OnRealTimeATimerFiresOnlyOnceDueAndTheLoopWaitsMeanwhile) {
    HandTicks ticks;
    application->UseRealTime(ticks);
    TTimer slow(*application, "slow"), fast(*application, "fast");
    std::vector<std::string> fired;
    slow.Interval = 1000;
    fast.Interval = 300;
    slow.OnTimer = [&] {
        fired.push_back("slow at " + std::to_string(application->Now()));
        slow.SetEnabled(false);
    };
    fast.OnTimer = [&] { fired.push_back("fast at " + std::to_string(application->Now())); };
    int idles = 0;
    // The front end's idle hook: it waits until the next timer is due.
    application->OnIdle = [&] {
        ++idles;
        ticks.wait(static_cast<std::uint32_t>(*application->NextTimerDue() - application->Now()));
        return true;
    };
    slow.SetEnabled(true);
    ticks.count += 100;  // the enabled timers' intervals start when they are enabled
    fast.SetEnabled(true);
    EXPECT_EQ(application->NextTimerDue(), 400);
    EXPECT_FALSE(application->FireDueTimer());
    while (fired.size() < 4) ASSERT_TRUE(application->HandleMessage());
    EXPECT_EQ(fired, (std::vector<std::string>{"fast at 400", "fast at 700", "slow at 1000", "fast at 1000"}));
    EXPECT_EQ(idles, 3);
    EXPECT_EQ(application->NextTimerDue(), 1300);
}

TEST_F(Driver, TheFolderEditCreatesAChosenFolderOnlyOnceConfirmed) {
    TFolderEdit edit(*application, "Main_Dir");
    edit.Text = "C:\\Program Files\\TVL";
    struct Case {
        std::optional<std::string> chosen;
        MessageResult confirm;
        bool asksToCreate;
        std::string text;
        bool created;
    };
    const Case cases[] = {
        {std::nullopt, MessageResult::Yes, false, "C:\\Program Files\\TVL", false},  // cancelled
        {"C:\\Tools\\New", MessageResult::No, true, "C:\\Program Files\\TVL", false},
        {"C:\\Tools\\New", MessageResult::Yes, true, "C:\\Tools\\New", true},
        {"C:\\WINDOWS", MessageResult::No, false, "C:\\WINDOWS", true},  // exists: nothing to ask
    };
    for (const Case& c : cases) {
        hosted::ScriptedAnswerer script;
        script.folderChooser(c.chosen, "Browse for Directory");
        if (c.asksToCreate) script.messageBox(c.confirm, "does not exist");
        machine->setAnswerer(script.answerer());
        edit.Browse();
        EXPECT_TRUE(script.remaining().empty());
        EXPECT_EQ(edit.Text, c.text);
        if (c.chosen) {
            EXPECT_EQ(machine->files().directoryExists(*c.chosen), c.created) << *c.chosen;
        }
    }
}

}  // namespace
}  // namespace tavlin
