// Runs the real programs (tavlin, tavlin-setup) as a user would from a shell, with
// typed input, and gives back their exit code and what they printed.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tavlin::e2e {

struct ProgramRun {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

// The path of a program built in this tree ("tavlin", "tavlin-setup").
std::filesystem::path ProgramPath(const std::string& name);

// Runs a program with arguments; input is fed to its standard input.
ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::string& input = "");

// One step of a conversation with a running program: wait until its output shows
// the text (once more than it has so far), then act, then type the reply line.
struct ConversationStep {
    std::string waitFor;
    std::function<void()> act;
    std::string reply;
};

// Runs a program and holds the conversation; after the last step its input ends.
// A program that does not show what a step waits for within the time limit is
// stopped, and the run's exit code is -1.
ProgramRun Converse(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::vector<ConversationStep>& steps, int secondsPerStep = 60);

// A folder of its own for the current test, emptied first.
std::filesystem::path FreshFolder(const std::string& area);

void WriteHostFile(const std::filesystem::path& path, const std::string& content);
std::string ReadHostFile(const std::filesystem::path& path);

}  // namespace tavlin::e2e
