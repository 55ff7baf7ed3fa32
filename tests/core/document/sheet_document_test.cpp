#include "core/document/sheet_document.h"
#include "core/files/file_error.h"

#include "support/headless_sheet_view.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tavlor::test {

using Log = std::vector<std::string>;

class SheetDocumentTest : public testing::Test {
protected:
    SheetDocumentTest() { document.sheet().writeHeaders(); }

    TempFolder folder;
    SheetDocument document;
    HeadlessSheetView view{document};
};

TEST_F(SheetDocumentTest, TypingShowsModifiedOnceAndKeepsIt) {
    view.typeInCell("h");
    EXPECT_EQ(view.modifiedPanel(), "Modified");
    EXPECT_EQ(view.totalsPanel(), "Total Rows:1 Total Cols:1");
    EXPECT_EQ(document.extentRuns(), 1u);
    EXPECT_EQ(document.changeChecks(), 1u);
    view.typeInCell("");
    EXPECT_EQ(view.modifiedPanel(), "Modified");
    EXPECT_EQ(view.totalsPanel(), "Total Rows:0 Total Cols:0");
    // showModified is only called when the flag changes.
    int shown = 0;
    for (const std::string& entry : view.log())
        shown += entry.rfind("showModified", 0) == 0 ? 1 : 0;
    EXPECT_EQ(shown, 1);
}

TEST_F(SheetDocumentTest, MovingAroundNeverShowsModified) {
    view.select(2, 2);
    view.select(26, 9999);
    view.select(1, 1);
    EXPECT_EQ(view.modifiedPanel(), "");
    document.sheet().setCell(3, 3, "x");
    document.takeSnapshot(); // as after a load
    view.select(3, 3);       // the bar changes, the check runs and finds nothing new
    view.select(1, 1);
    EXPECT_EQ(document.changeChecks(), 2u);
    EXPECT_FALSE(document.isModified());
}

TEST_F(SheetDocumentTest, SilRunsItsStepsInOrder) {
    view.select(3, 2);
    view.typeInCell("typed");
    document.sheet().setCell(5, 5, "other");
    view.clearLog();
    document.Sil();
    const Log expected{"clearFormulaBar",
                       // the bar's change handling: "" into C2, Genislik, change check (no news:
                       // the flag is already set)
                       "showTotals Total Rows:5 Total Cols:5", "setCurrentCol 1",
                       // the move to A2 copies A2 ("") into the bar: same text, no handling
                       "setCurrentRow 1", "forgetEditHistory",
                       "showTotals Total Rows:0 Total Cols:0", "showModified 0"};
    EXPECT_EQ(view.log(), expected);
    EXPECT_EQ(document.sheet().contentText(), "");
    EXPECT_EQ(view.currentCol(), 1);
    EXPECT_EQ(view.currentRow(), 1);
    EXPECT_EQ(document.sheet().cell(0, 9999), "9999");
    EXPECT_FALSE(document.isModified());
}

TEST_F(SheetDocumentTest, SilWithoutAViewStillClears) {
    SheetDocument headless;
    headless.sheet().setCell(4, 4, "x");
    headless.changeCheck();
    ASSERT_TRUE(headless.isModified());
    headless.Sil();
    EXPECT_EQ(headless.sheet().contentText(), "");
    EXPECT_EQ(headless.sheet().totalsText(), "Total Rows:0 Total Cols:0");
    EXPECT_FALSE(headless.isModified());
    headless.changeCheck();
    EXPECT_FALSE(headless.isModified());
}

TEST_F(SheetDocumentTest, LoadRunsSilThenFillsMovesMeasuresAndSnapshots) {
    const std::string path = folder.file("three.csv");
    writeBytes(path, "x;;y;\r\n;;;\r\nz;;;\r\n");
    view.select(2, 2);
    view.typeInCell("old");
    view.clearLog();
    const LoadReport report = document.Ac(path);
    EXPECT_FALSE(report.lostSomething());
    const Log expected{"clearFormulaBar",   "showTotals Total Rows:0 Total Cols:0",
                       "setCurrentCol 1",   "setCurrentRow 1",
                       "forgetEditHistory", "showTotals Total Rows:0 Total Cols:0",
                       "showModified 0",    "setCurrentCol 1",
                       "setCurrentRow 1",   "showTotals Total Rows:3 Total Cols:3"};
    EXPECT_EQ(view.log(), expected);
    EXPECT_EQ(document.sheet().cell(1, 1), "x");
    EXPECT_EQ(document.sheet().cell(3, 1), "y");
    EXPECT_EQ(document.sheet().cell(1, 3), "z");
    EXPECT_EQ(document.sheet().cell(2, 2), "");
    // The bar still shows what it showed when Sil moved to A1 (A1 was empty then).
    EXPECT_EQ(view.formulaBar(), "");
    // Freshly loaded: moving around finds nothing new.
    view.select(1, 1);
    view.select(3, 1);
    EXPECT_FALSE(document.isModified());
    view.typeInCell("y2");
    EXPECT_TRUE(document.isModified());
    // Emptying A1 while the bar still shows the "" of the clear is an edit all the same.
    document.Ac(path);
    ASSERT_EQ(view.formulaBar(), "");
    view.typeInCell("");
    EXPECT_TRUE(document.isModified());
}

TEST_F(SheetDocumentTest, EncodingIsDetectedReadAnewAndConverted) {
    const std::string path = folder.file("turkish.csv");
    const std::string bytes = "\xDEi\xFEli;\x81;\r\nabc;;\r\n"; // Şişli and an undefined byte
    writeBytes(path, bytes);
    document.Ac(path);
    EXPECT_EQ(document.encoding(), TextEncoding::Windows1254);
    // Shown before the load moves to A1, so the window shows A1 in the file's encoding.
    const Log& log = view.log();
    const auto shown = std::find(log.begin(), log.end(), "showEncoding Windows-1254");
    ASSERT_NE(shown, log.end());
    EXPECT_EQ(*(shown + 1), "setCurrentCol 1");
    const std::string saved = folder.file("saved.csv");
    document.Kaydet(saved);
    EXPECT_EQ(readBytes(saved), bytes);

    // Another encoding reads the same bytes: nothing to save.
    document.setEncoding(TextEncoding::Windows1252);
    EXPECT_EQ(view.log().back(), "showEncoding Windows-1252");
    document.changeCheck();
    EXPECT_FALSE(document.isModified());
    document.setEncoding(TextEncoding::Windows1254);
    EXPECT_EQ(document.cellNotInUnitsOf(TextEncoding::Utf16Be), (std::pair{1, 1})); // 5 bytes

    document.convertToUtf8();
    EXPECT_EQ(document.encoding(), TextEncoding::Utf8);
    EXPECT_EQ(document.sheet().contentText(), "\xC5\x9Ei\xC5\x9Fli\x81"
                                              "abc");
    EXPECT_EQ(view.modifiedPanel(), "Modified");

    // Plain ASCII converts to the same bytes: nothing changed.
    document.Ac(path);
    view.select(1, 1);
    view.typeInCell("ascii");
    view.select(2, 1);
    view.typeInCell("");
    document.markUnmodified();
    document.convertToUtf8();
    EXPECT_FALSE(document.isModified());

    // Clearing starts a new document, which is UTF-8.
    document.Ac(path);
    document.Sil();
    EXPECT_EQ(document.encoding(), TextEncoding::Utf8);
}

TEST_F(SheetDocumentTest, FailedLoadLeavesTheSheetEmpty) {
    view.select(4, 7);
    view.typeInCell("data");
    const std::string missing = folder.file("missing.csv");
    try {
        document.Ac(missing);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file \"" + missing + "\". No such file or directory");
        EXPECT_EQ(displayedMessage(error.what()), std::string(error.what()) + ".");
    }
    EXPECT_EQ(document.sheet().contentText(), "");
    EXPECT_EQ(view.totalsPanel(), "Total Rows:0 Total Cols:0");
    EXPECT_EQ(view.modifiedPanel(), "");
    EXPECT_EQ(view.currentCol(), 1);
    EXPECT_EQ(view.currentRow(), 1);
    document.changeCheck(); // the snapshot is empty, like the sheet
    EXPECT_FALSE(document.isModified());
}

TEST_F(SheetDocumentTest, SaveChangesNothingInTheDocument) {
    view.select(2, 2);
    view.typeInCell("x");
    const std::string path = folder.file("b2.csv");
    const Log before = view.log();
    const std::uint64_t runs = document.extentRuns();
    document.Kaydet(path);
    EXPECT_EQ(readBytes(path), ";;\r\n;x;\r\n");
    EXPECT_EQ(view.log(), before);
    EXPECT_EQ(document.extentRuns(), runs);
    EXPECT_TRUE(document.isModified()); // clearing the flag is the caller's business
    document.markUnmodified();
    EXPECT_EQ(view.modifiedPanel(), "");
    view.typeInCell("xy");
    EXPECT_EQ(view.modifiedPanel(), "Modified");
}

TEST_F(SheetDocumentTest, EmptySheetWritesThreeBytesAndLoadsBackEmpty) {
    const std::string path = folder.file("empty.csv");
    document.Genislik();
    document.Kaydet(path);
    EXPECT_EQ(readBytes(path), ";\r\n");
    document.Ac(path);
    EXPECT_EQ(document.sheet().contentText(), "");
    EXPECT_EQ(view.totalsPanel(), "Total Rows:0 Total Cols:0");
}

} // namespace tavlor::test
