// The part of a form to paint again, from the model's own notices: a changed
// control's old and new rectangles, a label's parent, a control that went, and
// the whole form for what cannot be placed. The expected rectangles are the
// controls' bounds added up by hand.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/machine_fixture.h"
#include "controls/form.h"
#include "controls/std_controls.h"
#include "paint/repaint_area.h"

namespace tavlin {
namespace {

// Hands the model's notices to the area, as a front end's observer does.
class AreaObserver : public TScreenObserver {
public:
    void ControlChanged(TControl& control) override {
        if (area) area->Changed(control);
    }
    void ControlDestroyed(TControl& control) override {
        if (area) area->Destroyed(control);
    }
    void FormCreated(TForm&) override {
        if (area) area->Everything();
    }
    void FormDestroyed(TForm&) override {
        if (area) area->Everything();
    }
    RepaintArea* area = nullptr;
};

class RepaintAreaTest : public test::MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine = openMachine();
        application = std::make_unique<TApplication>(*machine);
        application->SetObserver(&observer);
        form = std::make_unique<TForm>(*application, "Screen");
        form->SetBounds(0, 0, 1024, 768);
        wizard.SetParent(form.get());
        wizard.SetBounds(292, 240, 441, 288);
        page.SetParent(&wizard);
        page.SetBounds(2, 42, 437, 206);
        next.SetParent(&page);
        next.SetBounds(360, 10, 75, 25);
        back.SetParent(&page);
        back.SetBounds(280, 10, 75, 25);
        label.SetParent(&page);
        label.SetBounds(8, 8, 100, 16);
        // A case before may have left them changed.
        for (TControl* c : {static_cast<TControl*>(&wizard), static_cast<TControl*>(&page),
                            static_cast<TControl*>(&next), static_cast<TControl*>(&back),
                            static_cast<TControl*>(&label)}) {
            c->Visible = true;
            c->Enabled = true;
        }
        area = std::make_unique<RepaintArea>(*form);
        observer.area = area.get();
        area->Take();
        area->Painted();
    }

    void TearDown() override {
        observer.area = nullptr;
        area.reset();
        form.reset();
        application.reset();
        machine.reset();
        MachineTest::TearDown();
    }

public:
    std::unique_ptr<hosted::HostedMachine> machine;
    std::unique_ptr<TApplication> application;
    AreaObserver observer;
    TPanel wizard{"Wizard"};
    TPanel page{"Page"};
    TButton next{"Next"};
    TButton back{"Back"};
    TLabel label{"Label"};
    std::unique_ptr<TForm> form;
    std::unique_ptr<RepaintArea> area;
};

// Next lies at 292 + 2 + 360 = 654, 240 + 42 + 10 = 292 on the form; Back 80 to its left.
constexpr TRect kNext{654, 292, 729, 317};
constexpr TRect kBack{574, 292, 649, 317};
constexpr TRect kPage{294, 282, 731, 488};

TEST_F(RepaintAreaTest, ChangedControlsGiveTheirOldAndNewRectanglesUnited) {
    struct Case {
        const char* what;
        std::function<void(RepaintAreaTest&)> change;
        TRect expected;
    };
    const std::vector<Case> cases = {
        {"a caption", [](RepaintAreaTest& t) { t.next.Caption = "&Finish"; }, kNext},
        {"two buttons", [](RepaintAreaTest& t) {
             t.next.Enabled = false;
             t.back.Visible = false;
         }, {kBack.left, kBack.top, kNext.right, kNext.bottom}},
        {"a move right by 20 and down by 30", [](RepaintAreaTest& t) { t.back.SetBounds(300, 40, 75, 25); },
         {kBack.left, kBack.top, kBack.right + 20, kBack.bottom + 30}},
        {"a label, whose text its parent clips", [](RepaintAreaTest& t) { t.label.Caption = "A long text"; }, kPage},
        {"a panel hidden", [](RepaintAreaTest& t) { t.page.Visible = false; }, kPage},
        {"nothing but the same value again", [](RepaintAreaTest& t) { t.next.Caption = t.next.Caption; }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        c.change(*this);
        EXPECT_EQ(area->Take(), c.expected);
        EXPECT_TRUE(area->Empty());
    }
}

TEST_F(RepaintAreaTest, AControlThatGoesLeavesWhereItWasPainted) {
    auto extra = std::make_unique<TButton>("Extra");
    extra->SetParent(&page);
    extra->SetBounds(10, 100, 50, 20);
    area->Take();
    area->Painted();
    extra.reset();
    // The page it was on tells of losing it, and holds where it was painted.
    const TRect was{304, 382, 354, 402};
    const TRect taken = area->Take();
    EXPECT_EQ(taken, kPage);
    EXPECT_TRUE(taken.left <= was.left && taken.top <= was.top && taken.right >= was.right &&
                taken.bottom >= was.bottom);
}

TEST_F(RepaintAreaTest, TheWholeFormForWhatCannotBePlaced) {
    const TRect whole{0, 0, 1024, 768};
    struct Case {
        const char* what;
        std::function<void(RepaintAreaTest&)> change;
    };
    const std::vector<Case> cases = {
        {"the form itself", [](RepaintAreaTest& t) { t.form->Color = clWhite; }},
        {"a control as big as the form", [](RepaintAreaTest& t) { t.wizard.SetBounds(0, 0, 1024, 768); }},
        {"another form", [](RepaintAreaTest& t) { TForm other(*t.application, "Other"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        c.change(*this);
        EXPECT_EQ(area->Take(), whole);
        EXPECT_TRUE(area->Empty());
    }
}

}  // namespace
}  // namespace tavlin
