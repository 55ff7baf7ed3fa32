#include "support/scripted_document_ui.h"

#include <gtest/gtest.h>

namespace tavlor::test {

void ScriptedDocumentUi::fail(const std::string& unexpected) {
    ADD_FAILURE() << unexpected;
}

std::optional<std::string> ScriptedDocumentUi::chooseOpenPath() {
    ++openDialogs;
    events.push_back("open");
    return next(openPaths, std::optional<std::string>(), "unexpected Open dialog");
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
