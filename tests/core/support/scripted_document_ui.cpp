#include "support/scripted_document_ui.h"

#include <gtest/gtest.h>

#include <utility>

namespace tavlor::test {
namespace {

// The next reply of a script, or fallback and a test failure saying what came unexpectedly when
// the script has run out.
template <typename T> T takeNext(std::deque<T>& script, T fallback, const std::string& unexpected) {
    if (script.empty()) {
        ADD_FAILURE() << unexpected;
        return fallback;
    }
    T reply = std::move(script.front());
    script.pop_front();
    return reply;
}

} // namespace

Answer ScriptedDocumentUi::askToSave(const std::string& text) {
    prompts.push_back(text);
    events.push_back("prompt");
    return takeNext(answers, Answer::Cancel, "unexpected save prompt: " + text);
}

std::optional<std::string>
ScriptedDocumentUi::chooseSavePath(const std::optional<std::string>& preset) {
    savePresets.push_back(preset);
    events.push_back("save");
    return takeNext(savePaths, std::optional<std::string>(), "unexpected Save dialog");
}

bool ScriptedDocumentUi::askToReplace(const std::string& text) {
    replaceQuestions.push_back(text);
    events.push_back("replace");
    return takeNext(replaceAnswers, false, "unexpected replace question: " + text);
}

std::optional<std::string> ScriptedDocumentUi::chooseOpenPath() {
    ++openDialogs;
    events.push_back("open");
    return takeNext(openPaths, std::optional<std::string>(), "unexpected Open dialog");
}

void ScriptedDocumentUi::setCaption(const std::string& caption) {
    captions.push_back(caption);
    currentCaption = caption;
    events.push_back("caption");
}

void ScriptedDocumentUi::showLoadWarning(const std::string& text) {
    warnings.push_back(text);
    events.push_back("warning");
}

} // namespace tavlor::test
