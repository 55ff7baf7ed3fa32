#include "core/print/sheet_print.h"
#include "core/sheet/sheet.h"
#include "support/fake_text_device.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlor::test {
namespace {

// Every text line is 14 units high (12 + 2), every empty line 12; a row with only its number
// takes 14 + 27 x 12 = 338.
constexpr int kNumberOnlyRow = 14 + 27 * 12;

class SheetPrint : public testing::Test {
protected:
    SheetPrint() { sheet.writeHeaders(); }
    void set(int col, int row, std::string text) {
        sheet.setCell(col, row, std::move(text));
        sheet.Genislik();
    }
    Sheet sheet;
};

TEST_F(SheetPrint, RowTextHoldsTheRowNumberAndAll26CellsEachEndedByCrLf) {
    set(1, 1, "x");
    set(26, 1, "z");
    std::string expected = "1\r\nx\r\n";
    for (int i = 0; i < 24; ++i)
        expected += "\r\n";
    expected += "z\r\n";
    EXPECT_EQ(printRowText(sheet, 1), expected);
}

TEST_F(SheetPrint, EmptySheetGivesOneBlankPage) {
    sheet.Genislik();
    FakeTextDevice device(1000, 100000);
    printSheet(sheet, device);
    EXPECT_EQ(device.pages(), 1);
    EXPECT_TRUE(device.drawn().empty());
    EXPECT_EQ(device.jobsBegun(), 1);
    EXPECT_EQ(device.jobsEnded(), 1);
}

TEST_F(SheetPrint, ProgressCountsTheRowsAndCancelEndsTheJobThere) {
    set(1, 3, "c");
    FakeTextDevice device(1000, 100000);
    std::vector<std::string> seen;
    const bool done =
        printSheet(sheet, device, TextEncoding::Utf8, [&](std::int64_t row, std::int64_t rows) {
            seen.push_back(std::to_string(row) + "/" + std::to_string(rows));
            return true;
        });
    EXPECT_TRUE(done);
    EXPECT_EQ(seen, (std::vector<std::string>{"1/3", "2/3", "3/3"}));

    // Cancelled after row 2: row 3 is never printed, and the job is ended all the same.
    FakeTextDevice cancelled(1000, 100000);
    EXPECT_FALSE(printSheet(sheet, cancelled, TextEncoding::Utf8,
                            [](std::int64_t row, std::int64_t) { return row < 2; }));
    EXPECT_EQ(cancelled.jobsEnded(), 1);
    for (const DrawnRun& run : cancelled.drawn())
        EXPECT_NE(run.text, "3") << "row 3 was printed";
    EXPECT_FALSE(cancelled.drawn().empty());
}

TEST_F(SheetPrint, OneCellGivesTwentyEightLines) {
    set(1, 1, "x");
    FakeTextDevice device(1000, 100000);
    printSheet(sheet, device);
    const std::vector<DrawnRun> expected{{1, 0, 0, "1"}, {1, 0, 14, "x"}};
    EXPECT_EQ(device.drawn(), expected);
    // The job ended after 2 text lines and 26 empty ones (B1..Z1 and the row's own line end).
    FakeTextDevice exact(1000, 14 + 14 + 26 * 12);
    printSheet(sheet, exact);
    EXPECT_EQ(exact.pages(), 1);
}

TEST_F(SheetPrint, RowsAboveTheOnlyCellArePrintedAsNumbersAndEmptyLines) {
    set(3, 3, "c");
    FakeTextDevice device(1000, 100000);
    printSheet(sheet, device);
    const std::vector<DrawnRun> expected{{1, 0, 0, "1"},
                                         {1, 0, kNumberOnlyRow, "2"},
                                         {1, 0, 2 * kNumberOnlyRow, "3"},
                                         {1, 0, 2 * kNumberOnlyRow + 14 + 12 + 12, "c"}};
    EXPECT_EQ(device.drawn(), expected);
}

TEST_F(SheetPrint, CrossingThePageEndAfterTheLastRowLeavesABlankLastPage) {
    set(1, 1, "x");
    // 2 text lines and 26 empty lines end at 340; H = 339 makes the very last line end cross.
    FakeTextDevice device(1000, 339);
    printSheet(sheet, device);
    EXPECT_EQ(device.pages(), 2);
    for (const DrawnRun& run : device.drawn())
        EXPECT_EQ(run.page, 1);
}

TEST_F(SheetPrint, LineBreaksAndTabsInsideACell) {
    set(1, 1, "top\nbottom");
    set(2, 1, "a\tb");
    FakeTextDevice device(1000, 100000);
    printSheet(sheet, device);
    const std::vector<DrawnRun> expected{
        {1, 0, 0, "1"}, {1, 0, 14, "top"}, {1, 0, 28, "bottom"}, {1, 0, 42, "a"}, {1, 80, 42, "b"}};
    EXPECT_EQ(device.drawn(), expected);
}

TEST_F(SheetPrint, LongCellsWrapAndEveryByteIsPrinted) {
    std::string longText;
    for (int i = 0; i < 1000; ++i)
        longText += static_cast<char>('a' + i % 26);
    set(1, 1, longText);
    FakeTextDevice device(995, 1000000);
    printSheet(sheet, device);
    std::string printed;
    for (const DrawnRun& run : device.drawn()) {
        EXPECT_LE(run.x + device.measure(run.text).width, 995);
        if (run.y > 0)
            printed += run.text;
    }
    EXPECT_EQ(printed, longText);
}

TEST_F(SheetPrint, UnopenableOutputThrowsAndStartsNoJob) {
    set(1, 1, "x");
    FakeTextDevice device(1000, 1000);
    device.failToBegin();
    EXPECT_THROW(printSheet(sheet, device), std::runtime_error);
    EXPECT_EQ(device.jobsEnded(), 0);
    EXPECT_TRUE(device.drawn().empty());
}

} // namespace
} // namespace tavlor::test
