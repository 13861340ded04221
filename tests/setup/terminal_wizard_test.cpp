// The wizard in a terminal: pages as text with their buttons' letters, typed
// lines that move through the whole installation, and message boxes asked there.
#include <sstream>

#include "setup/setup_fixture.h"
#include "setup/terminal_wizard.h"

namespace tavlin::test {
namespace {

TEST_F(SetupFixture, ATypedSessionInstallsWithTheUsersChoices) {
    installCfg = Config("", "[Desktop]\r\nAcme,<InstallDir>\\acme.exe,X,,,C:\\Work\\acme.exe,Acme Tools\r\n");
    product = {{"Installation Directory,", "C:\\Work\\acme.exe", "program"},
               {"Installation Directory,", "C:\\Work\\License.txt", "These are the terms."}};
    // Accept; type a folder; next; untick the Start-menu shortcut (choice 3) and
    // tick its desktop one (4); next; a wrong answer; install; finish.
    std::istringstream in("a\n1\nC:\\Apps\\Acme\nN\n3\n4\nN\nZ\nI\nF\n");
    std::ostringstream out;
    TerminalWizard terminal(in, out);
    EXPECT_EQ(RunProgram({}, terminal), 0);
    const std::string text = out.str();
    for (const char* shown :
         {"==== Acme Widgets: License Agreement ====", "  These are the terms.", "[C] Cancel  [D] Decline  [A] Accept",
          "Destination  Directory: C:\\Program Files\\TVL\\", "Folder: ", "  1. [ ] Add Folder to Start Menu",
          "  3. [x] Acme (StartMenu)", "[C] Cancel  [B] << Back  [N] Next >>", "  Install To: C:\\Apps\\Acme",
          "[C] Cancel  [B] << Back  [I] Install", "Please answer with a letter or a number shown above.",
          "Installing Files", "Installation Completed", "  1. (*) Return to Windows", "[F] Finish"}) {
        EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
    }
    EXPECT_EQ(ReadFile("C:\\Apps\\Acme\\acme.exe"), "program");
    EXPECT_TRUE(Exists("C:\\WINDOWS\\Desktop\\Acme.lnk"));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\Start Menu\\Acme.lnk"));
}

TEST_F(SetupFixture, TheEndOfInputClosesTheSetupAsCancelled) {
    std::istringstream in("");
    std::ostringstream out;
    TerminalWizard terminal(in, out);
    EXPECT_EQ(RunProgram({}, terminal), 2);
    EXPECT_NE(out.str().find("Installation Directory"), std::string::npos) << out.str();
}

TEST(TerminalMessages, AnswersByLetterAndFallsBackToTheSafeDefault) {
    struct Case {
        std::string typed;
        MessageButtons buttons;
        MessageResult expected;
    };
    const Case cases[] = {
        {"y\n", MessageButtons::YesNo, MessageResult::Yes},
        {"x\nN\n", MessageButtons::YesNo, MessageResult::No},
        {"a\n", MessageButtons::YesNoAll, MessageResult::All},
        {"\n", MessageButtons::Ok, MessageResult::Ok},
        {"c\n", MessageButtons::OkCancel, MessageResult::Cancel},
        {"", MessageButtons::OkCancel, MessageResult::Cancel},  // end of input: the safe default
    };
    for (const Case& c : cases) {
        std::istringstream in(c.typed);
        std::ostringstream out;
        TerminalWizard terminal(in, out);
        EXPECT_EQ(terminal.AskMessage("Acme", "Line one\rLine two", c.buttons, MessageResult::Cancel), c.expected)
            << c.typed;
        EXPECT_NE(out.str().find("---- Acme ----\nLine one\nLine two\n"), std::string::npos) << out.str();
    }
}

}  // namespace
}  // namespace tavlin::test
