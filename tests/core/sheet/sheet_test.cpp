#include "core/sheet/sheet.h"

#include "core/sheet/cell_size_limit.h"

#include "support/sweep_oracle.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tavlor::test {

namespace {

std::string extentOf(Sheet& sheet) {
    sheet.Genislik();
    return sheet.totalsText();
}

} // namespace

TEST(SheetHeaders, RowNumbersLettersAndEmptyCorner) {
    Sheet sheet;
    EXPECT_EQ(sheet.cell(0, 1), ""); // nothing before writeHeaders
    sheet.writeHeaders();
    EXPECT_EQ(sheet.cell(0, 0), "");
    EXPECT_EQ(sheet.cell(0, 1), "1");
    EXPECT_EQ(sheet.cell(0, 10), "10");
    EXPECT_EQ(sheet.cell(0, 9999), "9999");
    EXPECT_EQ(sheet.cell(1, 0), "A");
    EXPECT_EQ(sheet.cell(26, 0), "Z");
    EXPECT_EQ(sheet.cellName(1, 1), "A1");
    EXPECT_EQ(sheet.cellName(2, 1), "B1");
    EXPECT_EQ(sheet.cellName(2, 7), "B7");
    EXPECT_EQ(sheet.cellName(3, 12), "C12");
    EXPECT_EQ(sheet.cellName(26, 9999), "Z9999");
}

TEST(SheetHeaders, AreNotDataAndSurviveClearing) {
    Sheet sheet;
    sheet.writeHeaders();
    EXPECT_EQ(extentOf(sheet), "Total Rows:0 Total Cols:0");
    EXPECT_EQ(sheet.contentText(), "");
    EXPECT_EQ(sheet.contentLength(), 0u);
    sheet.setCell(4, 4, "x");
    sheet.clearData();
    EXPECT_EQ(sheet.cell(0, 4), "4");
    EXPECT_EQ(sheet.cell(4, 0), "D");
    EXPECT_EQ(sheet.cellName(4, 4), "D4");
    // A header cell written by hand is still no data cell.
    sheet.setCell(0, 5, "five");
    EXPECT_EQ(sheet.cellName(1, 5), "Afive");
    EXPECT_EQ(extentOf(sheet), "Total Rows:0 Total Cols:0");
}

TEST(SheetCells, OutsideTheGridThrows) {
    Sheet sheet;
    EXPECT_THROW(sheet.cell(-1, 1), std::out_of_range);
    EXPECT_THROW(sheet.cell(27, 1), std::out_of_range);
    EXPECT_THROW(sheet.cell(1, 10000), std::out_of_range);
    EXPECT_THROW(sheet.setCell(1, -1, "x"), std::out_of_range);
    EXPECT_THROW(sheet.setCell(27, 9999, "x"), std::out_of_range);
    EXPECT_NO_THROW(sheet.setCell(26, 9999, "x"));
    EXPECT_EQ(sheet.cell(26, 9999), "x");
}

TEST(SheetCells, KeepEveryByte) {
    Sheet sheet;
    const std::string bytes("\r\n\x01\xff\xc3\xa9 ;\t", 9);
    sheet.setCell(3, 3, bytes);
    EXPECT_EQ(sheet.cell(3, 3), bytes);
    const std::string big(100000, 'q');
    sheet.setCell(1, 1, big);
    EXPECT_EQ(sheet.cell(1, 1), big);
    EXPECT_EQ(sheet.contentLength(), bytes.size() + big.size());
}

TEST(SheetExtent, FollowsTheFarthestNonEmptyCells) {
    Sheet sheet;
    EXPECT_EQ(extentOf(sheet), "Total Rows:0 Total Cols:0");
    sheet.setCell(3, 12, "c");
    EXPECT_EQ(extentOf(sheet), "Total Rows:12 Total Cols:3");
    EXPECT_EQ(sheet.MaxRow(), 12);
    EXPECT_EQ(sheet.MaxCol(), 3);
    sheet.setCell(3, 12, "");
    EXPECT_EQ(extentOf(sheet), "Total Rows:0 Total Cols:0");

    // Independent maxima: (5, 8) itself is empty.
    sheet.setCell(5, 1, "e");
    sheet.setCell(1, 8, "a");
    EXPECT_EQ(extentOf(sheet), "Total Rows:8 Total Cols:5");
    EXPECT_TRUE(sheet.cell(5, 8).empty());

    // Blanks are text.
    sheet.setCell(7, 20, "  ");
    EXPECT_EQ(extentOf(sheet), "Total Rows:20 Total Cols:7");
}

TEST(SheetExtent, IsOnlyRecomputedByGenislik) {
    Sheet sheet;
    sheet.setCell(2, 2, "x");
    EXPECT_EQ(sheet.MaxRow(), 0); // stale until the next Genislik
    EXPECT_EQ(sheet.totalsText(), "Total Rows:0 Total Cols:0");
    sheet.Genislik();
    EXPECT_EQ(sheet.totalsText(), "Total Rows:2 Total Cols:2");
    sheet.setCell(2, 2, "");
    EXPECT_EQ(sheet.MaxRow(), 2);
    sheet.Genislik();
    EXPECT_EQ(sheet.MaxRow(), 0);
}

TEST(SheetExtent, ShrinksPastSeveralEmptiedRowsAndColumns) {
    Sheet sheet;
    sheet.setCell(1, 1, "a");
    sheet.setCell(26, 9999, "z");
    sheet.setCell(13, 5000, "m");
    EXPECT_EQ(extentOf(sheet), "Total Rows:9999 Total Cols:26");
    sheet.setCell(26, 9999, "");
    EXPECT_EQ(extentOf(sheet), "Total Rows:5000 Total Cols:13");
    sheet.setCell(13, 5000, "");
    EXPECT_EQ(extentOf(sheet), "Total Rows:1 Total Cols:1");
    sheet.setCell(1, 1, "");
    sheet.setCell(26, 9999, "back");
    EXPECT_EQ(extentOf(sheet), "Total Rows:9999 Total Cols:26");
    EXPECT_EQ(sheet.filledCells(), 1);
}

TEST(SheetClear, EmptiesEveryDataCell) {
    Sheet sheet;
    sheet.writeHeaders();
    for (int r = 1; r <= Sheet::kLastRow; r += 97)
        for (int c = 1; c <= Sheet::kLastCol; c += 5)
            sheet.setCell(c, r, "v" + std::to_string(r));
    sheet.setCell(26, 9999, "last");
    sheet.clearData();
    EXPECT_EQ(SweepOracle::content(sheet), "");
    EXPECT_EQ(sheet.contentLength(), 0u);
    EXPECT_EQ(sheet.filledCells(), 0);
    EXPECT_EQ(extentOf(sheet), "Total Rows:0 Total Cols:0");
    EXPECT_EQ(sheet.cell(0, 9999), "9999");
}

TEST(SheetCells, SwapDataMovesTheDataCellsAndLeavesTheHeaders) {
    Sheet loaded;
    loaded.setCell(3, 2, "c2");
    Sheet sheet;
    sheet.writeHeaders();
    EXPECT_EQ(sheet.rowCells(2)[3], ""); // a row that was never written reads empty
    sheet.swapData(loaded);
    EXPECT_EQ(sheet.rowCells(2)[3], "c2");
    EXPECT_EQ(sheet.contentLength(), 2u);
    EXPECT_EQ(extentOf(sheet), "Total Rows:2 Total Cols:3");
    EXPECT_EQ(sheet.cellName(3, 2), "C2");
    EXPECT_EQ(loaded.cell(3, 2), "");
    EXPECT_EQ(loaded.filledCells(), 0);
    sheet.restartJournal();
    EXPECT_THROW(sheet.swapData(loaded), std::logic_error);
}

TEST(SheetContent, JoinsRowByRowWithoutSeparators) {
    Sheet sheet;
    sheet.setCell(2, 1, "b1");
    sheet.setCell(1, 2, "a2");
    sheet.setCell(26, 1, "z1");
    sheet.setCell(1, 9999, "end");
    EXPECT_EQ(sheet.contentText(), "b1z1a2end");
    EXPECT_EQ(sheet.contentText(), SweepOracle::content(sheet));
    EXPECT_EQ(sheet.contentLength(), 9u);
}

TEST(HugeCells, OnlyCellsOverTheLimitAreShownInPart) {
    const std::string longest(kEditableCellBytes, 'a');
    EXPECT_EQ(shownPart(longest), longest);
    const std::string huge = longest + "b";
    EXPECT_EQ(shownPart(huge), huge.substr(0, 4096));
    EXPECT_TRUE(isHugeCell(huge));
    EXPECT_FALSE(isHugeCell(longest));
}

} // namespace tavlor::test
