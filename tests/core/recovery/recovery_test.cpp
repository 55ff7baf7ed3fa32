// The recovery file: its format, the folder of recovery files and their locks, and what the
// document does with them (keep unsaved work, offer it at start-up).
#include "core/recovery/document_recovery.h"
#include "core/recovery/recovery_store.h"
#include "support/workflow_fixture.h"

#include <sys/stat.h>

namespace tavlor::test {
namespace {

/** Answers the start-up question from a script and records what it was told. */
struct ScriptedRecoveryUi : RecoveryUi {
    std::deque<Answer> answers;
    std::vector<std::string> questions, problems, failures;
    Answer askToRestore(const std::string& text) override {
        questions.push_back(text);
        const Answer answer = answers.empty() ? Answer::Cancel : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
    void showRecoveryProblem(const std::string& text) override { problems.push_back(text); }
    void showRecoveryWriteFailure(const std::string& text) override { failures.push_back(text); }
};

int modeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

TEST(RecoveryFile, EveryByteOfAFullSheetComesBackInEachEncoding) {
    Sheet sheet;
    for (int row = 1; row <= Sheet::kLastRow; ++row)
        for (int col = 1; col <= Sheet::kLastCol; ++col)
            sheet.setCell(col, row,
                          std::string(1 + (row + col) % 11, char((row * 27 + col) % 256)));
    sheet.Genislik();
    const RecoveryHeader header{"/a b/\n;\xFE.csv", {}, 1765000000, FileIdentity{1, 2, 3, 4}};
    for (const TextEncoding encoding : kTextEncodings) {
        RecoveryHeader written = header;
        written.encoding = encoding;
        Sheet back;
        const RecoveryHeader read = parseRecoveryText(
            recoveryText(written, sheet),
            [&](int col, int row, std::string_view bytes) { back.loadCell(col, row, bytes); });
        EXPECT_EQ(read.path, header.path);
        EXPECT_EQ(read.encoding, encoding);
        EXPECT_EQ(read.savedAt, header.savedAt);
        EXPECT_EQ(read.identity, header.identity);
        EXPECT_TRUE(back.contentText() == sheet.contentText()); // 2.4 MB: no dump on failure
        EXPECT_EQ(back.filledCells(), Sheet::kDataCells);
    }
}

TEST(RecoveryFile, ACutOrForeignTextIsRefusedAndSaysWhich) {
    Sheet sheet;
    sheet.setCell(2, 3, "x;\r\n\\y");
    sheet.Genislik();
    const std::string text = recoveryText({}, sheet);
    for (std::size_t length = 0; length < text.size(); ++length)
        EXPECT_THROW(parseRecoveryText(text.substr(0, length)), RecoveryError) << length;
    EXPECT_THROW(parseRecoveryText(text + "x"), RecoveryError);
    const auto messageOf = [](const std::string& bytes) {
        try {
            parseRecoveryText(bytes);
        } catch (const RecoveryError& error) {
            return std::string(error.what());
        }
        return std::string("(no error)");
    };
    EXPECT_EQ(messageOf(text.substr(0, text.size() - 3)), "it is cut short or damaged");
    EXPECT_EQ(messageOf("a;b;\r\n"), "it is not a recovery file of this program");
}

class Recovery : public WorkflowFixture {
protected:
    std::string folder = temp.file("state/tavlor/recovery");
    RecoveryStore store{folder};
    DocumentRecovery recovery{document, workflow, store};
    ScriptedRecoveryUi answers;
};

TEST_F(Recovery, AKilledRunsChangesAreOfferedOnceItsLockIsGone) {
    prepare(true, false);
    auto killed = std::make_unique<RecoveryStore>(folder); // a run that ends without a clean exit
    DocumentRecovery run(document, workflow, *killed);
    run.settle();
    edit(1, 1, "edited");
    ASSERT_TRUE(run.write(1765000000, answers));
    EXPECT_EQ(modeOf(folder), 0700);
    EXPECT_EQ(modeOf(killed->ownFile()), 0600);
    EXPECT_EQ(store.claimOrphans().size(), 0u) << "the owner still runs";
    killed.reset();

    SheetDocument restored;
    HeadlessSheetView restoredView(restored);
    DocumentWorkflow restoredFlow(restored, ui);
    DocumentRecovery next(restored, restoredFlow, store);
    answers.answers = {Answer::Yes};
    next.offerOrphans(answers, 1765000100);
    ASSERT_EQ(answers.questions.size(), 1u);
    EXPECT_EQ(answers.questions[0], "Vorlane Tavlor was not closed properly. Unsaved changes to " +
                                        temp.file("current.csv") + " from " +
                                        DocumentRecovery::localTimeText(1765000000) +
                                        " can be restored. Restore them?");
    EXPECT_EQ(restored.sheet().cell(1, 1), "edited");
    EXPECT_TRUE(restored.isModified());
    EXPECT_EQ(restoredFlow.CurrentFileName(), temp.file("current.csv"));
    EXPECT_EQ(ui.caption(), captionFor("current.csv"));
    const std::string own = store.ownFile().substr(folder.size() + 1);
    EXPECT_EQ(folderListing(folder), own.substr(0, own.size() - 9) + " " + own)
        << "the old file was taken over by the new run's own";
}

TEST_F(Recovery, AnswersChangedFilesUnnamedSheetsAndBrokenFiles) {
    prepare(false, true);
    std::filesystem::create_directories(folder);
    temp.write("state/tavlor/recovery/instance-cut.recovery", "Vorlane Tavlor recovery 1\npath 9");
    {
        RecoveryStore killed(folder);
        DocumentRecovery(document, workflow, killed).write(0, answers);
    }
    answers.answers = {Answer::Cancel};
    recovery.offerOrphans(answers, 0);
    ASSERT_EQ(answers.problems.size(), 1u);
    EXPECT_NE(answers.problems[0].find("instance-cut.recovery cannot be used: it is cut short"),
              std::string::npos);
    EXPECT_NE(answers.questions.at(0).find("changes to a new sheet from"), std::string::npos);
    answers.answers = {Answer::No};
    recovery.offerOrphans(answers, 0);
    EXPECT_EQ(answers.questions.size(), 2u) << "Cancel keeps the file for the next start";
    EXPECT_EQ(folderListing(folder), "instance-cut instance-cut.recovery")
        << "No removes it; a broken one stays";

    workflow.openChosenFile(temp.file("current.csv"));
    recovery.settle();
    edit(1, 1, "new");
    {
        RecoveryStore killed(folder);
        DocumentRecovery(document, workflow, killed).write(0, answers);
    }
    temp.write("current.csv", "changed elsewhere;\r\n");
    edit(2, 2, "unsaved"); // restoring asks about this document first, as New does
    ui.answers = {Answer::Cancel};
    answers.answers = {Answer::Yes};
    recovery.offerOrphans(answers, 0);
    EXPECT_NE(answers.questions.back().find(" The file has changed on disk since then. Restore"),
              std::string::npos);
    EXPECT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(document.sheet().cell(2, 2), "unsaved") << "Cancel on the save question keeps it";
}

TEST_F(Recovery, SavingEndsTheFileAndAFailedWriteIsToldOnce) {
    prepare(true, true);
    recovery.write(0, answers);
    workflow.save();
    recovery.settle();
    EXPECT_EQ(folderListing(folder).find(".recovery"), std::string::npos);
    std::string error = "(not told)";
    store.writeInBackground("x", [&error](const std::string& what) { error = what; });
    store.finishWriting();
    EXPECT_EQ(error, "");
    std::filesystem::remove(store.ownFile());
    std::filesystem::create_directory(store.ownFile()); // the next write cannot replace it
    store.writeInBackground("x", [&error](const std::string& what) { error = what; });
    store.discard(); // waits for the write first
    EXPECT_EQ(error.rfind("Cannot create file", 0), 0u) << error;

    temp.write("blocked", "a file where the folder would be");
    RecoveryStore blocked(temp.file("blocked/recovery"));
    DocumentRecovery failing(document, workflow, blocked);
    edit(1, 1, "again");
    EXPECT_FALSE(failing.write(0, answers));
    EXPECT_FALSE(failing.write(0, answers));
    ASSERT_EQ(answers.failures.size(), 1u);
    EXPECT_EQ(
        answers.failures[0].rfind("Unsaved changes cannot be kept for recovery: Cannot create", 0),
        0u);
}

} // namespace
} // namespace tavlor::test
