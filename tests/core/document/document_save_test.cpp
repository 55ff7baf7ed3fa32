// Save, Save As, the caption rule and what a failed write or load leaves behind.
#include "support/error_of.h"
#include "support/workflow_fixture.h"

#include "core/desktop/window_title.h"
#include "core/files/file_error.h"

namespace tavlor::test {
namespace {

using DocumentSave = WorkflowFixture;

TEST_F(DocumentSave, SaveOfANamedSheetWritesInPlaceAndLeavesTheCaption) {
    prepare(true, true);
    workflow.save();
    EXPECT_EQ(temp.read("current.csv"), kEdited);
    EXPECT_FALSE(document.isModified());
    EXPECT_TRUE(ui.savePresets.empty());
    EXPECT_TRUE(ui.captions.empty());
    EXPECT_EQ(ui.caption(), "current.csv - Vorlane Tavlor");
}

TEST_F(DocumentSave, SaveOfAnUnnamedSheetAsksWithNonameAndNamesTheDocument) {
    prepare(false, true);
    ui.savePaths.push_back(temp.file("x.csv"));
    workflow.save();
    EXPECT_EQ(ui.savePresets, (std::vector<std::optional<std::string>>{"Noname"}));
    EXPECT_EQ(temp.read("x.csv"), kEdited);
    EXPECT_EQ(workflow.CurrentFileName(), temp.file("x.csv"));
    EXPECT_EQ(ui.caption(), "x.csv - Vorlane Tavlor");
    EXPECT_FALSE(document.isModified());
}

TEST_F(DocumentSave, CancelledSaveAsChangesNothing) {
    prepare(false, true);
    ui.savePaths.push_back(std::nullopt);
    workflow.save();
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(workflow.CurrentFileName(), "");
    EXPECT_TRUE(ui.captions.empty());
    EXPECT_EQ(temp.read("Noname"), "<missing>");
}

TEST_F(DocumentSave, SaveAsPresetsTheFullPathAndAsksBeforeReplacingAnotherFile) {
    prepare(true, false);
    // Its own file is replaced without a question; another one only after Yes, No shows the
    // dialog again with the name chosen.
    ui.savePaths = {temp.file("current.csv"), temp.file("other.csv"), temp.file("other.csv")};
    ui.replaceAnswers = {false, true};
    workflow.saveAs();
    EXPECT_TRUE(ui.replaceQuestions.empty());
    workflow.saveAs();
    EXPECT_EQ(ui.savePresets,
              (std::vector<std::optional<std::string>>{
                  temp.file("current.csv"), temp.file("current.csv"), temp.file("other.csv")}));
    EXPECT_EQ(ui.replaceQuestions,
              std::vector<std::string>(2, "other.csv already exists. Do you want to replace it?"));
    EXPECT_EQ(temp.read("other.csv"), "old;\r\n");
    EXPECT_EQ(temp.read("current.csv"), "old;\r\n");
    EXPECT_EQ(workflow.CurrentFileName(), temp.file("other.csv"));
    EXPECT_EQ(ui.caption(), "other.csv - Vorlane Tavlor");
}

TEST_F(DocumentSave, PromptShowsTheFullPathWhileTheCaptionShowsTheFileNamePart) {
    std::filesystem::create_directory(folder / "sub dir");
    temp.write("sub dir/Book 1.csv", "a;b;\r\n");
    ui.openPaths.push_back(temp.file("sub dir/Book 1.csv"));
    workflow.open();
    EXPECT_EQ(ui.caption(), "Book 1.csv - Vorlane Tavlor");
    EXPECT_EQ(workflow.savePromptText(false),
              "Do you want to save " + temp.file("sub dir/Book 1.csv") + "?");
    EXPECT_EQ(workflow.savePromptText(true),
              "Do you want to save " + temp.file("sub dir/Book 1.csv") + " before exit?");
    EXPECT_EQ(WindowTitle::fileNamePart("/a/b.c/d.csv"), "d.csv");
    EXPECT_EQ(WindowTitle::fileNamePart("plain.csv"), "plain.csv");
    EXPECT_EQ(WindowTitle::fileNamePart("C:\\x.csv"), "C:\\x.csv"); // only "/" separates here
    EXPECT_EQ(WindowTitle::fileNamePart("/folder/"), "");
}

TEST_F(DocumentSave, ChangesByAnotherProgramAreAskedAboutBeforeTheyAreReplaced) {
    const std::string question = "current.csv has been changed by another program since it was "
                                 "opened or saved. Replace it with this document?";
    prepare(true, true);
    // The same bytes on a new inode and a new time (a checkout of the same content): no question.
    temp.write("copy.csv", "old;\r\n");
    std::filesystem::rename(folder / "copy.csv", folder / "current.csv");
    EXPECT_FALSE(workflow.changeNotice());
    workflow.save();
    EXPECT_EQ(temp.read("current.csv"), kEdited);

    edit(1, 1, "mine");
    temp.write("current.csv", "theirs;\r\n");
    EXPECT_EQ(workflow.changeNotice(), "current.csv has been changed by another program since it "
                                       "was opened or saved.");
    EXPECT_FALSE(workflow.changeNotice()); // told once
    ui.replaceAnswers = {false, false};
    workflow.save();
    ui.answers.push_back(Answer::Yes);
    bool canClose = true;
    workflow.queryClose(canClose);
    EXPECT_FALSE(canClose);
    EXPECT_EQ(ui.replaceQuestions, std::vector<std::string>(2, question));
    EXPECT_EQ(temp.read("current.csv"), "theirs;\r\n");
    EXPECT_TRUE(document.isModified());
    // Save As onto the same file asks too; Yes writes.
    ui.savePaths.push_back(temp.file("current.csv"));
    ui.replaceAnswers.push_back(true);
    workflow.saveAs();
    EXPECT_EQ(ui.replaceQuestions.size(), 3u);
    EXPECT_EQ(temp.read("current.csv"), "mine;\r\n");
    EXPECT_FALSE(document.isModified());
    // A file deleted meanwhile is saved without a question.
    edit(1, 1, "again");
    std::filesystem::remove(folder / "current.csv");
    workflow.save();
    EXPECT_EQ(temp.read("current.csv"), "again;\r\n");
}

TEST_F(DocumentSave, AFailedSaveAsLeavesTheDocumentNamedAsBefore) {
    prepare(true, true);
    ui.savePaths.push_back(temp.file("missing/b.csv"));
    EXPECT_THROW(workflow.saveAs(), FileError);
    EXPECT_EQ(workflow.CurrentFileName(), temp.file("current.csv"));
    workflow.save();
    EXPECT_EQ(temp.read("current.csv"), kEdited);
}

// --- failure rules -------------------------------------------------------------------------

/** Opens sub/current.csv, edits A1, then removes sub so that writing to the name fails. */
class FailedWrite : public WorkflowFixture {
protected:
    void SetUp() override {
        std::filesystem::create_directory(folder / "sub");
        temp.write("sub/current.csv", "old;\r\n");
        workflow.resetCaption();
        ui.openPaths.push_back(temp.file("sub/current.csv"));
        workflow.open();
        edit(1, 1, "edited");
        std::filesystem::remove_all(folder / "sub");
        clearRecords();
    }
    void expectSheetKept() {
        EXPECT_EQ(a1(), "edited");
        EXPECT_TRUE(document.isModified());
        EXPECT_EQ(workflow.CurrentFileName(), temp.file("sub/current.csv"));
        EXPECT_EQ(ui.caption(), "current.csv - Vorlane Tavlor");
    }
};

TEST_F(FailedWrite, InNewKeepsTheSheet) {
    ui.answers.push_back(Answer::Yes);
    EXPECT_THROW(workflow.newDocument(), FileError);
    expectSheetKept();
}

TEST_F(FailedWrite, InTheCloseQueryKeepsRefusing) {
    ui.answers.push_back(Answer::Yes);
    bool canClose = true;
    EXPECT_THROW(workflow.queryClose(canClose), FileError);
    EXPECT_FALSE(canClose);
    expectSheetKept();
}

TEST_F(FailedWrite, InOpenShowsNoOpenDialog) {
    ui.answers.push_back(Answer::Yes);
    EXPECT_THROW(workflow.open(), FileError);
    EXPECT_EQ(ui.openDialogs, 0);
    expectSheetKept();
}

TEST_F(FailedWrite, InADropOpensNothingMore) {
    ui.answers.push_back(Answer::Yes);
    EXPECT_THROW(workflow.openDropped({temp.file("other.csv"), temp.file("current.csv")}),
                 FileError);
    EXPECT_EQ(ui.prompts.size(), 1u);
    expectSheetKept();
}

TEST_F(FailedWrite, InSaveKeepsTheSheetModified) {
    EXPECT_THROW(workflow.save(), FileError);
    expectSheetKept();
}

TEST_F(FailedWrite, OfAnUnnamedSheetInOpenKeepsTheChosenNameButNotTheCaption) {
    ui.answers.push_back(Answer::No);
    workflow.newDocument(); // unnamed, empty
    edit(2, 2, "x");
    ui.answers.push_back(Answer::Yes);
    ui.savePaths.push_back(temp.file("missing folder/y.csv"));
    EXPECT_THROW(workflow.open(), FileError);
    EXPECT_EQ(ui.openDialogs, 0);
    EXPECT_EQ(workflow.CurrentFileName(), temp.file("missing folder/y.csv"));
    EXPECT_EQ(ui.caption(), "Vorlane Tavlor");
    EXPECT_TRUE(document.isModified());
}

// A failed load leaves an empty, unnamed, unmodified sheet; a later Save asks for a name and the
// file that could not be read is never written.
class FailedLoad : public WorkflowFixture {
protected:
    void expectUnnamedEmptySheet() {
        EXPECT_EQ(a1(), "");
        EXPECT_FALSE(document.isModified());
        EXPECT_EQ(workflow.CurrentFileName(), "");
        EXPECT_EQ(ui.caption(), "Vorlane Tavlor");
        clearRecords();
        ui.savePaths.push_back(std::nullopt);
        workflow.save();
        EXPECT_EQ(ui.savePresets, (std::vector<std::optional<std::string>>{"Noname"}));
    }
};

TEST_F(FailedLoad, ByOpenLeavesTheDocumentUnnamed) {
    prepare(true, false);
    std::filesystem::create_directory(folder / "a folder");
    ui.openPaths.push_back(temp.file("a folder"));
    const std::string message = errorOf([&] { workflow.open(); });
    EXPECT_EQ(message.rfind("Cannot open file \"" + temp.file("a folder") + "\". ", 0), 0u)
        << message;
    expectUnnamedEmptySheet();
    EXPECT_TRUE(std::filesystem::is_directory(folder / "a folder"));
}

TEST_F(FailedLoad, ByADropStopsTheRemainingFiles) {
    prepare(true, false);
    temp.write("third.csv", "third;\r\n");
    EXPECT_THROW(workflow.openDropped(
                     {temp.file("other.csv"), temp.file("missing.csv"), temp.file("third.csv")}),
                 FileError);
    expectUnnamedEmptySheet();
}

// --- load warning ---------------------------------------------------------------------------

TEST_F(DocumentSave, OpeningAFileWithCellsBeyondZWarnsAfterwards) {
    std::string wide;
    for (int i = 0; i < 27; ++i)
        wide += "c" + std::to_string(i + 1) + ";";
    temp.write("wide.csv", wide + "\r\n");
    prepare(false, false);
    ui.openPaths.push_back(temp.file("wide.csv"));
    workflow.open();
    ASSERT_EQ(ui.warnings.size(), 1u);
    EXPECT_FALSE(ui.warnings.front().empty());
    EXPECT_EQ(ui.events.back(), "warning"); // after the caption: the document is already open
    EXPECT_EQ(ui.caption(), "wide.csv - Vorlane Tavlor");
    EXPECT_EQ(document.sheet().cell(26, 1), "c26");
    EXPECT_FALSE(document.isModified());

    clearRecords();
    workflow.openDropped({temp.file("other.csv"), temp.file("wide.csv")});
    EXPECT_EQ(ui.warnings.size(), 1u);
    clearRecords();
    ui.openPaths.push_back(temp.file("other.csv"));
    workflow.open();
    EXPECT_TRUE(ui.warnings.empty());

    // The first save to the file that holds more asks; No writes nothing, Yes writes, and then the
    // question does not come again. Another name never asks.
    ui.openPaths.push_back(temp.file("wide.csv"));
    workflow.open();
    edit(1, 1, "x");
    ui.savePaths.push_back(temp.file("elsewhere.csv"));
    workflow.saveAs();
    ui.openPaths.push_back(temp.file("wide.csv"));
    workflow.open();
    ui.replaceAnswers = {false, true};
    for (int save = 0; save < 3; ++save)
        workflow.save();
    EXPECT_EQ(ui.replaceQuestions,
              std::vector<std::string>(
                  2, "wide.csv holds more than the sheet shows (see the warning when it was "
                     "opened). Saving replaces it with the sheet's content. Save anyway?"));
    EXPECT_EQ(temp.read("wide.csv").size(), wide.size() + 2 - 4);
    clearRecords();

    // UTF-16 text is read as such: nothing to warn about.
    temp.write("wide16.csv", "\xFE\xFF\x4E\x2D");
    ui.openPaths.push_back(temp.file("wide16.csv"));
    workflow.open();
    EXPECT_TRUE(ui.warnings.empty());
    EXPECT_EQ(document.encoding(), TextEncoding::Utf16Be);
}

} // namespace
} // namespace tavlor::test
