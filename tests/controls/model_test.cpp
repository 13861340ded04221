// The behaviour of the control model that the forms rely on: page changes, the
// exclusive radio buttons, accelerators, self-sizing labels and alignment.
#include <gtest/gtest.h>

#include "controls/list_view.h"
#include "controls/notebook.h"
#include "controls/shadow_label.h"
#include "controls/std_controls.h"
#include "controls/text_metrics.h"
#include "platform/errors.h"

namespace tavlin {
namespace {

TEST(Notebook, OnlyARealChangeOfPageRaisesTheEvent) {
    TNotebook book("Notebook1");
    for (const char* name : {"a", "b", "c"}) book.AddPage(name);
    std::vector<int> seen;
    book.OnPageChanged = [&] { seen.push_back(book.PageIndex()); };
    book.SetPageIndex(0);
    book.SetPageIndex(2);
    book.SetPageIndex(2);
    book.SetPageIndex(1);
    EXPECT_EQ(seen, (std::vector<int>{2, 1}));
    EXPECT_TRUE(book.Page(1).Visible);
    EXPECT_FALSE(book.Page(0).Visible);
    EXPECT_FALSE(book.Page(2).Visible);
    EXPECT_THROW(book.SetPageIndex(3), Exception);
}

TEST(Notebook, AHandlerMaySelectAnotherPage) {
    TNotebook book("Notebook1");
    for (const char* name : {"a", "b", "c"}) book.AddPage(name);
    std::vector<int> seen;
    book.OnPageChanged = [&] {
        seen.push_back(book.PageIndex());
        if (book.PageIndex() == 1) book.SetPageIndex(2);
    };
    book.SetPageIndex(1);
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
    EXPECT_EQ(book.PageIndex(), 2);
}

TEST(RadioButtons, CheckingOneUnchecksItsSiblingsOnly) {
    TPanel page("page"), other("other");
    TRadioButton a("a"), b("b"), c("c"), elsewhere("elsewhere");
    for (TRadioButton* r : {&a, &b, &c}) r->SetParent(&page);
    elsewhere.SetParent(&other);
    elsewhere.SetChecked(true);
    a.SetChecked(true);
    int clicks = 0;
    b.OnClick = [&] { ++clicks; };
    b.Click();
    EXPECT_FALSE(a.Checked());
    EXPECT_TRUE(b.Checked());
    EXPECT_FALSE(c.Checked());
    EXPECT_TRUE(elsewhere.Checked());
    EXPECT_EQ(clicks, 1);
    b.Enabled = false;
    c.Click();
    EXPECT_TRUE(c.Checked());
    b.Click();
    EXPECT_FALSE(b.Checked());  // a disabled button ignores clicks
}

TEST(CheckBox, AClickTogglesThenNotifies) {
    TCheckBox box("CheckBox1");
    bool seenChecked = false;
    box.OnClick = [&] { seenChecked = box.Checked; };
    box.Click();
    EXPECT_TRUE(box.Checked);
    EXPECT_TRUE(seenChecked);
    box.Click();
    EXPECT_FALSE(box.Checked);
}

TEST(Accelerators, TheLetterAfterTheAmpersand) {
    struct Case {
        const char* caption;
        char letter;
        const char* shown;
    };
    for (const Case& c : {Case{"&Next >>", 'N', "Next >>"}, Case{"<< &Back", 'B', "<< Back"},
                          Case{"&UnInstall", 'U', "UnInstall"}, Case{"Fish && &Chips", 'C', "Fish & Chips"},
                          Case{"Cancel", 0, "Cancel"}, Case{"&i", 'I', "i"}, Case{"end&", 0, "end&"}}) {
        EXPECT_EQ(AcceleratorOf(c.caption), c.letter) << c.caption;
        EXPECT_EQ(StripAccelerator(c.caption), c.shown) << c.caption;
    }
}

TEST(Labels, SizeThemselvesToTextFontAndShadow) {
    TShadowLabel label("TextInfo1");
    label.Font.Height = -32;
    label.ShadowOffset = 2;
    label.SetCaption("Acme");
    const TPoint text = MeasureText(label.Font, "Acme");
    EXPECT_EQ(label.Width, text.x + 2);
    EXPECT_EQ(label.Height, text.y + 2);
    const int oneLine = label.Width;
    label.SetCaption("Acme Acme");
    EXPECT_GT(label.Width, oneLine);
    label.Font.Height = -64;
    label.AdjustSize();
    EXPECT_GT(label.Height, text.y * 3 / 2);
    label.AutoSize = false;
    label.SetCaption("x");
    EXPECT_GT(label.Width, oneLine);  // a fixed label keeps its size
}

TEST(Labels, ShadowLiesTowardsItsPosition) {
    TShadowLabel label("l");
    label.ShadowOffset = 2;
    label.ShadowPosition = TShadowPosition::spLeftBottom;
    EXPECT_EQ(label.ShadowOrigin(), (TPoint{0, 2}));
    EXPECT_EQ(label.TextOrigin(), (TPoint{2, 0}));
    label.ShadowPosition = TShadowPosition::spRightBottom;
    EXPECT_EQ(label.ShadowOrigin(), (TPoint{2, 2}));
    EXPECT_EQ(label.TextOrigin(), (TPoint{0, 0}));
}

TEST(Alignment, HeaderAndButtonBarFrameTheClientArea) {
    TPanel wizard("Wizard");
    TPanel header("Panel8"), bar("Panel1");
    TNotebook book("Notebook1");
    header.Align = TAlign::alTop;
    header.Height = 40;
    bar.Align = TAlign::alBottom;
    bar.Height = 40;
    book.Align = TAlign::alClient;
    header.SetParent(&wizard);
    book.SetParent(&wizard);
    bar.SetParent(&wizard);
    TPanel& page = book.AddPage("page1");
    wizard.SetBounds(0, 0, 441, 289);
    wizard.Realign();
    EXPECT_EQ(book.Top, 40);
    EXPECT_EQ(book.Height, 289 - 80);
    EXPECT_EQ(bar.Top, 249);
    EXPECT_EQ(page.Width, 441);
    EXPECT_EQ(page.Height, 209);
}

TEST(ListView, SwitchingCheckBoxesOffClearsTheMarks) {
    TListView list("ListView1");
    list.SetCheckboxes(true);
    list.AddItem().Checked = true;
    list.SetCheckboxes(true);
    EXPECT_TRUE(list.Items[0].Checked);
    list.SetCheckboxes(false);
    list.SetCheckboxes(true);
    EXPECT_FALSE(list.Items[0].Checked);
}

}  // namespace
}  // namespace tavlin

namespace tavlin {
namespace {

TEST(Labels, ABottomAlignedLabelKeepsItsWidthAndStaysAtTheEdge) {
    TPanel screen("screen");
    screen.SetBounds(0, 0, 1024, 768);
    TShadowLabel line("TextInfo4");
    line.SetParent(&screen);
    line.Align = TAlign::alBottom;
    line.SetCaption("x");
    screen.Realign();
    line.Font.Height = -40;
    line.SetCaption("A much longer line of text");
    EXPECT_EQ(line.Width, 1024);
    EXPECT_EQ(line.Bottom(), 768);
    EXPECT_GT(line.Height, 40);
}

}  // namespace
}  // namespace tavlin
