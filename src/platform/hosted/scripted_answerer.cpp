// The script is a queue shared between the test and the answerer it hands out.
#include "platform/hosted/scripted_answerer.h"

#include <deque>

#include "platform/errors.h"
#include "platform/hosted/dialog_text.h"
#include "platform/hosted/journal.h"

namespace tavlin::hosted {

struct ScriptedAnswerer::Script {
    std::deque<Expected> expected;
};

ScriptedAnswerer::ScriptedAnswerer() : script_(std::make_shared<Script>()) {}

ScriptedAnswerer& ScriptedAnswerer::messageBox(MessageResult answer, std::string containing) {
    DialogAnswer reply;
    reply.result = answer;
    script_->expected.push_back({DialogRequest::Kind::MessageBox, std::move(containing), reply});
    return *this;
}

ScriptedAnswerer& ScriptedAnswerer::inputBox(std::optional<std::string> answer, std::string containing) {
    DialogAnswer reply;
    reply.ok = answer.has_value();
    reply.text = answer.value_or(std::string());
    script_->expected.push_back({DialogRequest::Kind::InputBox, std::move(containing), reply});
    return *this;
}

ScriptedAnswerer& ScriptedAnswerer::folderChooser(std::optional<std::string> answer, std::string containing) {
    DialogAnswer reply;
    reply.ok = answer.has_value();
    reply.text = answer.value_or(std::string());
    script_->expected.push_back({DialogRequest::Kind::FolderChooser, std::move(containing), reply});
    return *this;
}

std::string ScriptedAnswerer::describe(const Expected& expected) {
    std::string text = nameOf(expected.kind);
    if (!expected.containing.empty()) text += " containing " + journalQuote(expected.containing);
    if (expected.kind == DialogRequest::Kind::MessageBox) return text + " answered " + nameOf(expected.answer.result);
    return text + (expected.answer.ok ? " answered " + journalQuote(expected.answer.text) : " cancelled");
}

DialogAnswerer ScriptedAnswerer::answerer() const {
    return [script = script_](const DialogRequest& request) {
        if (script->expected.empty()) {
            throw Exception("Unexpected " + tavlin::hosted::describe(request) + " (no more dialogs expected)");
        }
        const Expected next = script->expected.front();
        const bool contains = next.containing.empty() || request.text.find(next.containing) != std::string::npos ||
                              request.caption.find(next.containing) != std::string::npos;
        if (next.kind != request.kind || !contains) {
            throw Exception("Unexpected " + tavlin::hosted::describe(request) + " (expected " +
                            ScriptedAnswerer::describe(next) + ")");
        }
        script->expected.pop_front();
        return next.answer;
    };
}

std::vector<std::string> ScriptedAnswerer::remaining() const {
    std::vector<std::string> out;
    for (const auto& expected : script_->expected) out.push_back(describe(expected));
    return out;
}

}  // namespace tavlin::hosted
