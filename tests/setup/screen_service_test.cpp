// The setup laid out on the machine's screen: a machine of 800 x 600 pixels puts
// the form, the wizard panel, the status panel and the progress windows where the
// centring rules put them on that screen, in a whole run of the program.
#include "setup/setup_fixture.h"
#include "setup/unzip_form.h"

namespace tavlin::test {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << b.left << ", " << b.top << " " << b.width << " x " << b.height;
}

Box BoxOf(const TControl& control) { return {control.Left, control.Top, control.Width, control.Height}; }

// Centred on the screen: left = W div 2 - w div 2, top = H div 2 - h div 2.
Box Centred(int width, int height) { return {kWidth / 2 - width / 2, kHeight / 2 - height / 2, width, height}; }

class SmallScreen : public SetupFixture {
protected:
    void SetUp() override {
        machineIni = "[Screen]\nWidth=800\nHeight=600\nDpi=96\n";
        SetupFixture::SetUp();
        installCfg = Config("");
        product = {{"Installation Directory,", "C:\\Work\\acme.exe", "program"},
                   {"Installation Directory,", "C:\\Work\\License.txt", "Terms"}};
    }
};

// Remembers where things were while the program ran.
class Recorder : public ScriptedFrontEnd {
public:
    void Update(TDisplayScreen& screen) override {
        if (TForm_Progress* window = screen.RunProgress.Window(); window && window->Visible) {
            progress = BoxOf(*window);
        }
        if (screen.InstallStatus.Visible) statuses.emplace_back(screen.InstallStatus.Caption, BoxOf(screen.InstallStatus));
    }
    std::optional<Box> form, background, wizard, progress;
    std::vector<std::pair<std::string, Box>> statuses;
};

TEST_F(SmallScreen, AWholeRunIsLaidOutForTheMachinesScreen) {
    Recorder recorder;
    auto click = [](const char* name) {
        return [name](TDisplayScreen& s) { ControlDriver(s.Application, s).Click(name); };
    };
    recorder.actions = {[&](TDisplayScreen& s) {
                            recorder.form = BoxOf(s);
                            recorder.background = BoxOf(s.SetupScreen);
                            recorder.wizard = BoxOf(s.Wizard);
                            ControlDriver(s.Application, s).Click("Accept");
                        },
                        click("Next1"), click("Next1"), click("Next1"), click("Next1")};
    ASSERT_EQ(RunProgram({}, recorder), 0);
    EXPECT_EQ(recorder.form, (Box{0, 0, kWidth, kHeight}));
    EXPECT_EQ(recorder.background, (Box{0, 0, kWidth, kHeight}));
    EXPECT_EQ(recorder.wizard, Centred(441, 289));
    // The installation's progress window, centred by its outer size.
    ASSERT_TRUE(recorder.progress);
    EXPECT_EQ(*recorder.progress, Centred(recorder.progress->width, recorder.progress->height));
    EXPECT_NE(recorder.progress->left, 1024 / 2 - recorder.progress->width / 2);
    // The status panel: 10 x characters + 90 wide, centred, whatever its text;
    // "Installing Files" first.
    ASSERT_FALSE(recorder.statuses.empty());
    EXPECT_EQ(recorder.statuses.front().first, "Installing Files");
    EXPECT_EQ(recorder.statuses.front().second, Centred(250, 65));
    for (const auto& [text, box] : recorder.statuses) {
        EXPECT_EQ(box, Centred(10 * static_cast<int>(text.size()) + 90, 65)) << text;
    }
}

TEST_F(SmallScreen, TheExpansionsProgressWindowIsCentredOnTheScreen) {
    WriteFile("D:\\install.cfg", installCfg);
    WriteFile("D:\\finstall.cfg", "Installation Directory,C:\\Work\\acme.exe\r\n");
    WriteFile("D:\\disk.001", "SSeg");
    CreateScreen();
    TUNZIP unzip(*screen);
    unzip.FormCreate();
    state.ArchiveFileList.LoadFromFile(files(), "D:\\finstall.cfg");
    files().forceDirectories(state.ExpandDir);
    unzip.SegCompEZ1SegBefore(smExpand, "disk.001", 1);
    ASSERT_TRUE(unzip.Progress->Active());
    const TForm_Progress& window = *unzip.Progress->Window();
    EXPECT_EQ(BoxOf(window), Centred(window.Width, window.Height));
    EXPECT_EQ(BoxOf(*screen), (Box{0, 0, kWidth, kHeight}));
}

// On a denser screen the designed sizes grow in proportion to its pixels per inch
// (rounded as MulDiv rounds); at 96 they are the design's own. No caption of a
// button, box or single-line label outgrows its control in its larger font.
class DenseScreen : public SetupFixture, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        machineIni = "[Screen]\nWidth=1024\nHeight=768\nDpi=" + std::to_string(GetParam()) + "\n";
        SetupFixture::SetUp();
    }
    // The design's pixels on this screen: times dpi / 96, halves away from zero.
    int Scaled(int designed) const {
        const int times = designed * GetParam();
        return (times + (times >= 0 ? 48 : -48)) / 96;
    }
};

TEST_P(DenseScreen, DesignedSizesGrowWithThePixelsPerInchAndTextKeepsToItsControls) {
    CreateScreen();
    screen->FormCreate();
    screen->FormResize();
    screen->Wizard.Show();
    const int wizardWidth = Scaled(441), wizardHeight = Scaled(289);
    EXPECT_EQ(BoxOf(screen->Wizard),
              (Box{1024 / 2 - wizardWidth / 2, 768 / 2 - wizardHeight / 2, wizardWidth, wizardHeight}));
    EXPECT_EQ(BoxOf(screen->Next1), (Box{Scaled(360), Scaled(8), Scaled(75), Scaled(25)}));
    EXPECT_EQ(BoxOf(screen->Main_Dir), (Box{Scaled(12), Scaled(22), Scaled(400), Scaled(21)}));
    EXPECT_EQ(screen->Panel1.Height, Scaled(40));
    // The panel's Verdana 11 points is 15 pixels at 96; the buttons keep the
    // system's 8 points, 11 pixels.
    EXPECT_EQ(screen->Wizard.Font.Height, Scaled(-15));
    EXPECT_EQ(screen->Next1.Font.Height, Scaled(-11));
    EXPECT_EQ(screen->ListView1.Columns.get()[0].Width, Scaled(280));
    EXPECT_EQ(screen->LicenseMemo->Top, Scaled(20));
    EXPECT_EQ(screen->LicenseMemo->Font.Height, Scaled(-11));
    // The progress window: its client area and what it holds; the frame stays.
    TForm_Progress progress(*application);
    EXPECT_EQ(progress.ClientWidth, Scaled(450));
    EXPECT_EQ(progress.ClientHeight, Scaled(152));
    EXPECT_EQ(progress.Width - progress.ClientWidth, 456 - 450);
    EXPECT_EQ(BoxOf(progress.Bitbtn_Cancel), (Box{Scaled(365), Scaled(120), Scaled(75), Scaled(25)}));
    EXPECT_EQ(progress.Font.Height, Scaled(-11));
    // A size in points given later (as install.cfg gives them) takes the screen's density.
    TFont later = screen->TextInfo2.Font;
    later.SetSize(24);
    EXPECT_EQ(later.Height, -(24 * GetParam() + 36) / 72);

    int checked = 0;
    std::vector<TControl*> controls = screen->Wizard.TabSequence();
    for (TControl* control : {static_cast<TControl*>(&screen->VivuroLabel), static_cast<TControl*>(&screen->CompletedLabel),
                              static_cast<TControl*>(&screen->UninstallOfLabel), static_cast<TControl*>(&screen->reboot),
                              static_cast<TControl*>(&screen->LaunchItOption)}) {
        controls.push_back(control);
    }
    for (TControl* control : controls) {
        const auto* label = dynamic_cast<const TLabel*>(control);
        if (control->Caption.get().empty() || (label && label->WordWrap)) continue;
        if (!dynamic_cast<const TButton*>(control) && !dynamic_cast<const TCheckBox*>(control) &&
            !dynamic_cast<const TRadioButton*>(control) && !label) {
            continue;
        }
        // A box's or a button's text has the mark or the edges beside it.
        const int beside = label ? 0 : Scaled(16);
        const TPoint text = application->MeasureText(control->Font, StripAccelerator(control->Caption.get()));
        EXPECT_LE(text.x + beside, control->Width) << control->Name << " \"" << control->Caption.get() << "\"";
        EXPECT_LE(text.y, control->Height) << control->Name;
        ++checked;
    }
    EXPECT_GE(checked, 8);
}

INSTANTIATE_TEST_SUITE_P(PixelsPerInch, DenseScreen, ::testing::Values(96, 120, 144));

}  // namespace
}  // namespace tavlin::test
