// The progress dialog: window life, closing at the maximum, Cancel, stored settings.
#include <gtest/gtest.h>

#include "common/machine_fixture.h"
#include "controls/progress_dialog.h"

namespace tavlin {
namespace {

class ProgressDialogTest : public test::MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine_ = openMachine();
        application_ = std::make_unique<TApplication>(*machine_);
        dialog_ = std::make_unique<TProgressDialog>(*application_);
    }
    std::unique_ptr<hosted::HostedMachine> machine_;
    std::unique_ptr<TApplication> application_;
    std::unique_ptr<TProgressDialog> dialog_;
};

TEST_F(ProgressDialogTest, ShowsItsSettingsAndClosesAtTheMaximum) {
    dialog_->Caption = "Installing Application";
    dialog_->CommonAvi = aviCopyFiles;
    dialog_->Status1 = "first";
    dialog_->MaxProgress = 10;
    dialog_->Center = true;
    dialog_->Show();
    ASSERT_TRUE(dialog_->Active());
    TForm_Progress* window = dialog_->Window();
    EXPECT_EQ(window->Caption, "Installing Application");
    EXPECT_EQ(window->Animate_SelectedAvi.CommonAVI, aviCopyFiles);
    EXPECT_EQ(window->Label_ProcessStatus1.Caption, "first");
    EXPECT_EQ(window->Left, 1024 / 2 - window->Width / 2);
    EXPECT_EQ(window->Top, 768 / 2 - window->Height / 2);

    dialog_->Caption = "changed later";
    dialog_->UpdateProgress(9, "Installing ..", "a.txt");
    EXPECT_TRUE(dialog_->Active());
    EXPECT_EQ(window->Caption, "Installing Application");  // settings apply to the next window only
    EXPECT_EQ(window->ProgressBar_StatusIndicator.Position(), 9);
    EXPECT_EQ(window->Label_ProcessStatus2.Caption, "a.txt");
    dialog_->UpdateProgress(10, "Files Copied..", "Finished");
    EXPECT_FALSE(dialog_->Active());
    dialog_->UpdateProgress(11, "late", "update");  // nothing left to update
    EXPECT_FALSE(dialog_->Active());
}

TEST_F(ProgressDialogTest, PositionsBeyondTheMaximumAndAnEmptyRangeClose) {
    dialog_->MaxProgress = 5;
    dialog_->Show();
    dialog_->UpdateProgress(50, "", "");
    EXPECT_FALSE(dialog_->Active());
    dialog_->MaxProgress = 0;
    dialog_->Show();
    dialog_->UpdateProgress(0, "", "");
    EXPECT_FALSE(dialog_->Active());
}

TEST_F(ProgressDialogTest, CancelClosesOnlyTheWindow) {
    dialog_->MaxProgress = 3;
    dialog_->Show();
    dialog_->Window()->Bitbtn_Cancel.Click();
    EXPECT_FALSE(dialog_->Active());
    dialog_->UpdateProgress(1, "still", "running");  // the run goes on without a window
    EXPECT_FALSE(dialog_->Active());
    dialog_->Show();
    EXPECT_TRUE(dialog_->Active());
}

TEST_F(ProgressDialogTest, ASecondShowUpdatesOnlyTheNewestWindow) {
    dialog_->MaxProgress = 10;
    dialog_->Show();
    TForm_Progress* first = dialog_->Window();
    dialog_->Show();
    TForm_Progress* second = dialog_->Window();
    ASSERT_NE(first, second);
    dialog_->UpdateProgress(4, "", "");
    EXPECT_EQ(second->ProgressBar_StatusIndicator.Position(), 4);
    EXPECT_EQ(first->ProgressBar_StatusIndicator.Position(), 0);
    EXPECT_TRUE(first->Visible);
}

}  // namespace
}  // namespace tavlin
