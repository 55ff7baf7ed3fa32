// Opening at start-up from the command-line arguments, and drops of several files.
#include "support/error_of.h"
#include "support/workflow_fixture.h"

#include "core/desktop/command_line.h"
#include "core/desktop/uri_list.h"
#include "core/files/file_error.h"
#include "core/document/sheet_load_ahead.h"

#include <fstream>

namespace tavlor::test {
namespace {

using Args = std::vector<std::string>;

class CommandLine : public WorkflowFixture {
protected:
    void SetUp() override {
        workflow.resetCaption(); // as the window's creation does
        clearRecords();
        std::filesystem::create_directory(folder / "My Data");
        temp.write("My Data/t.csv", "t;\r\n");
        temp.write("two  blanks.csv", "2;\r\n");
    }
    /** Runs FormShow and returns the error text, or "" when it succeeded. */
    std::string show(const Args& arguments, SheetLoadAhead* ahead = nullptr) {
        try {
            workflow.openCommandLine(arguments, ahead);
        } catch (const FileError& error) {
            return error.what();
        }
        return {};
    }
    void expectOpenErrorFor(const std::string& message, const std::string& absolutePath) {
        EXPECT_EQ(message.rfind("Cannot open file \"" + absolutePath + "\". ", 0), 0u) << message;
        EXPECT_EQ(workflow.CurrentFileName(), "");
        EXPECT_EQ(ui.caption(), "Vorlane Tavlor");
        EXPECT_EQ(a1(), "");
        EXPECT_FALSE(document.isModified());
    }
};

TEST_F(CommandLine, WithoutArgumentsOnlyMeasuresTheSheet) {
    const auto runs = document.extentRuns();
    EXPECT_EQ(show({}), "");
    EXPECT_EQ(document.extentRuns(), runs + 1);
    EXPECT_EQ(workflow.CurrentFileName(), "");
    EXPECT_TRUE(ui.captions.empty());
    EXPECT_EQ(ui.caption(), "Vorlane Tavlor");
    EXPECT_EQ(show({"", "ignored.csv"}), ""); // counting stops at the first empty argument
    EXPECT_EQ(workflow.CurrentFileName(), "");
}

TEST_F(CommandLine, PathSplitAtItsBlankIsJoinedBack) {
    EXPECT_EQ(show({temp.file("My"), "Data/t.csv"}), "");
    EXPECT_EQ(workflow.CurrentFileName(), temp.file("My Data/t.csv"));
    EXPECT_EQ(ui.caption(), "t.csv - Vorlane Tavlor");
    EXPECT_EQ(a1(), "t");
    EXPECT_FALSE(document.isModified());
}

TEST_F(CommandLine, QuotedPathArrivesAsOneArgument) {
    EXPECT_EQ(show({temp.file("My Data/t.csv")}), "");
    EXPECT_EQ(workflow.CurrentFileName(), temp.file("My Data/t.csv"));
    EXPECT_EQ(a1(), "t");
}

TEST_F(CommandLine, ControlCharactersAroundThePathAndArgumentsAfterAnEmptyOneAreDropped) {
    EXPECT_EQ(show({"\t " + temp.file("My"), "Data/t.csv\r\n", "", "junk"}), "");
    EXPECT_EQ(workflow.CurrentFileName(), temp.file("My Data/t.csv"));
}

TEST_F(CommandLine, TwoBlanksInARowBecomeOneAndNameNothing) {
    // The shell splits "two  blanks.csv" (unquoted) into two arguments.
    expectOpenErrorFor(show({temp.file("two"), "blanks.csv"}), temp.file("two blanks.csv"));
}

TEST_F(CommandLine, TwoFilesAreJoinedIntoOnePathThatNamesNeither) {
    expectOpenErrorFor(show({temp.file("current.csv"), temp.file("other.csv")}),
                       temp.file("current.csv") + " " + temp.file("other.csv"));
}

TEST_F(CommandLine, MissingRelativePathIsNamedMadeAbsolute) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    const std::string message = show({"missing.csv"});
    std::filesystem::current_path(previous);
    expectOpenErrorFor(message, temp.file("missing.csv"));
    ui.savePaths.push_back(std::nullopt);
    workflow.save(); // the failed path is not kept: Save asks for a name
    EXPECT_EQ(ui.savePresets, (std::vector<std::optional<std::string>>{"Noname"}));
}

TEST_F(CommandLine, CaseOfThePathIsKept) {
    temp.write("Report.CSV", "upper;\r\n");
    temp.write("report.csv", "lower;\r\n");
    EXPECT_EQ(show({temp.file("Report.CSV")}), "");
    EXPECT_EQ(a1(), "upper");
    EXPECT_EQ(ui.caption(), "Report.CSV - Vorlane Tavlor");
    std::filesystem::remove(folder / "report.csv");
    EXPECT_EQ(show({temp.file("Report.CSV")}), "");
    EXPECT_EQ(workflow.CurrentFileName(), temp.file("Report.CSV"));
}

TEST_F(CommandLine, FolderIsFoundButFailsToLoad) {
    EXPECT_EQ(tavlor::CommandLine::existingPath(temp.file("My Data")), temp.file("My Data"));
    EXPECT_EQ(tavlor::CommandLine::existingPath(temp.file("nothing")), "");
    EXPECT_EQ(tavlor::CommandLine::existingPath(""), "");
    expectOpenErrorFor(show({temp.file("My Data")}), temp.file("My Data"));
}

TEST_F(CommandLine, AFileReadAheadIsTakenOnlyWhileUnchanged) {
    const std::string path = temp.file("My Data/t.csv");
    SheetLoadAhead ahead(path);
    ahead.wait();
    EXPECT_FALSE(ahead.fits(temp.file("two  blanks.csv")));
    EXPECT_EQ(show({path}, &ahead), "");
    EXPECT_FALSE(ahead.fits(path)); // taken
    EXPECT_EQ(a1(), "t");
    EXPECT_EQ(ui.caption(), "t.csv - Vorlane Tavlor");
    EXPECT_TRUE(workflow.ownFileStamp().hashKnown);
    EXPECT_FALSE(workflow.ownFileStamp().changedOnDisk(path));
    document.cellEdited(1, 1, "u", EditSource::FormulaBar); // the snapshot stands on the cells taken
    EXPECT_TRUE(document.isModified());

    SheetLoadAhead stale(path);
    SheetLoadAhead missing(temp.file("missing.csv"));
    stale.wait();
    missing.wait();
    temp.write("My Data/t.csv", "new;\r\n");
    EXPECT_EQ(show({path}, &stale), "");
    EXPECT_EQ(a1(), "new");
    expectOpenErrorFor(show({temp.file("missing.csv")}, &missing), temp.file("missing.csv"));
}

TEST(JoinArguments, JoinsWithSingleBlanksAndTrims) {
    EXPECT_EQ(tavlor::CommandLine::joinArguments({}), "");
    EXPECT_EQ(tavlor::CommandLine::joinArguments({"a", "b  c", "d"}), "a b  c d");
    EXPECT_EQ(tavlor::CommandLine::joinArguments({" ", "x "}), "x");
    EXPECT_EQ(tavlor::CommandLine::joinArguments({"a", "", "b"}), "a");
    EXPECT_EQ(tavlor::CommandLine::joinArguments({"\x01\x1F\x20y\x7F"}), "y\x7F");
    EXPECT_EQ(tavlor::CommandLine::joinArguments({"\xC3\xA9 "}), "\xC3\xA9"); // high bytes stay
}

// --- drops of several files -----------------------------------------------------------------

class Drops : public WorkflowFixture {
protected:
    void SetUp() override { temp.write("third.csv", "third;\r\n"); }
};

TEST_F(Drops, ThreeFilesOnAnUnmodifiedSheetOpenInTurnWithoutPrompts) {
    prepare(false, false);
    workflow.openDropped(
        {temp.file("current.csv"), temp.file("other.csv"), temp.file("third.csv")});
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_EQ(ui.captions, (std::vector<std::string>{"current.csv - Vorlane Tavlor",
                                                     "other.csv - Vorlane Tavlor",
                                                     "third.csv - Vorlane Tavlor"}));
    EXPECT_EQ(a1(), "third");
    EXPECT_EQ(workflow.CurrentFileName(), temp.file("third.csv"));
}

TEST_F(Drops, CancelSkipsEachFileAndPromptsAgain) {
    prepare(true, true);
    ui.answers = {Answer::Cancel, Answer::Cancel};
    const auto runs = document.extentRuns();
    workflow.openDropped({temp.file("other.csv"), temp.file("third.csv")});
    EXPECT_EQ(ui.prompts.size(), 2u);
    EXPECT_EQ(a1(), "edited");
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(temp.read("current.csv"), "old;\r\n");
    EXPECT_GT(document.extentRuns(), runs); // the sheet is measured after every drop
}

TEST_F(Drops, YesWritesOnceThenOpensEveryFile) {
    prepare(true, true);
    ui.answers = {Answer::Yes};
    workflow.openDropped({temp.file("other.csv"), temp.file("third.csv")});
    EXPECT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(temp.read("current.csv"), kEdited);
    EXPECT_EQ(a1(), "third");
    EXPECT_EQ(ui.caption(), "third.csv - Vorlane Tavlor");
}

TEST_F(Drops, UnnamedYesNeverShowsTheSavedNameInTheCaption) {
    prepare(false, true);
    ui.answers = {Answer::Yes};
    ui.savePaths = {temp.file("saved.csv")};
    workflow.openDropped({temp.file("other.csv")});
    EXPECT_EQ(temp.read("saved.csv"), kEdited);
    EXPECT_EQ(ui.captions, (std::vector<std::string>{"other.csv - Vorlane Tavlor"}));
}

TEST_F(Drops, AFolderFailsAndTheFilesAfterItAreNotOpened) {
    prepare(false, false);
    std::filesystem::create_directory(folder / "dir");
    const std::string message = errorOf([&] {
        workflow.openDropped({temp.file("dir"), temp.file("other.csv")});
    });
    EXPECT_EQ(message.rfind("Cannot open file \"" + temp.file("dir") + "\". ", 0), 0u) << message;
    EXPECT_EQ(a1(), "");
    EXPECT_EQ(workflow.CurrentFileName(), "");
}

TEST_F(Drops, ALongPathIsUsedWhole) {
    prepare(false, false);
    std::filesystem::path deep = folder;
    for (int i = 0; i < 6; ++i)
        deep /= std::string(50, static_cast<char>('a' + i));
    std::filesystem::create_directories(deep);
    const std::string longPath = (deep / "long.csv").string();
    ASSERT_GT(longPath.size(), 255u);
    { std::ofstream(longPath, std::ios::binary) << "long;\r\n"; }
    workflow.openDropped({longPath});
    EXPECT_EQ(a1(), "long");
    EXPECT_EQ(workflow.CurrentFileName(), longPath);
}

TEST(DroppedUriList, GivesTheExactBytesOfLocalFiles) {
    const std::string list = "# dragged from a file manager\r\n"
                             "file:///home/u/caf%E9.csv\r\n"
                             "file://localhost/tmp/My%20Data/t%3Bx.csv\r\n"
                             "FILE:/tmp/100%25%zz.csv\r\n"
                             "file://server/share/a.csv\r\n"
                             "https://example.org/b.csv\r\n"
                             "file:///tmp/nul%00.csv\r\n"
                             "file:///tmp/last.csv";
    std::string joined;
    for (const std::string& path : localFilePaths(list))
        joined += path + "|";
    EXPECT_EQ(joined, "/home/u/caf\xE9.csv|/tmp/My Data/t;x.csv|/tmp/100%%zz.csv|/tmp/last.csv|");
}

} // namespace
} // namespace tavlor::test
