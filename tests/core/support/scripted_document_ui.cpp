#include "support/scripted_document_ui.h"

#include <gtest/gtest.h>

namespace tavlor::test {

Answer ScriptedDocumentUi::askToSave(const std::string& text) {
    prompts.push_back(text);
    events.push_back("prompt");
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected save prompt: " << text;
        return Answer::Cancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string>
ScriptedDocumentUi::chooseSavePath(const std::optional<std::string>& preset) {
    savePresets.push_back(preset);
    events.push_back("save");
    if (savePaths.empty()) {
        ADD_FAILURE() << "unexpected Save dialog";
        return std::nullopt;
    }
    auto path = savePaths.front();
    savePaths.pop_front();
    return path;
}

bool ScriptedDocumentUi::askToReplace(const std::string& text) {
    replaceQuestions.push_back(text);
    events.push_back("replace");
    if (replaceAnswers.empty()) {
        ADD_FAILURE() << "unexpected replace question: " << text;
        return false;
    }
    const bool answer = replaceAnswers.front();
    replaceAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDocumentUi::chooseOpenPath() {
    ++openDialogs;
    events.push_back("open");
    if (openPaths.empty()) {
        ADD_FAILURE() << "unexpected Open dialog";
        return std::nullopt;
    }
    auto path = openPaths.front();
    openPaths.pop_front();
    return path;
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
