// Dialogs on the machine go to the answerer and into the journal; the scripted
// answerer catches dialogs a test did not expect.
#include <gtest/gtest.h>

#include "machine_fixture.h"
#include "platform/hosted/scripted_answerer.h"

namespace tavlin::hosted::testing {
namespace {

using DialogsTest = MachineTest;

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& error) {
        return error.what();
    }
    return "(no error)";
}

TEST_F(DialogsTest, AnswersAreGivenAndJournaled) {
    auto machine = openMachine();
    ScriptedAnswerer script;
    script.messageBox(MessageResult::No, "older")
        .inputBox("typed", "Serial")
        .folderChooser(std::nullopt)
        .messageBox(MessageResult::All);
    machine->setAnswerer(script.answerer());
    Dialogs& dialogs = machine->dialogs();
    EXPECT_EQ(dialogs.messageBox("File is older\rKeep?", "Setup", MessageButtons::YesNo, MessageKind::Confirmation,
                                 MessageResult::Yes),
              MessageResult::No);
    std::string text = "offered";
    EXPECT_TRUE(dialogs.inputBox("Setup", "Serial number:", text));
    EXPECT_EQ(text, "typed");
    std::string folder = "C:\\Acme";
    EXPECT_FALSE(dialogs.chooseFolder("Choose", folder));
    EXPECT_EQ(folder, "C:\\Acme");
    EXPECT_EQ(dialogs.messageBox("Replace?", "Setup", MessageButtons::YesNoAll, MessageKind::Warning,
                                 MessageResult::No),
              MessageResult::All);
    EXPECT_TRUE(script.remaining().empty());
    EXPECT_EQ(machine->journal(),
              (std::vector<std::string>{
                  "message box caption=\"Setup\" kind=confirmation buttons=yes/no text=\"File is older\\rKeep?\" "
                  "answer=no",
                  "input box caption=\"Setup\" prompt=\"Serial number:\" offered=\"offered\" answer=ok result=\"typed\"",
                  "folder chooser caption=\"Choose\" offered=\"C:\\Acme\" answer=cancel",
                  "message box caption=\"Setup\" kind=warning buttons=yes/no/all text=\"Replace?\" answer=all",
              }));
}

TEST_F(DialogsTest, UnansweredOrWronglyAnsweredDialogsAreErrors) {
    auto machine = openMachine();
    Dialogs& dialogs = machine->dialogs();
    EXPECT_EQ(messageOf([&] { dialogs.messageBox("Go on?", "Setup", MessageButtons::Ok, MessageKind::Information,
                                                 MessageResult::Ok); }),
              "No answer for the message box \"Setup\": \"Go on?\"");
    machine->setAnswerer([](const DialogRequest&) { return DialogAnswer{MessageResult::Yes, true, ""}; });
    EXPECT_EQ(messageOf([&] { dialogs.messageBox("Go on?", "Setup", MessageButtons::OkCancel,
                                                 MessageKind::Information, MessageResult::Ok); }),
              "The answer yes is not a button of the message box \"Setup\": \"Go on?\"");
    EXPECT_TRUE(machine->journal().empty());
}

TEST_F(DialogsTest, TheScriptRefusesDialogsItDoesNotExpect) {
    auto machine = openMachine();
    Dialogs& dialogs = machine->dialogs();
    ScriptedAnswerer script;
    script.messageBox(MessageResult::Yes, "Restart").inputBox("x");
    machine->setAnswerer(script.answerer());
    auto ask = [&](const char* text) {
        return messageOf([&] {
            dialogs.messageBox(text, "Setup", MessageButtons::YesNo, MessageKind::Confirmation, MessageResult::No);
        });
    };
    EXPECT_EQ(ask("Remove shared file?"),
              "Unexpected message box \"Setup\": \"Remove shared file?\" (expected message box containing "
              "\"Restart\" answered yes)");
    EXPECT_EQ(ask("Restart Windows now?"), "(no error)");
    EXPECT_EQ(ask("Again?"), "Unexpected message box \"Setup\": \"Again?\" (expected input box answered \"x\")");
    EXPECT_EQ(script.remaining(), std::vector<std::string>{"input box answered \"x\""});
    std::string text;
    EXPECT_TRUE(dialogs.inputBox("Name", "Your name:", text));
    EXPECT_EQ(ask("One more?"), "Unexpected message box \"Setup\": \"One more?\" (no more dialogs expected)");
}

}  // namespace
}  // namespace tavlin::hosted::testing
