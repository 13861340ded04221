// The control model's contract with a front end: what is shown notifies the
// observer when it changes (and only then), peers and forms go with notices, and
// the keyboard reaches the controls as a user's keys do: accelerators, Tab order,
// the default and cancel buttons, typing into an edit and ticking list rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "common/machine_fixture.h"
#include "controls/driver.h"
#include "controls/form.h"
#include "controls/list_view.h"
#include "controls/notebook.h"
#include "controls/picture_controls.h"
#include "controls/std_controls.h"

namespace tavlin {
namespace {

// Writes down what the model tells, by control name.
class RecordingObserver : public TScreenObserver {
public:
    void ControlChanged(TControl& control) override { changed.push_back(control.Name); }
    void ControlDestroyed(TControl& control) override { events.push_back("destroyed " + control.Name); }
    void FormCreated(TForm& form) override { events.push_back("created " + form.Name); }
    void FormDestroyed(TForm& form) override { events.push_back("form destroyed " + form.Name); }

    std::vector<std::string> changed;
    std::vector<std::string> events;
};

// A peer that notes when it is freed, to show the notice came first.
class NotingPeer : public TControlPeer {
public:
    explicit NotingPeer(std::vector<std::string>& events, std::string name) : events_(events), name_(std::move(name)) {}
    ~NotingPeer() override { events_.push_back("peer freed " + name_); }

private:
    std::vector<std::string>& events_;
    std::string name_;
};

class ContractTest : public test::MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine = openMachine();
        application = std::make_unique<TApplication>(*machine);
        application->SetObserver(&observer);
        form = std::make_unique<TForm>(*application, "Form1");
        form->SetBounds(0, 0, 400, 300);
        for (TControl* c : std::initializer_list<TControl*>{&label, &edit, &box, &list, &image, &book, &back, &next,
                                                            &cancel}) {
            c->SetParent(form.get());
        }
        book.AddPage("Page0");
        book.AddPage("Page1");
        back.Caption = "<< &Back";
        next.Caption = "&Next >>";
        next.Default = true;
        cancel.Caption = "&Cancel";
        cancel.Cancel = true;
        box.Caption = "&Desktop";
        list.SetCheckboxes(true);
        list.AddItem().Caption = "Acme";
        list.AddItem().Caption = "Acme Help";
        back.OnClick = [this] { clicked.push_back("Back"); };
        next.OnClick = [this] { clicked.push_back("Next"); };
        cancel.OnClick = [this] { clicked.push_back("Cancel"); };
        box.OnClick = [this] { clicked.push_back("Desktop"); };
        edit.OnChange = [this] { changes.push_back(edit.Text); };
        list.OnItemChecked = [this](std::size_t row) { checkedRows.push_back(row); };
        form->Show();
        observer.changed.clear();
    }

    void TearDown() override {
        form.reset();
        application.reset();
        machine.reset();
        MachineTest::TearDown();
    }

    static TKeyPress Key(TKeyPress::Key key, bool shift = false) { return {key, 0, shift, false}; }
    static TKeyPress Char(char c) { return {TKeyPress::Key::Character, c, false, false}; }

public:
    std::unique_ptr<hosted::HostedMachine> machine;
    std::unique_ptr<TApplication> application;
    RecordingObserver observer;
    // Declared before the form, so that they outlive it as the setup's members do.
    TLabel label{"Label1"};
    TEdit edit{"Edit1"};
    TCheckBox box{"CheckBox1"};
    TListView list{"ListView1"};
    TImage image{"Image1"};
    TNotebook book{"Notebook1"};
    TButton back{"Back1"};
    TButton next{"Next1"};
    TButton cancel{"Cancel1"};
    std::unique_ptr<TForm> form;
    std::vector<std::string> clicked;
    std::vector<std::string> changes;
    std::vector<std::size_t> checkedRows;
};

struct ChangeCase {
    const char* what;
    std::function<void(ContractTest&)> change;
    const char* control;  // the one the observer hears of; nullptr: none
};

class NotificationTest : public ContractTest, public ::testing::WithParamInterface<ChangeCase> {};

void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.what; }

TEST_P(NotificationTest, ShownChangesTellTheObserverWhichControl) {
    const ChangeCase& c = GetParam();
    for (TControl* control : form->TabSequence()) control->Validate();
    c.change(*this);
    if (c.control) {
        TWinControl* changed = dynamic_cast<TWinControl*>(form->FindChild(c.control));
        EXPECT_NE(std::find(observer.changed.begin(), observer.changed.end(), c.control), observer.changed.end())
            << c.what;
        // Only that control is heard of, or what it holds (a book's pages).
        for (const std::string& name : observer.changed) {
            EXPECT_TRUE(name == c.control || (changed && changed->FindChild(name))) << c.what << ": " << name;
        }
        EXPECT_TRUE(form->FindChild(c.control)->Invalidated()) << c.what;
    } else {
        EXPECT_TRUE(observer.changed.empty()) << c.what;
    }
}

using T = ContractTest;
INSTANTIATE_TEST_SUITE_P(
    Changes, NotificationTest,
    ::testing::Values(
        ChangeCase{"caption", [](T& f) { f.label.Caption = "Hello"; }, "Label1"},
        ChangeCase{"same caption", [](T& f) { f.next.Caption = "&Next >>"; }, nullptr},
        ChangeCase{"text", [](T& f) { f.edit.Text = "C:\\Apps"; }, "Edit1"},
        ChangeCase{"visibility", [](T& f) { f.next.Hide(); }, "Next1"},
        ChangeCase{"same visibility", [](T& f) { f.next.Show(); }, nullptr},
        ChangeCase{"bounds", [](T& f) { f.next.SetBounds(10, 20, 75, 25); }, "Next1"},
        ChangeCase{"width alone", [](T& f) { f.next.Width = 99; }, "Next1"},
        ChangeCase{"font name", [](T& f) { f.label.Font.Name = "Arial"; }, "Label1"},
        ChangeCase{"font size", [](T& f) { f.label.Font.SetSize(13); }, "Label1"},
        ChangeCase{"font colour", [](T& f) { f.label.Font.Color = clWhite; }, "Label1"},
        ChangeCase{"colour", [](T& f) { f.label.Color = clNavy; }, "Label1"},
        ChangeCase{"check mark", [](T& f) { f.box.Checked = true; }, "CheckBox1"},
        ChangeCase{"list row added", [](T& f) { f.list.AddItem(); }, "ListView1"},
        ChangeCase{"list row mark", [](T& f) { f.list.Items.SetChecked(1, true); }, "ListView1"},
        ChangeCase{"list cleared", [](T& f) { f.list.Items.clear(); }, "ListView1"},
        ChangeCase{"page index", [](T& f) { f.book.SetPageIndex(1); }, "Notebook1"},
        ChangeCase{"same page index", [](T& f) { f.book.SetPageIndex(0); }, nullptr},
        ChangeCase{"picture", [](T& f) { f.image.SetPicture(TPicture{"logo.bmp", 32, 32, false}); }, "Image1"},
        ChangeCase{"picture cleared", [](T& f) { f.image.Picture.Clear(); }, "Image1"},
        ChangeCase{"reading", [](T& f) {
            const std::string caption = f.label.Caption;
            const int width = f.next.Width;
            (void)caption;
            (void)width;
        }, nullptr}));

TEST_F(ContractTest, ControlsAndFormsGoWithANoticeBeforeTheirPeers) {
    auto extra = std::make_unique<TButton>("Extra");
    extra->SetParent(form.get());
    extra->Peer = std::make_unique<NotingPeer>(observer.events, "Extra");
    auto second = std::make_unique<TForm>(*application, "Form2");
    ASSERT_EQ(application->Forms(), (std::vector<TForm*>{form.get(), second.get()}));

    extra.reset();
    second->Peer = std::make_unique<NotingPeer>(observer.events, "Form2");
    second.reset();
    EXPECT_EQ(application->Forms(), (std::vector<TForm*>{form.get()}));
    EXPECT_EQ(observer.events, (std::vector<std::string>{"created Form1", "created Form2", "destroyed Extra", "peer freed Extra",
                                                         "form destroyed Form2", "peer freed Form2"}));
    EXPECT_EQ(form->Controls().size(), 9u);  // the gone button left its parent
}

struct KeyCase {
    const char* what;
    std::function<void(ContractTest&)> setup;
    TKeyPress key;
    bool handled;
    std::vector<std::string> clicked;
};

class KeyTest : public ContractTest, public ::testing::WithParamInterface<KeyCase> {};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.what; }

TEST_P(KeyTest, KeysReachTheControlsAUserMeans) {
    const KeyCase& c = GetParam();
    if (c.setup) c.setup(*this);
    EXPECT_EQ(form->KeyPress(c.key), c.handled) << c.what;
    EXPECT_EQ(clicked, c.clicked) << c.what;
}

using K = ContractTest;
const TKeyPress kEnter{TKeyPress::Key::Enter};
const TKeyPress kEscape{TKeyPress::Key::Escape};
const TKeyPress kSpace{TKeyPress::Key::Space};
INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTest,
    ::testing::Values(
        KeyCase{"Alt+N presses Next", nullptr, {TKeyPress::Key::Character, 'N', false, true}, true, {"Next"}},
        KeyCase{"Alt+n in lower case too", nullptr, {TKeyPress::Key::Character, 'n', false, true}, true, {"Next"}},
        KeyCase{"Alt+B presses Back", nullptr, {TKeyPress::Key::Character, 'b', false, true}, true, {"Back"}},
        KeyCase{"Alt+D ticks the check box", nullptr, {TKeyPress::Key::Character, 'D', false, true}, true,
                {"Desktop"}},
        KeyCase{"a letter nobody has", nullptr, {TKeyPress::Key::Character, 'Z', false, true}, false, {}},
        KeyCase{"a hidden button's letter", [](K& f) { f.next.Hide(); },
                {TKeyPress::Key::Character, 'N', false, true}, false, {}},
        KeyCase{"a disabled button's letter", [](K& f) { f.back.Enabled = false; },
                {TKeyPress::Key::Character, 'B', false, true}, false, {}},
        KeyCase{"a doubled ampersand is no accelerator", [](K& f) { f.back.Caption = "Back && &Forth"; },
                {TKeyPress::Key::Character, 'B', false, true}, false, {}},
        KeyCase{"Enter presses the default button", nullptr, kEnter, true, {"Next"}},
        KeyCase{"Enter presses a focused button instead", [](K& f) { f.form->SetFocus(f.back); }, kEnter, true,
                {"Back"}},
        KeyCase{"Enter with the default button hidden", [](K& f) { f.next.Hide(); }, kEnter, false, {}},
        KeyCase{"Esc presses the cancel button", nullptr, kEscape, true, {"Cancel"}},
        KeyCase{"Esc with the cancel button disabled", [](K& f) { f.cancel.Enabled = false; }, kEscape, false, {}},
        KeyCase{"Space presses the focused button", [](K& f) { f.form->SetFocus(f.cancel); }, kSpace, true,
                {"Cancel"}},
        KeyCase{"Space with nothing focused", nullptr, kSpace, false, {}},
        KeyCase{"a plain letter outside an edit is an accelerator", nullptr,
                {TKeyPress::Key::Character, 'c', false, false}, true, {"Cancel"}}));

TEST_F(ContractTest, TabFollowsTabOrderAndSkipsWhatCannotTakeTheFocus) {
    // Designed order: the edit, the box, the list, then the buttons; Back goes last.
    back.TabOrder = 9;
    list.Hide();
    std::vector<std::string> forward;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(form->KeyPress(Key(TKeyPress::Key::Tab)));
        forward.push_back(form->ActiveControl()->Name);
    }
    EXPECT_EQ(forward, (std::vector<std::string>{"Edit1", "CheckBox1", "Next1", "Cancel1", "Back1"}));
    std::vector<std::string> backward;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(form->KeyPress(Key(TKeyPress::Key::Tab, true)));
        backward.push_back(form->ActiveControl()->Name);
    }
    EXPECT_EQ(backward, (std::vector<std::string>{"Cancel1", "Next1", "CheckBox1"}));
    form->KeyPress(Key(TKeyPress::Key::Tab, true));
    form->KeyPress(Key(TKeyPress::Key::Tab, true));
    EXPECT_EQ(form->ActiveControl()->Name, "Back1");  // wraps round
    EXPECT_FALSE(form->SetFocus(label));              // a label takes no focus
    EXPECT_FALSE(form->SetFocus(list));               // nor a hidden control
}

TEST_F(ContractTest, TypedTextFlowsBackAsChangeEvents) {
    ASSERT_TRUE(form->SetFocus(edit));
    for (char c : std::string("C:\\Ab")) ASSERT_TRUE(form->KeyPress(Char(c)));
    ASSERT_TRUE(form->KeyPress(Key(TKeyPress::Key::Backspace)));
    EXPECT_EQ(edit.Text, "C:\\A");
    EXPECT_EQ(changes, (std::vector<std::string>{"C", "C:", "C:\\", "C:\\A", "C:\\Ab", "C:\\A"}));
    EXPECT_TRUE(form->KeyPress(Char('N')));  // in an edit a letter is text, not Next's accelerator
    EXPECT_TRUE(clicked.empty());

    ControlDriver driver(*application, *form);
    changes.clear();
    driver.Type("Edit1", "D:\\Games");
    driver.Type("Edit1", "D:\\Games");  // the same text again is no change
    edit.Text = "E:\\";                 // code's assignments raise no change event
    EXPECT_EQ(changes, (std::vector<std::string>{"D:\\Games"}));

    edit.ReadOnly = true;
    EXPECT_FALSE(form->KeyPress(Char('x')));
    EXPECT_EQ(edit.Text, "E:\\");
}

TEST_F(ContractTest, RowMarksSetByTheUserRaiseTheirEvent) {
    ControlDriver driver(*application, *form);
    driver.MarkRow("ListView1", 1, true);
    driver.MarkRow("ListView1", 1, true);  // already marked: no event
    driver.MarkRow("ListView1", 0, false);  // not marked: no event
    list.Items.SetChecked(0, true);         // code's marks raise none
    EXPECT_EQ(checkedRows, (std::vector<std::size_t>{1}));
    EXPECT_TRUE(list.Items[0].Checked);
    EXPECT_TRUE(list.Items[1].Checked);
    EXPECT_EQ(observer.changed, (std::vector<std::string>{"ListView1", "ListView1"}));
    EXPECT_THROW(driver.MarkRow("ListView1", 2, true), EDriverError);
}

}  // namespace
}  // namespace tavlin
