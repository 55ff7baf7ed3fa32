#pragma once

#include "core/document/document_ui.h"

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavlor::test {

/** A DocumentUi that plays back scripted answers and records everything it was asked to show. */
class ScriptedDocumentUi : public DocumentUi {
public:
    // Script: consumed front first. Running out is a test failure (answers Cancel / nothing).
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> savePaths;
    std::deque<std::optional<std::string>> openPaths;
    std::deque<bool> replaceAnswers; // true = Yes

    // Record.
    std::vector<std::string> prompts;
    std::vector<std::string> replaceQuestions;
    std::vector<std::optional<std::string>> savePresets; // one entry per Save dialog shown
    int openDialogs = 0;
    std::vector<std::string> captions; // every caption set since the records were cleared
    std::string currentCaption;        // the caption last set (kept when records are cleared)
    std::vector<std::string> warnings;
    std::vector<std::string> events; // "prompt", "save", "replace", "open", "caption",
                                     // "warning" in order

    // Each question is recorded with its event, then answered from its script.
    Answer askToSave(const std::string& text) override {
        return ask(prompts, text, "prompt", answers, Answer::Cancel,
                   "unexpected save prompt: " + text);
    }
    std::optional<std::string> chooseSavePath(const std::optional<std::string>& preset) override {
        return ask(savePresets, preset, "save", savePaths, std::optional<std::string>(),
                   "unexpected Save dialog");
    }
    bool askToReplace(const std::string& text) override {
        return ask(replaceQuestions, text, "replace", replaceAnswers, false,
                   "unexpected replace question: " + text);
    }
    std::optional<std::string> chooseOpenPath() override;
    void setCaption(const std::string& caption) override;
    void showLoadWarning(const std::string& text) override;

    /** The caption last set, or "" when none was. */
    const std::string& caption() const { return currentCaption; }
    /** True when every scripted answer and path was used. */
    bool scriptUsedUp() const {
        return answers.empty() && savePaths.empty() && openPaths.empty() && replaceAnswers.empty();
    }

private:
    /** Records question and its event, then gives the next reply of script. */
    template <typename Question, typename Reply>
    Reply ask(std::vector<Question>& record, const Question& question, const char* event,
              std::deque<Reply>& script, Reply fallback, const std::string& unexpected) {
        record.push_back(question);
        events.push_back(event);
        return next(script, std::move(fallback), unexpected);
    }
    /** The next reply of script; when the script has run out, fallback and a test failure saying
     *  unexpected. */
    template <typename Reply>
    static Reply next(std::deque<Reply>& script, Reply fallback, const std::string& unexpected) {
        if (script.empty()) {
            fail(unexpected);
            return fallback;
        }
        Reply reply = std::move(script.front());
        script.pop_front();
        return reply;
    }
    static void fail(const std::string& unexpected);
};

} // namespace tavlor::test
