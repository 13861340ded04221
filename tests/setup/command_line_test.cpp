// The setup's command line: leading switches in any letter case, their values,
// and the joined text the setup reads.
#include <gtest/gtest.h>

#include "setup/command_line.h"

namespace tavlin {
namespace {

TEST(SetupCommandLine, SwitchesComeFirstAndAreRemoved) {
    const auto line = ParseSetupCommandLine(
        {"/silent", "/Dir=C:\\Apps\\Acme", "/NORESTART", "/log=\"C:\\setup log.txt\"", "My", "App", "/VERYSILENT"});
    EXPECT_TRUE(line.Options.Silent);
    EXPECT_FALSE(line.Options.VerySilent);  // after the first plain parameter it is text
    EXPECT_TRUE(line.Options.NoRestart);
    EXPECT_FALSE(line.Options.SuppressMsgBoxes);
    EXPECT_EQ(line.Options.Dir, "C:\\Apps\\Acme");
    EXPECT_EQ(line.Options.Log, "C:\\setup log.txt");
    EXPECT_EQ(JoinParameters(line.Parameters), "My App /VERYSILENT");
}

TEST(SetupCommandLine, WhatEachSwitchImplies) {
    struct Case {
        std::vector<std::string> parameters;
        bool unattended, noBoxes;
    };
    const Case cases[] = {
        {{}, false, false},
        {{"/SILENT"}, true, true},
        {{"/VerySilent"}, true, true},
        {{"/SUPPRESSMSGBOXES"}, false, true},
        {{"/DIR=x", "/NORESTART"}, false, false},
        {{"/SILENTLY"}, false, false},  // not a switch: the whole line is text
    };
    for (const Case& c : cases) {
        const auto line = ParseSetupCommandLine(c.parameters);
        EXPECT_EQ(line.Options.Unattended(), c.unattended) << JoinParameters(c.parameters);
        EXPECT_EQ(line.Options.NoMessageBoxes(), c.noBoxes) << JoinParameters(c.parameters);
    }
    EXPECT_EQ(JoinParameters(ParseSetupCommandLine({"/SILENTLY"}).Parameters), "/SILENTLY");
}

TEST(SetupCommandLine, JoinsWithSingleBlanks) {
    EXPECT_EQ(JoinParameters({}), "");
    EXPECT_EQ(JoinParameters({"D:\\SETUP\\"}), "D:\\SETUP\\");
    EXPECT_EQ(JoinParameters({"My", "App"}), "My App");
    EXPECT_EQ(JoinParameters({"", "x"}), " x");
}

}  // namespace
}  // namespace tavlin
