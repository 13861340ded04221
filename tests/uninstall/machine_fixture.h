// A fresh hosted Windows machine per test, with helpers to put files on it, read
// them back and answer its message boxes from a script while noting every question.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/application.h"
#include "platform/hosted/hosted_machine.h"
#include "platform/platform.h"

namespace tavlin::test {

class MachineTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        folder_ = std::filesystem::path(TAVLIN_BINARY_DIR) / "test-machines" / "uninstall" / name;
        std::filesystem::remove_all(folder_);
        machine = hosted::HostedMachine::open(folder_);
        application = std::make_unique<TApplication>(*machine);
        application->Title = "Acme";
        machine->setAnswerer([this](const hosted::DialogRequest& request) {
            questions.push_back(request);
            hosted::DialogAnswer answer;
            answer.result = answers.empty() ? request.safeDefault : answers.front();
            if (!answers.empty()) answers.pop_front();
            return answer;
        });
    }

    void TearDown() override {
        application.reset();
        machine.reset();
        if (!HasFailure()) std::filesystem::remove_all(folder_);
    }

    Platform& platform() { return *machine; }
    FileSystem& files() { return machine->files(); }

    void WriteFile(const std::string& path, const std::string& content) {
        const auto cut = path.find_last_of('\\');
        files().forceDirectories(path.substr(0, cut));
        auto stream = files().create(path);
        stream->writeBuffer(content.data(), content.size());
    }

    // The file's bytes, or nothing when it cannot be read.
    std::optional<std::string> ReadFile(const std::string& path) {
        if (!files().fileExists(path)) return std::nullopt;
        auto stream = files().openRead(path);
        std::string content;
        char buffer[4096];
        while (const std::size_t n = stream->read(buffer, sizeof buffer)) content.append(buffer, n);
        return content;
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
    std::deque<MessageResult> answers;  // used in order; afterwards each box takes its safe default
    std::vector<hosted::DialogRequest> questions;

private:
    std::filesystem::path folder_;
};

}  // namespace tavlin::test
