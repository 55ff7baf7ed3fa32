// The save-prompt tables of New, Open, the close query and a single dropped file, row by row.
#include "support/workflow_fixture.h"

#include <optional>

namespace tavlor::test {
namespace {

enum class Command { New, Open, Close, Drop };

/** One row: the document's state, the user's answers and what must follow. */
struct Row {
    const char* name;
    bool named = false;
    bool modified = false;
    std::optional<Answer> answer;   // empty: no prompt may be shown
    std::optional<bool> saveDialog; // shown? true = choose saved.csv, false = cancel it
    std::optional<bool> openDialog; // (Open only) shown? true = choose other.csv
    const char* written = "";       // file that receives the edited sheet: "", current/saved.csv
    const char* a1 = "";            // A1 afterwards
    const char* fileName = "";      // leaf of CurrentFileName afterwards ("" = unnamed)
    bool modifiedAfter = false;
    bool closeAllowed = false; // (Close only)
};

class SavePromptTable : public WorkflowFixture, public ::testing::WithParamInterface<Row> {
protected:
    void run(Command command) {
        const Row& row = GetParam();
        prepare(row.named, row.modified);
        if (row.answer)
            ui.answers.push_back(*row.answer);
        if (row.saveDialog)
            ui.savePaths.push_back(*row.saveDialog ? std::optional(temp.file("saved.csv"))
                                                   : std::nullopt);
        if (row.openDialog)
            ui.openPaths.push_back(*row.openDialog ? std::optional(temp.file("other.csv"))
                                                   : std::nullopt);

        bool canClose = true;
        switch (command) {
        case Command::New:
            workflow.newDocument();
            break;
        case Command::Open:
            workflow.open();
            break;
        case Command::Close:
            workflow.queryClose(canClose);
            break;
        case Command::Drop:
            workflow.openDropped({temp.file("other.csv")});
            break;
        }

        // The prompt: shown only on a modified sheet, with the text for its name and command.
        if (row.answer) {
            const std::string ending = command == Command::Close ? " before exit?" : "?";
            const std::string expected =
                row.named ? "Do you want to save " + temp.file("current.csv") + ending
                          : "Do you want to save the current file" + ending;
            EXPECT_EQ(ui.prompts, std::vector<std::string>{expected});
        } else {
            EXPECT_TRUE(ui.prompts.empty());
        }
        EXPECT_TRUE(ui.scriptUsedUp()) << "a scripted dialog was not shown";
        EXPECT_EQ(ui.savePresets.size(), row.saveDialog ? 1u : 0u);
        for (const auto& preset : ui.savePresets)
            EXPECT_EQ(preset, std::nullopt) << "this Save dialog offers the name it last returned";
        EXPECT_EQ(ui.openDialogs, row.openDialog ? 1 : 0);

        // What was written.
        const std::string written = row.written;
        EXPECT_EQ(temp.read("current.csv"), written == "current.csv" ? kEdited : "old;\r\n");
        EXPECT_EQ(temp.read("saved.csv"), written == "saved.csv" ? kEdited : "<missing>");

        // The resulting document.
        EXPECT_EQ(a1(), row.a1);
        const std::string fileName = row.fileName;
        EXPECT_EQ(workflow.CurrentFileName(), fileName.empty() ? "" : temp.file(fileName));
        EXPECT_EQ(document.isModified(), row.modifiedAfter);
        EXPECT_EQ(ui.caption(), captionFor(fileName));
        if (command == Command::Close) {
            EXPECT_EQ(canClose, row.closeAllowed);
        }
    }
};

std::string rowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

constexpr auto Yes = Answer::Yes;
constexpr auto No = Answer::No;
constexpr auto Cancel = Answer::Cancel;

// clang-format off
const Row kNewRows[] = {
    {"UnmodifiedNamed", true, false, {}, {}, {}, "", "", "", false},
    {"UnmodifiedUnnamed", false, false, {}, {}, {}, "", "", "", false},
    {"NamedYes", true, true, Yes, {}, {}, "current.csv", "", "", false},
    {"NamedNo", true, true, No, {}, {}, "", "", "", false},
    {"NamedCancel", true, true, Cancel, {}, {}, "", "edited", "current.csv", true},
    {"UnnamedYesSaved", false, true, Yes, true, {}, "saved.csv", "", "", false},
    {"UnnamedYesSaveCancelled", false, true, Yes, false, {}, "", "edited", "", true},
    {"UnnamedNo", false, true, No, {}, {}, "", "", "", false},
    {"UnnamedCancel", false, true, Cancel, {}, {}, "", "edited", "", true},
};

const Row kOpenRows[] = {
    {"UnmodifiedNamedChosen", true, false, {}, {}, true, "", "other", "other.csv", false},
    {"UnmodifiedNamedCancelled", true, false, {}, {}, false, "", "old", "current.csv", false},
    {"UnmodifiedUnnamedChosen", false, false, {}, {}, true, "", "other", "other.csv", false},
    {"NamedYesChosen", true, true, Yes, {}, true, "current.csv", "other", "other.csv", false},
    {"NamedYesOpenCancelled", true, true, Yes, {}, false, "current.csv", "edited", "current.csv", false},
    {"NamedNoChosen", true, true, No, {}, true, "", "other", "other.csv", false},
    {"NamedNoOpenCancelled", true, true, No, {}, false, "", "edited", "current.csv", true},
    {"NamedCancel", true, true, Cancel, {}, {}, "", "edited", "current.csv", true},
    {"UnnamedYesSavedChosen", false, true, Yes, true, true, "saved.csv", "other", "other.csv", false},
    {"UnnamedYesSavedOpenCancelled", false, true, Yes, true, false, "saved.csv", "edited", "saved.csv", false},
    {"UnnamedYesSaveCancelled", false, true, Yes, false, {}, "", "edited", "", true},
    {"UnnamedNoChosen", false, true, No, {}, true, "", "other", "other.csv", false},
    {"UnnamedNoOpenCancelled", false, true, No, {}, false, "", "edited", "", true},
    {"UnnamedCancel", false, true, Cancel, {}, {}, "", "edited", "", true},
};

const Row kCloseRows[] = {
    {"UnmodifiedNamed", true, false, {}, {}, {}, "", "old", "current.csv", false, true},
    {"UnmodifiedUnnamed", false, false, {}, {}, {}, "", "", "", false, true},
    {"NamedYes", true, true, Yes, {}, {}, "current.csv", "edited", "current.csv", true, true},
    {"NamedNo", true, true, No, {}, {}, "", "edited", "current.csv", true, true},
    {"NamedCancel", true, true, Cancel, {}, {}, "", "edited", "current.csv", true, false},
    {"UnnamedYesSaved", false, true, Yes, true, {}, "saved.csv", "edited", "", true, true},
    {"UnnamedYesSaveCancelled", false, true, Yes, false, {}, "", "edited", "", true, false},
    {"UnnamedNo", false, true, No, {}, {}, "", "edited", "", true, true},
    {"UnnamedCancel", false, true, Cancel, {}, {}, "", "edited", "", true, false},
};

const Row kDropRows[] = {
    {"UnmodifiedNamed", true, false, {}, {}, {}, "", "other", "other.csv", false},
    {"UnmodifiedUnnamed", false, false, {}, {}, {}, "", "other", "other.csv", false},
    {"NamedYes", true, true, Yes, {}, {}, "current.csv", "other", "other.csv", false},
    {"NamedNo", true, true, No, {}, {}, "", "other", "other.csv", false},
    {"NamedCancel", true, true, Cancel, {}, {}, "", "edited", "current.csv", true},
    {"UnnamedYesSaved", false, true, Yes, true, {}, "saved.csv", "other", "other.csv", false},
    {"UnnamedYesSaveCancelled", false, true, Yes, false, {}, "", "edited", "", true},
    {"UnnamedNo", false, true, No, {}, {}, "", "other", "other.csv", false},
    {"UnnamedCancel", false, true, Cancel, {}, {}, "", "edited", "", true},
};
// clang-format on

class NewTable : public SavePromptTable {};
class OpenTable : public SavePromptTable {};
class CloseQueryTable : public SavePromptTable {};
class DropTable : public SavePromptTable {};

TEST_P(NewTable, FollowsTheRow) {
    run(Command::New);
}
TEST_P(OpenTable, FollowsTheRow) {
    run(Command::Open);
}
TEST_P(CloseQueryTable, FollowsTheRow) {
    run(Command::Close);
}
TEST_P(DropTable, FollowsTheRow) {
    run(Command::Drop);
}

INSTANTIATE_TEST_SUITE_P(Rows, NewTable, ::testing::ValuesIn(kNewRows), rowName);
INSTANTIATE_TEST_SUITE_P(Rows, OpenTable, ::testing::ValuesIn(kOpenRows), rowName);
INSTANTIATE_TEST_SUITE_P(Rows, CloseQueryTable, ::testing::ValuesIn(kCloseRows), rowName);
INSTANTIATE_TEST_SUITE_P(Rows, DropTable, ::testing::ValuesIn(kDropRows), rowName);

} // namespace
} // namespace tavlor::test
