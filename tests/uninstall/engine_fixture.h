// A fresh hosted Windows machine per test with an application on it, helpers to
// put files on it and read them back, and message boxes answered from a list while
// every question is noted.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/machine_fixture.h"
#include "controls/application.h"
#include "controls/progress_dialog.h"
#include "platform/hosted/hosted_machine.h"
#include "platform/platform.h"
#include "setup/screen_ui.h"

namespace tavlin::test {

class EngineTest : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine = openMachine();
        application = std::make_unique<TApplication>(*machine);
        application->Title = "Acme";
        progress = std::make_unique<TProgressDialog>(*application);
        ui = std::make_unique<ScreenUi>(*application, *progress);
        machine->setAnswerer([this](const hosted::DialogRequest& request) {
            questions.push_back(request);
            hosted::DialogAnswer answer;
            answer.result = answers.empty() ? request.safeDefault : answers.front();
            if (!answers.empty()) answers.pop_front();
            return answer;
        });
    }

    void TearDown() override {
        ui.reset();
        progress.reset();
        application.reset();
        machine.reset();
        MachineTest::TearDown();
    }

    Platform& platform() { return *machine; }
    FileSystem& files() { return machine->files(); }

    void WriteFile(const std::string& path, const std::string& content) {
        files().forceDirectories(path.substr(0, path.find_last_of('\\')));
        writeMachineFile(files(), path, content);
    }

    // The file's bytes, or nothing when it is not there.
    std::optional<std::string> ReadFile(const std::string& path) {
        if (!files().fileExists(path)) return std::nullopt;
        return readMachineFile(files(), path);
    }

    bool Exists(const std::string& path) { return files().attributes(path).has_value(); }

    // The texts of the message boxes shown so far.
    std::vector<std::string> QuestionTexts() const {
        std::vector<std::string> texts;
        for (const auto& q : questions) texts.push_back(q.text);
        return texts;
    }

    std::unique_ptr<hosted::HostedMachine> machine;
    std::unique_ptr<TApplication> application;
    // The engines' view of the screen: the application and its progress dialog.
    std::unique_ptr<TProgressDialog> progress;
    std::unique_ptr<ScreenUi> ui;
    std::deque<MessageResult> answers;  // used in order; afterwards each box takes its safe default
    std::vector<hosted::DialogRequest> questions;
};

}  // namespace tavlin::test
